// SPDX-License-Identifier: MIT
#include "app/tavisco.h"
#include "app/titlepic.h"
#include "toolkit/application.h"

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
    loadSettings();
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
        // A failing first scan is reported, and the start-up goes on all the same.
        tk::Application().Guard([this] { diskrefreshClick(this); });
        tk::Application().Guard([this] { ziprefreshClick(this); });
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
