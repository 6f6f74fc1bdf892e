// SPDX-License-Identifier: MIT
#include "toolkit/press_state.h"

#include "toolkit/control.h"

namespace tk {

void TPressState::MouseDown(TControl& control, TMouseButton button, int x, int y)
{
    if (button != mbLeft || !control.Enabled())
        return;
    m_held = true;
    SetInside(control, control.HitTest(x, y));
    control.Invalidate();
}

void TPressState::MouseMove(TControl& control, int x, int y)
{
    if (m_held)
        SetInside(control, control.HitTest(x, y));
}

void TPressState::MouseUp(TControl& control, TMouseButton button)
{
    if (button != mbLeft || !m_held)
        return;
    m_held = false;
    m_inside = false;
    control.Invalidate();
}

void TPressState::SetInside(TControl& control, bool inside)
{
    if (inside == m_inside)
        return;
    m_inside = inside;
    control.Invalidate();
}

}
