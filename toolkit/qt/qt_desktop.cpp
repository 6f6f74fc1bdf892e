// SPDX-License-Identifier: MIT
#include "toolkit/qt/qt_desktop.h"

#include "toolkit/application.h"
#include "toolkit/backend.h"
#include "toolkit/clipboard.h"
#include "toolkit/dialogs.h"
#include "toolkit/qt/qt_startup.h"

#include <QApplication>

namespace tk {

TQtDesktop::TQtDesktop(int& argc, char** argv)
    : m_application(std::make_unique<QApplication>(argc, argv))
{
    installQtBackend();
}

// The desktop services go before the Qt application they stand on.
TQtDesktop::~TQtDesktop()
{
    Application().SetBackend(nullptr);
    Application().SetClipboard(std::make_unique<TClipboard>());
    Application().SetDialogs(std::make_unique<TDialogs>());
}

}
