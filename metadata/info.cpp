// SPDX-License-Identifier: MIT
#include "app/tavisco.h"
#include "catalogue/text.h"
#include "fileops/backup.h"
#include "platform/filesystem.h"
#include "toolkit/file_errors.h"

// The game info and cheat text editors. Both files live in RamPath, for Zip games too; each is
// written by its editor's Close, to the file the editor was opened for.

namespace {

// The game whose file an editor holds: the file's base name.
std::string gameOf(const std::string& file)
{
    std::string name = fileNameOf(file);
    return lowerAZ(name.substr(0, name.find('.')));
}

}

// Before an operation touches a game's files (an empty base: every game's), an editor open on
// them is closed as its Close button does, so that neither its text nor the operation's result
// is written over the other.
void TForm1::closeeditors(const std::string& base)
{
    auto holds = [&](const std::string& file) { return base.empty() || gameOf(file) == lowerAZ(trim(base)); };
    if (infop->Visible() && holds(InfoFile))
        Button3Click(this);
    if (Panel3->Visible() && holds(ZccFile))
        Button6Click(this);
}

// After a rescan, an editor whose game neither table lists any more is closed.
void TForm1::closedroppededitors()
{
    auto listed = [&](const std::string& file) {
        for (const tk::TStringGrid* grid : { disk, zip })
            for (int r = 0; r < grid->RowCount(); ++r)
                if (lowerAZ(getfield(grid->Cell(5, r), '.', 1)) == gameOf(file))
                    return true;
        return false;
    };
    if (infop->Visible() && !listed(InfoFile))
        Button3Click(this);
    if (Panel3->Visible() && !listed(ZccFile))
        Button6Click(this);
}

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

// The lines name the file that is written, the one the editor was opened for.
void TForm1::Button3Click(TObject*)
{
    queueFileLines("Closing ", fileNameOf(InfoFile));
    // An unchanged Rich Text file stays as it is, byte for byte; a plain one becomes Rich Text. An
    // emptied editor writes nothing: the file keeps what it had.
    bool write = info->Modified() || info->LoadedPlainText();
    if (write && !trim(info->Text()).empty()) {
        writablefor(InfoFile);
        if (!info->SavingKeepsOriginal())
            keeporiginal(InfoFile);
        info->SaveToFile(InfoFile);
    }
    infop->Hide();
}

// No copy, no change: the failure ends the handler before the file is touched.
void TForm1::keeporiginal(const std::string& file)
{
    if (!keepBackup(file, RamDir + "backup\\"))
        throw tk::EFCreateError("Cannot keep a copy of \"" + file + "\" in \"" + RamDir + "backup\\\".");
    sys("Kept the original " + fileNameOf(file));
}

void TForm1::Button4Click(TObject*)
{
    // An empty editor has nothing to give: the clipboard keeps what it holds.
    if (info->Document().isEmpty())
        return;
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
        zcc->LoadFromFile(ZccFile);
    else
        zcc->Lines().Clear();
    Panel3->Show();
}

void TForm1::Button6Click(TObject*)
{
    queueFileLines("Closing ", fileNameOf(ZccFile));
    if (!trim(zcc->Text()).empty()) {
        writablefor(ZccFile);
        zcc->SaveToFile(ZccFile);
    }
    Panel3->Hide();
}
