// SPDX-License-Identifier: MIT
#include "app/tavisco.h"
#include "catalogue/text.h"
#include "platform/filesystem.h"
#include "toolkit/application.h"
#include "toolkit/clipboard.h"

namespace {
constexpr int noAnimation = 10;

bool exists(const std::string& path)
{
    return platform::FileSystem::instance().fileExists(path);
}

// Shows the picture file, or the stock picture when it is missing or not a readable bitmap.
void showPicture(tk::TImage* image, const std::string& path, bool own, const tk::TImage* placeholder)
{
    if (own) {
        try {
            image->Picture().LoadFromFile(path);
            return;
        } catch (const std::exception&) {
        }
    }
    image->Picture().Assign(placeholder->Picture());
}
}

bool TForm1::rowIsBlank(const tk::TStringGrid* grid, int row)
{
    for (int col = 0; col < grid->ColCount(); ++col)
        if (grid->Cell(col, row).find_first_not_of(' ') != std::string::npos)
            return false;
    return true;
}

// The pictures lie in RamPath for the games of both tables; whose a picture is, is told by the
// images of the game's own table.
void TForm1::showBoxArt()
{
    std::string path = RamPath + "boxart\\" + SelectedGame + ".bmp";
    showPicture(pic, path, ownsfile(path, shownimages()), pic_noart);
}

void TForm1::showScreenshot()
{
    std::string path = RamPath + "screens\\" + SelectedGame + ".bmp";
    showPicture(box, path, ownsfile(path, shownimages()), pic_nopic);
}

// Marks which table is active: its frame shows and its rows get lines.
void TForm1::activateTable(tk::TStringGrid* active, tk::TPanel* frame, tk::TStringGrid* other, tk::TPanel* otherFrame)
{
    ActiveTable = active;
    frame->Show();
    otherFrame->Hide();
    active->SetOptions(active->Options() | tk::goHorzLine);
    other->SetOptions(other->Options() & ~tk::goHorzLine);
}

void TForm1::queueDetails(const tk::TStringGrid* grid, int r, const std::string& location)
{
    sys("#");
    sys("Title: " + grid->Cell(0, r));
    sys("Country: " + grid->Cell(1, r));
    sys("Size: " + grid->Cell(2, r));
    sys("Category: " + grid->Cell(3, r));
    sys(grid->Cell(4, r) == "-" ? std::string("Files: none") : "Files: " + grid->Cell(4, r));
    sys("ROMFile: " + grid->Cell(5, r));
    sys("Location: " + location);
    sys(" ");
    sys(" ");
}

void TForm1::diskClick(TObject*)
{
    int r = disk->Row();
    if (Visible() && disk->CanFocus())
        disk->SetFocus();
    b2->Hide();
    b3->Hide();
    b6->Hide();
    Panel2->Hide();
    activateTable(disk, disks, zip, zips);
    NoiseStep = 0;
    box->Picture().Assign(testpic->Picture());

    int rows = disk->RowCount();
    nlogo->SetTop(rows < 2 ? 0 : r * LogoTrack / (rows - 1));

    recordSelection(disk, r);
    showBoxArt();

    int size = readInteger(disk->Cell(2, r)).value_or(999);
    b1->SetVisible(!exists(ZipRoot + disk->Cell(5, r)) && size < zipRoom() && !nozip->Visible());
    bool inArchive = exists(RomPath + disk->Cell(5, r));
    b4->SetVisible(inArchive);
    b5->SetVisible(inArchive);
    m1->SetVisible(b1->Visible());
    m4->SetVisible(b4->Visible());
    m5->SetVisible(b5->Visible());

    if (rowIsBlank(disk, r)) {
        NoiseStep = noAnimation;
        sys("#");
        sys("No Romfiles found !");
        return;
    }
    queueDetails(disk, r, RomPath);
}

