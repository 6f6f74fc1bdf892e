// SPDX-License-Identifier: MIT
#include "toolkit/wincontrol.h"

#include "toolkit/canvas.h"
#include "toolkit/form.h"

#include <algorithm>

namespace tk {

TWinControl::TWinControl(TWinControl* parent, std::string name)
    : TControl(parent, std::move(name))
{
}

TWinControl::~TWinControl()
{
    // Children point back at us; they must go while we are still whole.
    DestroyComponents();
}

std::vector<TControl*> TWinControl::PaintOrder() const
{
    std::vector<TControl*> order;
    for (auto* c : m_controls)
        if (!c->IsWindowed())
            order.push_back(c);
    for (auto* c : m_controls)
        if (c->IsWindowed())
            order.push_back(c);
    return order;
}

TControl* TWinControl::ControlAt(int x, int y) const
{
    auto order = PaintOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        TControl* c = *it;
        if (c->Visible() && c->HitTest(x - c->Left(), y - c->Top()))
            return c;
    }
    return nullptr;
}

bool TWinControl::Focused() const
{
    auto* form = Form();
    return form && form->ActiveControl() == this;
}

bool TWinControl::CanFocus() const
{
    auto* form = Form();
    return form && Showing() && Enabled();
}

void TWinControl::SetFocus()
{
    if (auto* form = Form())
        form->SetActiveControl(this);
}

void TWinControl::PaintWithChildren(TCanvas& canvas)
{
    Paint(canvas);
    for (auto* c : PaintOrder()) {
        if (!c->Visible())
            continue;
        canvas.Save();
        canvas.Translate(c->Left(), c->Top());
        canvas.IntersectClip(c->ClientRect());
        if (auto* w = dynamic_cast<TWinControl*>(c))
            w->PaintWithChildren(canvas);
        else
            c->Paint(canvas);
        canvas.Restore();
    }
}

void TWinControl::InsertControl(TControl* c)
{
    m_controls.push_back(c);
    c->SetParentInternal(this);
}

void TWinControl::RemoveControl(TControl* c)
{
    auto it = std::find(m_controls.begin(), m_controls.end(), c);
    if (it != m_controls.end())
        m_controls.erase(it);
    if (auto* form = Form())
        form->ControlRemoved(c);
}

void TWinControl::BringChildToFront(TControl* c)
{
    RemoveControl(c);
    InsertControl(c);
    Invalidate();
}

}
