#include "app/tavisco.h"
#include "catalogue/text.h"
#include "platform/filesystem.h"

namespace {

const char* const copyExtensions[] = { ".eep", ".ips", ".aps", ".zcc", ".ram" };
const char* const updateExtensions[] = { ".eep", ".zcc", ".ram" };

}

bool TForm1::copyexisting(const std::string& source, const std::string& destination)
{
    auto& fs = platform::FileSystem::instance();
    // A file missing on a ready drive is skipped; on a drive that is not ready nothing can be known.
    bool present = fs.fileExists(source);
    if (!present && fs.driveReadyFor(source))
        return true;
    if (present && fs.CopyFileA(source, destination, false))
        return true;
    sysdis("Could not copy " + fileNameOf(source));
    return false;
}

// Copies the image and the companion files of one game from one place to another.
bool TForm1::copyGame(const std::string& romFrom, const std::string& ramFrom, const std::string& romTo,
    const std::string& ramTo, const std::string& romFile)
{
    bool ok = copyexisting(romFrom + romFile, romTo + romFile);
    for (const char* ext : copyExtensions)
        ok = copyexisting(ramFrom + SelectedGame + ext, ramTo + SelectedGame + ext) && ok;
    return ok;
}

bool TForm1::updateSaves(const std::string& base)
{
    bool ok = true;
    for (const char* ext : updateExtensions)
        ok = copyexisting(ZipRoot + base + ext, RamPath + base + ext) && ok;
    return ok;
}

void TForm1::b1Click(TObject*)
{
    int r = disk->Row();
    sys("+");
    closeeditors(SelectedGame);
    sysdis("Copy " + disk->Cell(0, r));
    sysdis("to Zipdisc, please wait...");
    bool ok = copyGame(RomPath, RamPath, ZipRoot, ZipRoot, disk->Cell(5, r));
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
    bool ok = copyGame(ZipRoot, ZipRoot, RomPath, RamPath, zip->Cell(5, r));
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