void TForm1::zipClick(TObject*)
{
    int r = zip->Row();
    if (Visible() && zip->CanFocus())
        zip->SetFocus();
    b1->Hide();
    b4->Hide();
    activateTable(zip, zips, disk, disks);
    NoiseStep = 0;
    box->Picture().Assign(testpic->Picture());

    if (rowIsBlank(zip, r)) {
        NoiseStep = noAnimation;
        sys("#");
        sys("No Romfiles found !");
        return;
    }
    recordSelection(zip, r);
    showBoxArt();

    bool onZip = exists(ZipRoot + zip->Cell(5, r));
    // An error row names no image: there is nothing to copy or update.
    b2->SetVisible(onZip && !exists(RomPath + zip->Cell(5, r)));
    b3->Hide();
    bool saves = false;
    for (const char* ext : { ".eep", ".ram", ".zcc" })
        saves = saves || ownsfile(ZipRoot + SelectedGame + ext, ZipRoot);
    saves = saves || !cardsavefor(SelectedGame).empty();
    if (onZip && saves)
        b3->SetVisible(!b2->Visible());
    b6->SetVisible(onZip);
    b5->SetVisible(onZip);
    m2->SetVisible(b2->Visible());
    m3->SetVisible(b3->Visible());
    m5->SetVisible(b5->Visible());
    m6->SetVisible(b6->Visible());
    queueDetails(zip, r, ZipRoot);
}

void TForm1::recordSelection(const tk::TStringGrid* grid, int r)
{
    SelectedRomFile = grid->Cell(5, r);
    SelectedGame = getfield(SelectedRomFile, '.', 1);
    SelectedTitle = trim(grid->Cell(0, r));
}

// A press makes the row under the pointer current. On the inactive table it also selects the row
// that is already current, so a pop-up menu always acts on the row just pressed.
void TForm1::selectRow(tk::TStringGrid* grid, int row, void (TForm1::*handler)(TObject*))
{
    if (row < 0)
        return;
    if (row != grid->Row())
        grid->SetRow(row);
    else if (ActiveTable != grid)
        (this->*handler)(grid);
}

void TForm1::diskMouseDown(TObject*, TMouseButton, TShiftState, int x, int y)
{
    selectRow(disk, disk->RowAt(x, y), &TForm1::diskClick);
}

void TForm1::zipMouseDown(TObject*, TMouseButton, TShiftState, int x, int y)
{
    selectRow(zip, zip->RowAt(x, y), &TForm1::zipClick);
}

void TForm1::diskDblClick(TObject*)
{
    switch (DoubleClickMode) {
    case 1:
        if (b1->Visible())
            b1Click(this);
        break;
    case 2: Setcategory1Click(this); break;
    case 3:
        if (b5->Visible())
            b5Click(this);
        break;
    default: break;
    }
}

void TForm1::setModeCaption()
{
    switch (DoubleClickMode) {
    case 1: ddmode->SetCaption("Doubleclick copy to Zip"); break;
    case 2: ddmode->SetCaption("Doubleclick sets category"); break;
    case 3: ddmode->SetCaption("Doubleclick opens fileinfo"); break;
    default: break;
    }
}

void TForm1::ddmodeClick(TObject*)
{
    DoubleClickMode = DoubleClickMode + 1 > 3 ? 1 : DoubleClickMode + 1;
    setModeCaption();
    ini->Lines().Put(4, std::to_string(DoubleClickMode));
}

void TForm1::copyPicturePath(const std::string& path)
{
    sys("#");
    list->Lines().Clear();
    list->Lines().Add(path);
    list->SelectAll();
    list->CopyToClipboard();
    sys("Picturename:");
    sys(path);
    sys("copied to clipboard.");
}

void TForm1::picClick(TObject*)
{
    copyPicturePath(RamPath + "boxart\\" + SelectedGame + ".bmp");
}

void TForm1::Image5Click(TObject*)
{
    copyPicturePath(RamPath + "screens\\" + SelectedGame + ".bmp");
}

void TForm1::Image6Click(TObject*)
{
    testpic->SetVisible(!testpic->Visible());
}
