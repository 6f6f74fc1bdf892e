// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/object.h"
#include "toolkit/types.h"

namespace tk {

class TControl;

// What both push buttons follow between a left press on them and its release: the button is held,
// and drawn pressed while the pointer is inside it. Each step repaints the control when its look
// changes.
class TPressState {
public:
    bool Held() const { return m_held; }
    bool Pressed() const { return m_held && m_inside; }
    // Content moves down and right by this much while pressed.
    TPoint Offset() const { return Pressed() ? TPoint { 1, 1 } : TPoint {}; }

    void MouseDown(TControl&, TMouseButton, int x, int y);
    void MouseMove(TControl&, int x, int y);
    void MouseUp(TControl&, TMouseButton);

private:
    void SetInside(TControl&, bool);

    bool m_held { false };
    bool m_inside { false };
};

}
