// SPDX-License-Identifier: MIT
#include "toolkit/qt/qt_startup.h"

#include "toolkit/application.h"
#include "toolkit/qt/qt_backend.h"
#include "toolkit/qt/qt_clipboard.h"
#include "toolkit/qt/qt_dialogs.h"

#include <memory>

namespace tk {

// The application's name, icon and desktop entry follow its properties, set before or after this
// (see TQtBackend::IdentityChanged).
void installQtBackend()
{
    Application().SetBackend(std::make_unique<TQtBackend>());
    Application().SetClipboard(std::make_unique<TQtClipboard>());
    Application().SetDialogs(std::make_unique<TQtDialogs>());
}

}
