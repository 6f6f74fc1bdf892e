// SPDX-License-Identifier: MIT
#include "tests/support/qt_app.h"

#include <QGuiApplication>

void ensureGuiApp()
{
    if (QGuiApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt keeps argc and argv for the application's lifetime. The application is never deleted:
    // tearing it down during static destruction races Qt's own globals.
    static int argc = 1;
    static char name[] = "tavisco-test";
    static char* argv[] = { name, nullptr };
    new QGuiApplication(argc, argv);
}
