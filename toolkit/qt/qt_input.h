// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/object.h"

#include <Qt>

class QString;

namespace tk {

// Qt's input, as the toolkit names it.
TShiftState ShiftStateOf(Qt::KeyboardModifiers, Qt::MouseButtons);
// False for buttons the toolkit has no name for (back, forward ...).
bool ToolkitButton(Qt::MouseButton, TMouseButton& button);
// The virtual key code of a Qt key, or 0 when the components have no use for it.
unsigned short VirtualKeyOf(int qtKey, Qt::KeyboardModifiers);
// The one Windows-1252 character a key press types; false for keys that type nothing
// (arrows, Delete) and for characters Windows-1252 cannot hold.
bool TypedChar(int qtKey, const QString& text, char& typed);

}
