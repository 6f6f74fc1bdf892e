// SPDX-License-Identifier: MIT
#include "toolkit/qt/qt_input.h"

#include "toolkit/win_text.h"

#include <QString>

namespace tk {

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons)
{
    TShiftState shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= ssShift;
    if (modifiers & Qt::ControlModifier)
        shift |= ssCtrl;
    if (modifiers & Qt::AltModifier)
        shift |= ssAlt;
    if (buttons & Qt::LeftButton)
        shift |= ssLeft;
    if (buttons & Qt::RightButton)
        shift |= ssRight;
    if (buttons & Qt::MiddleButton)
        shift |= ssMiddle;
    return shift;
}

bool ToolkitButton(Qt::MouseButton qtButton, TMouseButton& button)
{
    switch (qtButton) {
    case Qt::LeftButton:
        button = mbLeft;
        return true;
    case Qt::RightButton:
        button = mbRight;
        return true;
    case Qt::MiddleButton:
        button = mbMiddle;
        return true;
    default:
        return false;
    }
}

unsigned short VirtualKeyOf(int key, Qt::KeyboardModifiers modifiers)
{
    // Letters and digits share their codes (upper-case ASCII) in both worlds.
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return (modifiers & Qt::KeypadModifier) ? VK_NUMPAD0 + (key - Qt::Key_0) : key;
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return VK_F1 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    default: return 0;
    }
}

bool TypedChar(int key, const QString& text, char& typed)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        typed = '\r';
        return true;
    case Qt::Key_Escape:
        typed = 27;
        return true;
    case Qt::Key_Backspace:
        typed = 8;
        return true;
    case Qt::Key_Tab:
        typed = '\t';
        return true;
    case Qt::Key_Delete:
        return false;
    default:
        break;
    }
    if (text.size() != 1 || text == QStringLiteral("\x7f"))
        return false;
    std::string bytes = toWinText(text);
    if (bytes.size() != 1 || (bytes[0] == '?' && text != QStringLiteral("?")))
        return false;
    typed = bytes[0];
    return true;
}

}
