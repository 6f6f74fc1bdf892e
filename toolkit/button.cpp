// SPDX-License-Identifier: MIT
#include "toolkit/button.h"

#include "toolkit/button_glyph.h"
#include "toolkit/canvas.h"
#include "toolkit/object_watch.h"
#include "toolkit/property.h"
#include "toolkit/sunken_border.h"

namespace tk {

TButton::TButton(TWinControl* parent, std::string name)
    : TWinControl(parent, std::move(name))
{
    SetTabStop(true);
    SetBounds(0, 0, 75, 25);
}

void TButton::SetDefault(bool v)
{
    if (!Change(m_default, v))
        return;
    Invalidate();
}

void TButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && Enabled() && CanFocus())
        SetFocus();
    m_press.MouseDown(*this, button, x, y);
    TWinControl::MouseDown(button, shift, x, y);
}

void TButton::MouseMove(TShiftState shift, int x, int y)
{
    m_press.MouseMove(*this, x, y);
    TWinControl::MouseMove(shift, x, y);
}

void TButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    m_press.MouseUp(*this, button);
    TWinControl::MouseUp(button, shift, x, y);
}

void TButton::KeyDown(unsigned short& key, TShiftState shift)
{
    TObjectWatch watch(*this);
    TWinControl::KeyDown(key, shift);
    if (!watch.Gone() && key == VK_RETURN && Enabled()) {
        key = 0;
        Click();
    }
}

void TButton::KeyPress(char& key)
{
    TObjectWatch watch(*this);
    TWinControl::KeyPress(key);
    if (!watch.Gone() && key == ' ' && Enabled())
        Click();
}

TRect DrawButtonFrame(TCanvas& canvas, TRect r, bool pressed, bool emphasised)
{
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    canvas.Brush().SetStyle(bsSolid);
    if (emphasised) {
        canvas.Pen().SetColor(cl3DDkShadow);
        canvas.Brush().SetStyle(bsClear);
        canvas.Rectangle(r);
        canvas.Brush().SetStyle(bsSolid);
        r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    }
    if (pressed) {
        canvas.Pen().SetColor(clBtnShadow);
        canvas.Brush().SetStyle(bsClear);
        canvas.Rectangle(r);
        return Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    }
    DrawEdge(canvas, r, clBtnHighlight, cl3DDkShadow);
    DrawEdge(canvas, r, cl3DLight, clBtnShadow);
    return r;
}

TRect TButton::PaintFace(TCanvas& canvas)
{
    // Button faces are the system's, whatever colour the parent passed down.
    FillBackground(canvas, clBtnFace);
    return DrawButtonFrame(canvas, ClientRect(), Pressed(), m_default || Focused());
}

void TButton::Paint(TCanvas& canvas)
{
    TRect inner = PaintFace(canvas);
    TPoint shift = PressOffset();
    TRect text = Rect(inner.Left + shift.X, inner.Top + shift.Y, inner.Right + shift.X, inner.Bottom + shift.Y);
    DrawButtonCaption(canvas, text, Caption(), Font(), Enabled(), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

namespace {

// Visible up to the container, whatever the form itself is doing.
bool visibleWithin(const TControl* control, const TWinControl* container)
{
    for (const TControl* c = control; c && c != container; c = c->Parent())
        if (!c->Visible())
            return false;
    return true;
}

TButton* findButton(TWinControl* container, TWinControl* root, unsigned short key)
{
    for (TControl* child : container->Controls()) {
        if (auto* button = dynamic_cast<TButton*>(child)) {
            bool wanted = key == VK_RETURN ? button->Default() : key == VK_ESCAPE && button->Cancel();
            if (wanted && button->Enabled() && visibleWithin(button, root))
                return button;
        }
        if (auto* inner = dynamic_cast<TWinControl*>(child))
            if (auto* found = findButton(inner, root, key))
                return found;
    }
    return nullptr;
}

}

bool PressDefaultButton(TWinControl* container, unsigned short key)
{
    if (!container || (key != VK_RETURN && key != VK_ESCAPE))
        return false;
    TButton* button = findButton(container, container, key);
    if (!button)
        return false;
    button->Click();
    return true;
}

}
