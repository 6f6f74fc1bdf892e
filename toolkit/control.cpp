// SPDX-License-Identifier: MIT
#include "toolkit/control.h"

#include "toolkit/canvas.h"
#include "toolkit/form.h"
#include "toolkit/property.h"
#include "toolkit/wincontrol.h"

namespace tk {

TControl::TControl(TWinControl* parent, std::string name)
    : TComponent(parent, std::move(name))
{
    if (parent) {
        parent->InsertControl(this);
        // Children start with their parent's font and colour.
        m_font.Assign(parent->Font());
        m_color = parent->Color();
    }
    m_font.OnChange = [this] { FontChanged(); };
}

TControl::~TControl()
{
    if (m_parent)
        m_parent->RemoveControl(this);
}

TForm* TControl::Form() const
{
    const TControl* c = this;
    while (c->m_parent)
        c = c->m_parent;
    return c->AsForm();
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    if (left == m_left && top == m_top && width == m_width && height == m_height)
        return;
    Invalidate();
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    BoundsChanged();
    Invalidate();
    if (m_parent)
        m_parent->ChildBoundsChanged();
}

void TControl::SetVisible(bool visible)
{
    if (!Change(m_visible, visible))
        return;
    Invalidate();
    if (m_parent)
        m_parent->ChildBoundsChanged();
}

bool TControl::Showing() const
{
    for (const TControl* c = this; c; c = c->m_parent)
        if (!c->m_visible)
            return false;
    return true;
}

void TControl::SetEnabled(bool v)
{
    if (!Change(m_enabled, v))
        return;
    Invalidate();
}

void TControl::SetCaption(const std::string& text)
{
    if (!Change(m_caption, text))
        return;
    CaptionChanged();
}

void TControl::SetColor(TColor c)
{
    if (!Change(m_color, c))
        return;
    ColorChanged();
}

void TControl::SetTransparent(bool v)
{
    if (!Change(m_transparent, v))
        return;
    Invalidate();
}

void TControl::SetCursor(TCursor c)
{
    m_cursor = c;
    if (auto* form = Form())
        form->CursorChanged(this);
}

void TControl::FillBackground(TCanvas& canvas) const
{
    FillBackground(canvas, m_color);
}

void TControl::FillBackground(TCanvas& canvas, TColor color) const
{
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(color);
    canvas.FillRect(ClientRect());
}

bool TControl::HitTest(int x, int y) const
{
    return x >= 0 && y >= 0 && x < m_width && y < m_height;
}

TPoint TControl::ClientToForm(TPoint p) const
{
    for (const TControl* c = this; c->m_parent; c = c->m_parent) {
        p.X += c->m_left;
        p.Y += c->m_top;
    }
    return p;
}

TPoint TControl::ClientToScreen(TPoint p) const
{
    p = ClientToForm(p);
    if (auto* form = Form()) {
        p.X += form->Left();
        p.Y += form->Top();
    }
    return p;
}

void TControl::BringToFront()
{
    if (m_parent)
        m_parent->BringChildToFront(this);
}

void TControl::Invalidate()
{
    if (auto* form = Form())
        form->InvalidateForm();
}

void TControl::Repaint()
{
    if (auto* form = Form())
        form->Repaint();
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    CallEvent(OnMouseDown, this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    CallEvent(OnMouseMove, this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    CallEvent(OnMouseUp, this, button, shift, x, y);
}

void TControl::Click()
{
    CallEvent(OnClick, this);
}

void TControl::DblClick()
{
    CallEvent(OnDblClick, this);
}

void TControl::KeyDown(unsigned short& key, TShiftState shift)
{
    CallEvent(OnKeyDown, this, key, shift);
}

void TControl::KeyPress(char& key)
{
    CallEvent(OnKeyPress, this, key);
}

}
