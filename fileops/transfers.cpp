// SPDX-License-Identifier: MIT
#include "app/tavisco.h"
#include "catalogue/text.h"
#include "platform/filesystem.h"
#include "toolkit/application.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>

namespace {

const char* const copyExtensions[] = { ".eep", ".ips", ".aps", ".zcc", ".ram" };
const char* const updateExtensions[] = { ".eep", ".zcc", ".ram" };

}

// A companion found only by ignoring letter case that is another game's is not copied; nor is
// one copied over another game's file so found (it would take that game's place).
bool TForm1::copycompanion(const std::string& source, const std::string& sourceImages,
    const std::string& destination, const std::string& destinationImages, const std::string& backups)
{
    if (othersfile(source, sourceImages))
        return true;
    if (othersfile(destination, destinationImages)) {
        sysdis("Could not copy " + fileNameOf(source));
        return false;
    }
    return copyexisting(source, destination, backups);
}

bool TForm1::copyexisting(const std::string& source, const std::string& destination, const std::string& backups)
{
    auto& fs = platform::FileSystem::instance();
    // A file missing on a ready drive is skipped; on a drive that is not ready nothing can be known.
    bool present = fs.fileExists(source);
    if (!present && fs.driveReadyFor(source))
        return true;
    if (present) {
        Replacing replacing = keepreplaced(source, destination, backups);
        if (replacing.step == Replacing::Identical)
            return true;
        if (replacing.step == Replacing::Copy && fs.CopyFileA(source, destination, false)) {
            if (replacing.newer)
                sysdis("Kept newer save " + fileNameOf(destination));
            return true;
        }
    }
    sysdis("Could not copy " + fileNameOf(source));
    return false;
}

// Runs the copies of one operation with the window kept painted and the progress shown: the title
// bar tells how far the file being copied is, and a copy onto the Zip disk fills the gauge as its
// bytes arrive. The console is left to its own lines and pace.
bool TForm1::watchingCopies(bool toZip, const std::function<bool()>& copies)
{
    auto& fs = platform::FileSystem::instance();
    const std::string caption = Caption();
    const int before = full->Progress();
    std::uint64_t earlier = 0, current = 0;
    fs.watchCopies([&](std::uint64_t done, std::uint64_t total) {
        // Each file starts at nothing.
        if (done < current)
            earlier += current;
        current = done;
        SetCaption(caption + " - " + std::to_string(total ? done * 100 / total : 100) + "%");
        if (toZip)
            full->SetProgress(before + static_cast<int>(std::min<std::uint64_t>((earlier + done) / 131072, ZipCapacity)));
        Repaint();
        tk::Application().KeepPainted();
    });
    bool ok = false;
    try {
        ok = copies();
    } catch (...) {
        fs.watchCopies({});
        SetCaption(caption);
        throw;
    }
    fs.watchCopies({});
    SetCaption(caption);
    return ok;
}

// Copies the image and the companion files of one game from one place to another.
bool TForm1::copyGame(const std::string& romFrom, const std::string& ramFrom, const std::string& romTo,
    const std::string& ramTo, const std::string& romFile)
{
    // The image is the game: without it (moved away since the scan, or an error row) nothing is
    // copied, and that is a failure. A drive that is not ready fails every file below.
    auto& fs = platform::FileSystem::instance();
    if (romFile.empty() || (!fs.fileExists(romFrom + romFile) && fs.driveReadyFor(romFrom + romFile))) {
        sysdis("Could not copy " + romFile);
        return false;
    }
    bool ok = copyexisting(romFrom + romFile, romTo + romFile);
    for (const char* ext : copyExtensions)
        ok = copycompanion(ramFrom + SelectedGame + ext, romFrom, ramTo + SelectedGame + ext, romTo, backupsfor(romTo))
            && ok;
    if (romTo == ZipRoot && oncard())
        ok = copytocard(ramFrom, SelectedGame) && ok;
    return ok;
}

bool TForm1::updateSaves(const std::string& base)
{
    bool ok = true;
    // Without a game name the extensions alone would name files.
    if (base.empty())
        return ok;
    // A card's save goes into one archive file, decided before any is written; where the root
    // holds that file too, one of the two is taken, so no file is replaced twice.
    std::string cardInto = cardsavefor(base);
    for (const char* ext : updateExtensions) {
        std::string source = ZipRoot + base + ext;
        if (ext == cardInto)
            source = updatesource(source, cardsave(base));
        ok = copycompanion(source, ZipRoot, RamPath + base + ext, RomPath, backupsfor(RomPath)) && ok;
    }
    return ok;
}

void TForm1::b1Click(TObject*)
{
    int r = disk->Row();
    sys("+");
    closeeditors(SelectedGame);
    sysdis("Copy " + disk->Cell(0, r));
    sysdis("to Zipdisc, please wait...");
    bool ok = watchingCopies(true, [&] { return copyGame(RomPath, RamPath, ZipRoot, ZipRoot, disk->Cell(5, r)); });
    sysdis(ok ? "Copy complete." : "Copy failed !!!");
    sysdis("Wait until the Zipled is off...");
    ziprefreshClick(this);
}

void TForm1::b2Click(TObject*)
{
    int r = zip->Row();
    sys("+");
    closeeditors(SelectedGame);
    sysdis("Copy " + zip->Cell(0, r));
    sysdis("to archive, please wait...");
    bool ok = watchingCopies(false, [&] { return copyGame(ZipRoot, ZipRoot, RomPath, RamPath, zip->Cell(5, r)); });
    sysdis(ok ? "Copy complete." : "Copy failed !!!");
    sysdis("Wait until the Zipled is off...");
    diskrefreshClick(this);
}

void TForm1::b3Click(TObject*)
{
    sys("+");
    closeeditors(SelectedGame);
    sysdis("Update " + zip->Cell(0, zip->Row()));
    bool ok = updateSaves(SelectedGame);
    sysdis(ok ? "Update complete." : "Update failed !!!");
    sysdis("Wait until the Zipled is off...");
    zipClick(this);
}

void TForm1::Updateall1Click(TObject*)
{
    sys("+");
    closeeditors("");
    bool ok = true;
    for (int r = 0; r < zip->RowCount(); ++r) {
        sysdis("Update " + zip->Cell(0, r));
        ok = updateSaves(getfield(zip->Cell(5, r), '.', 1)) && ok;
    }
    sysdis(ok ? "Update complete." : "Update failed !!!");
    sysdis("Wait until the Zipled is off...");
    zipClick(this);
}
