// SPDX-License-Identifier: MIT
#include "app/tavisco.h"
#include "app/titlepic.h"
#include "platform/filesystem.h"
#include "toolkit/application.h"
#include "toolkit/qt/qt_desktop.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace {

constexpr const char* help_text = R"(Usage: tavisco [--help | --version]

Tavisco keeps a collection of N64 cartridge ROM images on the hard disk and carries
games, with their save files, patches and cheat texts, between that archive and a
removable disk, the "Zip disk" (any SD card or USB stick).

It works in the folder it is started in: there it reads and writes tavisco.ini
(the settings) and drives.ini (which folder each drive letter stands for).
tavisco-launch, which the menu entry runs, starts it in $XDG_CONFIG_HOME/tavisco
(by default ~/.config/tavisco), made on first use.

  --help     show this text and exit
  --version  show the version and exit

More in the manual page: man tavisco
)";

// Answers on stdout; a failed write (a full disk, a closed pipe) is a failure.
int answer(const std::string& text)
{
    std::fputs(text.c_str(), stdout);
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}

// One line, whatever the argument holds: control characters are shown as '?'.
int refuse(std::string_view argument)
{
    std::string shown(argument);
    for (char& c : shown) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = '?';
    }
    std::fprintf(stderr, "tavisco: unknown argument \"%s\" (tavisco --help tells what it takes)\n",
        shown.c_str());
    return 2;
}

// The program takes no arguments of its own; these two answer before anything is made or read.
// Returns the exit code, or -1 to start the program.
int commandLine(int argc, char* argv[])
{
    if (argc < 2)
        return -1;
    const std::string_view first = argv[1];
    if (argc == 2 && first == "--help")
        return answer(help_text);
    if (argc == 2 && first == "--version")
        return answer("Tavisco " TAVISCO_VERSION "\n");
    return refuse(first == "--help" || first == "--version" ? argv[2] : argv[1]);
}

}

int main(int argc, char* argv[])
{
    if (const int code = commandLine(argc, argv); code >= 0)
        return code;
    tk::TQtDesktop desktop(argc, argv);
    // Drive letters: the standard ones, then those pinned by drives.ini in the start directory.
    platform::FileSystem::instance().mapDefaultDrives(".");
    auto& application = tk::Application();
    application.SetTitle("Tavisco");
    application.SetIcon("tavisco");
    // The installed menu entry's name, so the desktop matches the window to it.
    application.SetDesktopEntry("example.tavisco.tavisco");
    auto form1 = std::make_unique<TForm1>();
    form1->Show();
    auto form2 = std::make_unique<TForm2>();
    form2->Show();
    form1->Splash = form2.get();
    application.Run();
    return 0;
}
