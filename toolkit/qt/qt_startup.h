// SPDX-License-Identifier: MIT
#pragma once

namespace tk {

// Puts the forms, timers, clipboard and dialogs on the desktop. Call once, after the
// QApplication exists and before the first form is made.
void installQtBackend();

}
