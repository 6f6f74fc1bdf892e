// SPDX-License-Identifier: MIT
#include "app/tavisco.h"
#include "catalogue/text.h"
#include "platform/filesystem.h"

// The game info and cheat text editors. Both files live in RamPath, for Zip games too; each is
// written by its editor's Close, to the file the editor was opened for.

void TForm1::queueFileLines(const std::string& action, const std::string& fileName)
{
    sys(" ");
    sys(action + fileName);
    sys(" ");
}

void TForm1::b5Click(TObject*)
{
    // Opened again for another game, the editor first saves what it holds, as its Close does.
    if (infop->Visible())
        Button3Click(this);
    queueFileLines("Opening ", SelectedGame + ".nfo");
    Label3->SetCaption(SelectedTitle);
    InfoFile = RamPath + SelectedGame + ".nfo";
    if (ownsfile(InfoFile, shownimages()))
        info->LoadFromFile(InfoFile);
    else
        info->Clear();
    infop->Show();
}

void TForm1::Button3Click(TObject*)
{
    queueFileLines("Closing ", SelectedGame + ".nfo");
    // An emptied editor writes nothing: the file keeps what it had.
    if (!trim(info->Text()).empty()) {
        writablefor(InfoFile);
        info->SaveToFile(InfoFile);
    }
    infop->Hide();
}

void TForm1::Button4Click(TObject*)
{
    info->SelectAll();
    info->CopyToClipboard();
    info->ClearSelection();
}

void TForm1::Button5Click(TObject*)
{
    info->PasteFromClipboard();
}

void TForm1::ViewEditZCC1Click(TObject*)
{
    if (Panel3->Visible())
        Button6Click(this);
    queueFileLines("Opening ", SelectedGame + ".zcc");
    Label9->SetCaption(SelectedTitle);
    ZccFile = RamPath + SelectedGame + ".zcc";
    if (ownsfile(ZccFile, shownimages()))
        zcc->Lines().LoadFromFile(ZccFile);
    else
        zcc->Lines().Clear();
    Panel3->Show();
}

void TForm1::Button6Click(TObject*)
{
    queueFileLines("Closing ", SelectedGame + ".zcc");
    if (!trim(zcc->Text()).empty()) {
        writablefor(ZccFile);
        zcc->Lines().SaveToFile(ZccFile);
    }
    Panel3->Hide();
}
