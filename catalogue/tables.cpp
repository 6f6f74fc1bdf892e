// SPDX-License-Identifier: MIT
#include "app/tavisco.h"
#include "catalogue/text.h"
#include "platform/filesystem.h"

#include <algorithm>
#include <climits>

namespace {
constexpr int columns = 7;

int mbit(std::uint64_t bytes)
{
    return static_cast<int>(std::min<std::uint64_t>(bytes / 131072, INT_MAX));
}

// A total of a thousand Mbit or more in the caption's three places, as sizes are counted
// (1 GBit = 1024 Mbit) and truncated: "1.2 GBit", "186 GBit", "3.5 TBit".
std::string largeTotal(long long total)
{
    long long tenths = total * 10 / 1024;
    const char* unit = " GBit";
    if (tenths >= 10000) {
        tenths /= 1024;
        unit = " TBit";
    }
    if (tenths < 100)
        return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + unit;
    return std::to_string(tenths / 10) + unit;
}
}

// A mounted volume's own size replaces the described disk's; a folder standing in for a disk
// keeps it.
void TForm1::measureZipDisk()
{
    auto space = platform::FileSystem::instance().volumeSpace(ZipRoot);
    ZipCapacity = space ? mbit(space->capacity) : ZipDiskCapacity;
    ZipVolumeUsed = space ? std::optional<int>(mbit(space->used)) : std::nullopt;
    full->SetMaxValue(ZipCapacity);
}

// What the selected archive game must be smaller than to be offered for the Zip disk: on a
// volume its free space as it is now, on a stand-in what the gauge leaves of 736 Mbit.
int TForm1::zipRoom() const
{
    if (!ZipVolumeUsed)
        return ZipCapacity - full->Progress();
    auto space = platform::FileSystem::instance().volumeSpace(ZipRoot);
    return space ? mbit(space->available) : 0;
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
    full->SetProgress(std::clamp(ZipVolumeUsed.value_or(total), 0, ZipCapacity));
    // The caption has room for three digits; on a stand-in disk a larger total keeps the last one
    // shown, a real volume's says it in larger units.
    if (total < 1000)
        fully->SetCaption(padLeft(total, 3, '0') + " MBit");
    else if (ZipVolumeUsed)
        fully->SetCaption(largeTotal(total));
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
    refreshArchive(false);
}

// The refresh as the console tells it. Start-up refreshes just after creation listed the archive:
// listing it again, unchanged, would only double the time the window takes with a large archive.
void TForm1::refreshArchive(bool unlessUnchanged)
{
    sysdis("Refreshing romlist.");
    bool unchanged = ArchiveListed && *ArchiveListed == archiveStamp() && ArchiveListed->romChanged
        && ArchiveListed->ramChanged;
    if (!unlessUnchanged || !unchanged)
        listArchive();
    sysdis("Refreshing complete.");
    disk->SetRow(0);
    diskClick(this);
    closedroppededitors();
}

TForm1::ArchiveStamp TForm1::archiveStamp() const
{
    auto& fs = platform::FileSystem::instance();
    return { RomPath, RamPath, fs.folderChanged(RomPath), fs.folderChanged(RamPath) };
}

void TForm1::listArchive()
{
    ArchiveListed.reset();
    // Copies to the archive, updates and region moves across disks write there through partial
    // files; one killed part-way leaves its partial behind.
    auto& fs = platform::FileSystem::instance();
    for (const std::string& dir : { RomPath, RamPath, RamPath + "boxart\\", RamPath + "screens\\" })
        fs.removeAbandonedPartials(dir);
    ArchiveStamp before = archiveStamp();
    filelist->SetDirectory(RomPath);
    getrominf->Show();
    Repaint();
    clearTable(disk);
    catlist->Items().Clear();
    {
        // Every game's category and companion files are asked for, most of them missing: one
        // listing of their folder answers them all.
        auto companions = fs.holdListings({ RamPath });
        for (const auto& name : filelist->Items().Lines()) {
            getfileinfo(name);
            fillRow(disk);
            disk->SetRowCount(disk->RowCount() + 1);
        }
    }
    disk->SetRowCount(std::max(1, disk->RowCount() - 1));
    getrominf->Hide();
    ArchiveListed = before;
}

void TForm1::ziprefreshClick(TObject*)
{
    try {
        platform::FileSystem::instance().keepLinksWithin(ZipRoot);
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
    measureZipDisk();
    clearTable(zip);
    Repaint();
    int total = 0;
    {
        // The companion files lie beside the images.
        auto companions = platform::FileSystem::instance().holdListings({ ZipRoot });
        for (const auto& name : filelist->Items().Lines()) {
            getfileinfo(name);
            fillRow(zip);
            // An image that could not be read has no size and counts nothing.
            total += readInteger(zip->Cell(2, zip->RowCount() - 1)).value_or(0);
            showZipTotal(total);
            zip->SetRowCount(zip->RowCount() + 1);
        }
    }
    showZipTotal(total);
    zip->SetRowCount(std::max(1, zip->RowCount() - 1));
    getrominf2->Hide();
    sysdis("Refreshing complete.");
    zip->SetRow(0);
    zipClick(this);
    closedroppededitors();
}
