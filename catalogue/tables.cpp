#include "app/tavisco.h"
#include "catalogue/text.h"
#include "platform/filesystem.h"

#include <algorithm>

namespace {
constexpr int columns = 7;
}

void TForm1::clearTable(tk::TStringGrid* grid)
{
    grid->SetRowCount(1);
    grid->SetRowCells(0, std::vector<std::string>(columns));
}

// Writes the current record into the table's last row.
void TForm1::fillRow(tk::TStringGrid* grid)
{
    grid->SetRowCells(grid->RowCount() - 1, fileinfo->Lines().Lines());
}

void TForm1::showZipTotal(int total)
{
    full->SetProgress(std::clamp(total, 0, ZipCapacity));
    // The caption has room for three digits; a larger total keeps the last one shown.
    if (total < 1000)
        fully->SetCaption(padLeft(total, 3, '0') + " MBit");
}

// The no-disk state; the poll also reselects the archive game once when the disk has just gone.
void TForm1::emptyZipTable(bool reportGone)
{
    nozip->Show();
    clearTable(zip);
    Repaint();
    if (reportGone && ZipPresent)
        diskClick(this);
    ZipPresent = false;
    fully->SetCaption("000 MBit");
    full->SetProgress(0);
}

void TForm1::diskrefreshClick(TObject*)
{
    sysdis("Refreshing romlist.");
    platform::FileSystem::instance().removeAbandonedPartials(RomPath);
    filelist->SetDirectory(RomPath);
    getrominf->Show();
    Repaint();
    clearTable(disk);
    catlist->Items().Clear();
    for (const auto& name : filelist->Items().Lines()) {
        getfileinfo(name);
        fillRow(disk);
        disk->SetRowCount(disk->RowCount() + 1);
    }
    disk->SetRowCount(std::max(1, disk->RowCount() - 1));
    getrominf->Hide();
    sysdis("Refreshing complete.");
    disk->SetRow(0);
    diskClick(this);
    closedroppededitors();
}

void TForm1::ziprefreshClick(TObject*)
{
    try {
        platform::FileSystem::instance().removeAbandonedPartials(ZipRoot);
        filelist->SetDirectory(ZipRoot);
    } catch (const std::exception&) {
        emptyZipTable(false);
        closedroppededitors();
        return;
    }
    sysdis("Refreshing romlist.");
    getrominf2->Show();
    nozip->Hide();
    clearTable(zip);
    Repaint();
    int total = 0;
    for (const auto& name : filelist->Items().Lines()) {
        getfileinfo(name);
        fillRow(zip);
        // An image that could not be read has no size and counts nothing.
        total += readInteger(zip->Cell(2, zip->RowCount() - 1)).value_or(0);
        showZipTotal(total);
        zip->SetRowCount(zip->RowCount() + 1);
    }
    showZipTotal(total);
    zip->SetRowCount(std::max(1, zip->RowCount() - 1));
    getrominf2->Hide();
    sysdis("Refreshing complete.");
    zip->SetRow(0);
    zipClick(this);
    closedroppededitors();
}
