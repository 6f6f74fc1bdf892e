// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <utility>

namespace tk {

class TObjectWatch;

// Root of every toolkit class: events pass their sender as a TObject*.
class TObject {
public:
    TObject() = default;
    TObject(const TObject&) { }
    TObject& operator=(const TObject&) { return *this; }
    virtual ~TObject();

private:
    friend class TObjectWatch;
    TObjectWatch* m_watches { nullptr };
};

enum TMouseButton { mbLeft, mbRight, mbMiddle };

using TShiftState = unsigned;
constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32,
                      ssDouble = 64;

// Virtual key codes, the ones the components understand and the ones only a handler may want.
constexpr unsigned short VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10, VK_CONTROL = 0x11,
                         VK_MENU = 0x12, VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_PRIOR = 0x21, VK_NEXT = 0x22,
                         VK_END = 0x23, VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26, VK_RIGHT = 0x27,
                         VK_DOWN = 0x28, VK_INSERT = 0x2D, VK_DELETE = 0x2E, VK_NUMPAD0 = 0x60, VK_F1 = 0x70;

using TNotifyEvent = std::function<void(TObject* sender)>;
using TMouseEvent = std::function<void(TObject* sender, TMouseButton, TShiftState, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState, int x, int y)>;
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;
using TKeyEvent = std::function<void(TObject* sender, unsigned short& key, TShiftState)>;

// Calls an event handler through a copy of it: a handler that frees the object holding it, or
// puts another handler in its place, still runs to its end.
template <class Handler, class... Args>
void CallEvent(const Handler& handler, Args&&... args)
{
    if (!handler)
        return;
    Handler running = handler;
    running(std::forward<Args>(args)...);
}

}
