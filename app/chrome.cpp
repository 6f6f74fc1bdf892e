// SPDX-License-Identifier: MIT
// The window's own chrome: help mode, the about panel, dragging the window and the scroll logo.
#include "app/tavisco.h"

#include <algorithm>
#include <vector>

namespace {

const char* const productLine = "Tavisco 64 V2.41";
const char* const creditLine = "written by the Tavisco team";
const char* const contactAddress = "hi@tavisco.example";
const char* const webAddress = "www.tavisco.example";

std::vector<std::string> withBlanks(std::vector<std::string> lines)
{
    lines.resize(9, " ");
    return lines;
}

}

void TForm1::hcapClick(TObject*)
{
    HelpMode = !HelpMode;
    if (HelpMode) {
        for (const char* line : { " ", "active helpmode enabled", " ", "move your mouse over the", "the interface for infos.", " " })
            sys(line);
        Timer4->SetEnabled(true);
    } else {
        Timer4->SetEnabled(false);
        hcap2->Hide();
        for (const char* line : { " ", "active helpmode disabled", " " })
            sys(line);
    }
}

void TForm1::Timer4Timer(TObject*)
{
    hcap2->SetVisible(!hcap2->Visible());
}

void TForm1::FormMouseMove(TObject*, TShiftState, int, int)
{
    if (HelpMode && CurrentHelpTopic != 0)
        CurrentHelpTopic = 0;
}

void TForm1::showHelp(int topic, const std::vector<std::string>& lines)
{
    if (!HelpMode || CurrentHelpTopic == topic)
        return;
    CurrentHelpTopic = topic;
    sys("#");
    for (const auto& line : withBlanks(lines))
        sys(line);
}

void TForm1::diskMouseMove(TObject*, TShiftState, int, int)
{
    showHelp(1, { "Archive table", " ", "Click on a title to select", "a Game.", " ", ddmode->Caption(), " ", "Rightclick for popupmenu" });
}

void TForm1::zipMouseMove(TObject*, TShiftState, int, int)
{
    showHelp(2, { "Zipdisc table", " ", "Click on a title to select", "a Game.", " ", "Rightclick for popupmenu" });
}

void TForm1::romdirMouseMove(TObject*, TShiftState, int, int)
{
    showHelp(3, { "Romdir browser", " ", "Select the directory", "where your ROM-files", "normaly are." });
}

void TForm1::picMouseMove(TObject*, TShiftState, int, int)
{
    showHelp(5, { "Boxart", " ", "Click here to copy", "the required picname", "to the clipboard." });
}

void TForm1::b1MouseMove(TObject*, TShiftState, int, int)
{
    showHelp(6, { "Copy selected game", "and all required files", "to zipdisc." });
}

void TForm1::b3MouseMove(TObject*, TShiftState, int, int)
{
    showHelp(7, { "Update EEP,RAM & ZCC-", "Files from Zipdisc to HD" });
}

void TForm1::b5MouseMove(TObject*, TShiftState, int, int)
{
    showHelp(8, { "Open the gameinfo for", "the selected game." });
}

void TForm1::b4MouseMove(TObject*, TShiftState, int, int)
{
    showHelp(9, { "rename all files of ", "the selected game. " });
}

void TForm1::b2MouseMove(TObject*, TShiftState, int, int)
{
    showHelp(10, { "Copy selected game", "and all required files", "to archive on hd." });
}

void TForm1::b6MouseMove(TObject*, TShiftState, int, int)
{
    showHelp(11, { "delete the selected", "Game from Zipdisc.", " ", "Rightclick to clear", "the entire Zipdisc." });
}

void TForm1::c1MouseMove(TObject*, TShiftState, int, int)
{
    showHelp(12, { "Click on a Col-title", "to sort the archive." });
}

void TForm1::clsMouseMove(TObject*, TShiftState, int, int)
{
    showHelp(13, { "Click here to close ", "Tavisco V2.41." });
}

void TForm1::button2MouseMove(TObject*, TShiftState, int, int)
{
    showHelp(14, { "Click here to select", "ROM-Drive letter,", "ZIP-Drive letter and", "RAM-Drive & Dir." });
}

void TForm1::Panel1MouseMove(TObject*, TShiftState, int, int)
{
    showHelp(16, { "Move N64-Logo to scroll", "the archive." });
}

void TForm1::ddmodeMouseMove(TObject*, TShiftState, int, int)
{
    showHelp(17, { "Change doubleclickmode", "for archivetable.", " ", "Choose between: ", " ", "1. Copy to zipdisc",
                     "2. Set category", "3. Show filwinfo", " " });
}

void TForm1::Image5MouseMove(TObject*, TShiftState, int, int)
{
    showHelp(18, { "Screenshot", " ", "Click here to copy", "the required picname", "to the clipboard." });
}

// The hidden check box can't be pointed at; its help stays silent.
void TForm1::arefreshMouseMove(TObject*, TShiftState, int, int)
{
}

void TForm1::nlogoMouseDown(TObject*, TMouseButton, TShiftState, int, int y)
{
    LogoDrag = true;
    LogoGrabY = y;
}

void TForm1::nlogoMouseUp(TObject*, TMouseButton, TShiftState, int, int)
{
    LogoDrag = false;
}

void TForm1::nlogoMouseMove(TObject*, TShiftState, int, int y)
{
    if (!LogoDrag)
        return;
    int top = std::clamp(nlogo->Top() + y - LogoGrabY, 0, LogoTrack);
    nlogo->SetTop(top);
    int row = static_cast<int>(static_cast<double>(top) / LogoTrack * (disk->RowCount() - 1));
    if (row != disk->Row())
        disk->SetRow(row);
}

void TForm1::Image4MouseDown(TObject*, TMouseButton, TShiftState, int x, int y)
{
    WindowDrag = true;
    GrabX = x;
    GrabY = y;
}

void TForm1::Image4MouseUp(TObject*, TMouseButton, TShiftState, int, int)
{
    WindowDrag = false;
}

void TForm1::Image4MouseMove(TObject*, TShiftState, int x, int y)
{
    if (!WindowDrag)
        return;
    SetTop(Top() + y - GrabY);
    SetLeft(Left() + x - GrabX);
}

void TForm1::Label8Click(TObject*)
{
    Label7->SetCaption(productLine);
    Panel4->SetVisible(!Panel4->Visible());
    if (!Panel4->Visible())
        return;
    sys("#");
    sys(productLine);
    sys(creditLine);
    sys(std::string(10, ' ') + contactAddress + " ");
    sys(" ");
    sys("for latest version visit:");
    sys(std::string(8, ' ') + webAddress);
}

void TForm1::Button7Click(TObject*)
{
    Panel4->Hide();
}

// The links open their addresses themselves; these handlers only refresh an action the labels
// don't have, so they have nothing to do.
void TForm1::CorvaneURLLabel1Click(TObject*) { }
void TForm1::CorvaneURLLabel2Click(TObject*) { }
void TForm1::CorvaneURLLabel3Click(TObject*) { }
void TForm1::CorvaneURLLabel4Click(TObject*) { }
