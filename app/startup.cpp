// SPDX-License-Identifier: MIT
#include "app/tavisco.h"
#include "app/titlepic.h"
#include "toolkit/application.h"
#include "toolkit/dialogs.h"

#include <algorithm>
#include <utility>

TForm1::TForm1()
    : tk::TForm("Form1")
{
    BuildLayout();
    WireEvents();
    tk::Application().Guard([this] { FormCreate(this); });
}

TForm1::~TForm1() = default;

void TForm1::FormCreate(TObject*)
{
    SetCaption("Tavisco V2.41");
    SetAutoSize(true);
    std::string current = romdir->Directory();
    StartDir = current.ends_with('\\') ? current : current + "\\";
    HelpMode = false;
    LogoDrag = false;
    LastJumpKey = '/';
    // What fails here is told at tick 1, when the splash is up; the window is placed all the same.
    startupStep([this] { loadSettings(); });
    StartupTicks = 0;
    SetBounds(-1000, -1000, 731, 548);
    placePanels();
    Repaint();
}

void TForm1::Timer1Timer(TObject*)
{
    if (Splash) {
        Splash->ver->SetCaption("Version 2.41");
        Splash->Repaint();
    }
    ++StartupTicks;
    switch (StartupTicks) {
    case 1:
        Timer1->SetEnabled(false);
        startupStep([this] { refreshArchive(true); });
        startupStep([this] { ziprefreshClick(this); });
        // While the box is open the start-up waits: no tick of it runs in the box's loop.
        reportFailures();
        Timer1->SetEnabled(true);
        break;
    case 5:
        CenterOnScreen();
        Repaint();
        break;
    case 15:
        Timer1->SetEnabled(false);
        Timer2->SetEnabled(true);
        Repaint();
        if (Splash)
            Splash->Hide();
        break;
    default: break;
    }
}

// Runs a step of the start-up; what it throws is kept for the report, and the start-up goes on.
void TForm1::startupStep(const std::function<void()>& step)
{
    try {
        step();
    } catch (const std::exception& e) {
        noteFailure(e.what());
    } catch (...) {
        noteFailure("An unexpected error occurred.");
    }
}

// A failure met twice (the archive at creation and again at tick 1) is one failure.
void TForm1::noteFailure(const std::string& message)
{
    if (std::find(StartupFailures.begin(), StartupFailures.end(), message) == StartupFailures.end())
        StartupFailures.push_back(message);
}

// All of them in one box, which the dialogs put above the splash.
void TForm1::reportFailures()
{
    if (StartupFailures.empty())
        return;
    std::string text;
    for (const auto& message : std::exchange(StartupFailures, {}))
        text += (text.empty() ? "" : "\r\n") + message;
    tk::Application().Dialogs().MessageBox(text, tk::Application().Title(), tk::MB_OK);
}

void TForm1::Timer2Timer(TObject*)
{
    try {
        filelist->SetDirectory(ZipRoot);
    } catch (const std::exception&) {
        emptyZipTable(true);
        return;
    }
    if (!ZipPresent) {
        ziprefreshClick(this);
        if (nozip->Visible())
            return;
    }
    ZipPresent = true;
}
