// SPDX-License-Identifier: MIT
#include "app/tavisco.h"
#include "app/titlepic.h"
#include "platform/filesystem.h"
#include "toolkit/application.h"
#include "toolkit/qt/qt_desktop.h"

int main(int argc, char* argv[])
{
    tk::TQtDesktop desktop(argc, argv);
    // Drive letters: the standard ones, then those pinned by drives.ini in the start directory.
    platform::FileSystem::instance().mapDefaultDrives(".");
    auto& application = tk::Application();
    application.SetTitle("Tavisco");
    application.SetIcon("tavisco");
    application.SetDesktopEntry("tavisco");
    auto form1 = std::make_unique<TForm1>();
    form1->Show();
    auto form2 = std::make_unique<TForm2>();
    form2->Show();
    form1->Splash = form2.get();
    application.Run();
    return 0;
}
