// SPDX-License-Identifier: MIT
#include "app/tavisco.h"
#include "catalogue/text.h"
#include "platform/filesystem.h"

namespace {

// A region's folder and its two picture folders, as the move writes them.
struct Region {
    const char* folder;
    const char* boxart;
    const char* screens;
};

constexpr Region usa { "usa\\", "usa\\boxart\\", "usa\\screens\\" };
constexpr Region eur { "eur\\", "eur\\boxart\\", "eur\\screens\\" };
constexpr Region jap { "jap\\", "jap\\boxart\\", "jap\\screens\\" };
constexpr Region intl { "int\\", "int\\boxart\\", "int\\screens\\" };

const Region& regionOf(const std::string& folder)
{
    for (const Region* r : { &usa, &eur, &jap, &intl })
        if (folder == r->folder)
            return *r;
    return usa;
}

}

bool TForm1::ensuredir(const std::string& dir)
{
    auto& fs = platform::FileSystem::instance();
    if (fs.directoryExists(dir))
        return true;
    bool created = fs.CreateDirectoryA(dir);
    sysdis(" ");
    sysdis("Creating directory:");
    sysdis(dir);
    // "Creating" alone would read as done.
    if (!created)
        sysdis("Could not create directory");
    return created;
}

// Region buttons: the archive table shows the region's folders, which are made when missing.
void TForm1::switchRegion(const std::string& region, tk::TMenuItem* ownItem)
{
    // The table shows the region's ROM folder: one that cannot be made or opened is not switched
    // to, and the region, its paths and the saved line stay as they were.
    auto& fs = platform::FileSystem::instance();
    std::string romPath = RomDir + region;
    if (!ensuredir(romPath))
        return;
    if (!fs.listFiles(romPath, "*")) {
        sysdis("Cannot open directory " + romPath);
        return;
    }
    closeeditors("");
    for (tk::TMenuItem* item : { MovetoUSA1, movetoEUR1, movetoJAP1, movetoINT1 })
        item->SetVisible(item != ownItem);
    RegionFolder = region;
    RomPath = romPath;
    RamPath = RamDir + region;
    ensuredir(RamPath);
    ensuredir(RamPath + "screens");
    ensuredir(RamPath + "boxart");
    ini->Lines().Put(3, RegionFolder);
    diskrefreshClick(this);
}

void TForm1::SpeedButton1Click(TObject*) { switchRegion(usa.folder, MovetoUSA1); }
void TForm1::SpeedButton2Click(TObject*) { switchRegion(eur.folder, movetoEUR1); }
void TForm1::SpeedButton3Click(TObject*) { switchRegion(jap.folder, movetoJAP1); }
void TForm1::SpeedButton4Click(TObject*) { switchRegion(intl.folder, movetoINT1); }

// The moves that take the selected game from the folders shown into the region's, for the files
// that exist. A file that already lies where it would go (the region shown) needs no move.
TForm1::FileMoves TForm1::regionPlan(const std::string& folder) const
{
    auto& fs = platform::FileSystem::instance();
    const Region& r = regionOf(folder);
    const std::string& n = SelectedGame;
    FileMoves plan;
    auto add = [&](const std::string& from, const std::string& to) {
        if (ownsfile(from, RomPath) && !fs.sameEntry(from, to))
            plan.emplace_back(from, to);
    };
    for (const char* ext : ImageExtensions)
        add(RomPath + n + ext, RomDir + r.folder + n + ext);
    // An image named beyond its base name (a.b.v64) goes with its game.
    if (imageBeyondBase(n, SelectedRomFile))
        add(RomPath + SelectedRomFile, RomDir + r.folder + SelectedRomFile);
    for (const char* ext : { ".eep", ".ram", ".zcc", ".ips" })
        add(RamPath + n + ext, RamDir + r.folder + n + ext);
    add(RamPath + "boxart\\" + n + ".bmp", RamDir + r.boxart + n + ".bmp");
    add(RamPath + "screens\\" + n + ".bmp", RamDir + r.screens + n + ".bmp");
    add(RamPath + n + ".nfo", RamDir + r.folder + n + ".nfo");
    add(RamPath + n + ".cat", RamDir + r.folder + n + ".cat");
    return plan;
}

// A move that could not be made whole is not begun: each file whose place is taken or whose
// folder is missing is named.
bool TForm1::regionMoveBlocked(const FileMoves& plan)
{
    auto& fs = platform::FileSystem::instance();
    bool blocked = false;
    for (const auto& [from, to] : plan) {
        if (fs.fileExists(to) || fs.directoryExists(to) || !fs.directoryExists(folderOf(to))) {
            sysdis("Could not move " + fileNameOf(from));
            blocked = true;
        }
    }
    return blocked;
}

void TForm1::moveToRegion(const std::string& folder, const std::string& ending)
{
    sys("+");
    closeeditors(SelectedGame);
    sysdis("Moving " + SelectedTitle + ending);
    platform::FileSystem::instance().forgetListings();
    // Without a game name the extensions alone would name files.
    bool ok = false;
    if (!SelectedGame.empty()) {
        FileMoves plan = regionPlan(folder);
        ok = !regionMoveBlocked(plan) && moveAll(plan, "Could not move ");
    }
    sysdis(ok ? "Move complete." : "Move failed !!!");
    diskrefreshClick(this);
}

void TForm1::MovetoUSA1Click(TObject*) { moveToRegion(usa.folder, " to USA."); }
void TForm1::movetoEUR1Click(TObject*) { moveToRegion(eur.folder, " to EUR."); }
void TForm1::movetoJAP1Click(TObject*) { moveToRegion(jap.folder, " to JAP."); }
void TForm1::movetoINT1Click(TObject*) { moveToRegion(intl.folder, " to INT."); }
