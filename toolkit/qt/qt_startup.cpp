#include "toolkit/qt/qt_startup.h"

#include "toolkit/application.h"
#include "toolkit/qt/qt_backend.h"
#include "toolkit/qt/qt_clipboard.h"
#include "toolkit/qt/qt_dialogs.h"

#include <memory>

namespace tk {

// The application's display name is taken from its title when the loop starts (see TQtBackend::Run),
// since the program may set the title after this.
void installQtBackend()
{
    Application().SetBackend(std::make_unique<TQtBackend>());
    Application().SetClipboard(std::make_unique<TQtClipboard>());
    Application().SetDialogs(std::make_unique<TQtDialogs>());
}

}
