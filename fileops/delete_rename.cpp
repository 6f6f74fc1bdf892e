// SPDX-License-Identifier: MIT
#include "app/tavisco.h"
#include "catalogue/text.h"
#include "platform/filesystem.h"
#include "toolkit/application.h"
#include "toolkit/dialogs.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

namespace {

const char* const deleteExtensions[] = { ".ram", ".ips", ".zcc", ".eep" };
const char* const renameExtensions[] = { ".eep", ".ram", ".zcc", ".ips", ".bmp", ".nfo", ".cat" };

bool confirmed(const std::string& text)
{
    return tk::Application().Dialogs().MessageBox(text, "Warning !!!", tk::MB_OKCANCEL) == tk::IDOK;
}

// A name Windows could give a file: not blank, no reserved or control characters, not "." or "..".
bool validName(const std::string& name)
{
    std::string trimmed = trim(name);
    if (trimmed.empty() || trimmed == "." || trimmed == "..")
        return false;
    for (char c : name)
        if (static_cast<unsigned char>(c) < 32 || std::string("\\/:*?\"<>|").find(c) != std::string::npos)
            return false;
    return true;
}

}

// Deletes a game's files from the Zip root: the files named after its base name (and a card's save),
// then the image under its own name. A file that is not there is no failure.
bool TForm1::deleteGame(const std::string& base, const std::string& romFile)
{
    auto& fs = platform::FileSystem::instance();
    std::vector<std::string> names;
    for (const char* ext : ImageExtensions)
        names.push_back(base + ext);
    for (const char* ext : deleteExtensions)
        names.push_back(base + ext);
    if (oncard())
        names.push_back(CardSaves + base + ".sav");
    // The image, unless one of those names is already it (the file system ignores letter case).
    if (std::none_of(names.begin(), names.end(), [&](const std::string& n) { return lowerAZ(n) == lowerAZ(romFile); }))
        names.push_back(romFile);
    bool ok = true;
    for (const auto& name : names) {
        std::string path = ZipRoot + name;
        if (name.empty() || othersfile(path, ZipRoot))
            continue;
        if (keptbeforeremoval(path) && (fs.DeleteFileA(path) || (!fs.fileExists(path) && fs.driveReadyFor(path))))
            continue;
        sysdis("Could not delete " + name);
        ok = false;
    }
    return ok;
}

void TForm1::b6Click(TObject*)
{
    Timer3->SetInterval(1000);
    std::string name = SelectedGame;
    std::string romFile = SelectedRomFile;
    if (!confirmed("Are you sure to delete " + name + ".* from ZipDrive ?"))
        return;
    sys("+");
    closeeditors(name);
    bool ok = true;
    // Without a game name the extensions alone would name files.
    if (!name.empty()) {
        sysdis("Deleting " + name + ".*");
        ok = deleteGame(name, romFile);
    }
    sysdis(ok ? "Delete complete" : "Delete failed !!!");
    ziprefreshClick(this);
}

void TForm1::ClearZipDisk1Click(TObject*)
{
    if (!confirmed("Are you sure to clear the Zipdisc ?"))
        return;
    closeeditors("");
    bool ok = true;
    for (int r = 0; r < zip->RowCount(); ++r) {
        std::string base = getfield(zip->Cell(5, r), '.', 1);
        if (base.empty())
            continue;
        sysdis("Deleting " + base + ".*");
        ok = deleteGame(base, zip->Cell(5, r)) && ok;
    }
    sysdis(" ");
    sysdis(ok ? "Zipdisc cleared." : "Delete failed !!!");
    ziprefreshClick(this);
}

// The renames a new name asks for, as (old path, new path), for the files that exist.
TForm1::FileMoves TForm1::renamePlan(
    const std::string& old, const std::string& renamed, const std::string& romFile) const
{
    FileMoves plan;
    auto add = [&](const std::string& dir, const std::string& from, const std::string& to) {
        if (ownsfile(dir + from, RomPath))
            plan.emplace_back(dir + from, dir + to);
    };
    for (const char* ext : ImageExtensions)
        add(RomPath, old + ext, renamed + ext);
    for (const char* ext : renameExtensions)
        add(RamPath, old + ext, renamed + ext);
    std::string rest = romFile.substr(std::min(romFile.find('.'), romFile.size()));
    if (imageBeyondBase(old, romFile))
        add(RomPath, romFile, renamed + rest);
    return plan;
}

bool TForm1::imageBeyondBase(const std::string& base, const std::string& romFile)
{
    std::string image = lowerAZ(romFile);
    return !romFile.empty() && std::none_of(std::begin(ImageExtensions), std::end(ImageExtensions),
        [&](const char* ext) { return image == lowerAZ(base + ext); });
}

// Moves every file of the plan, in order, or none: on the first refusal it reports the file and
// moves back what it had already moved.
bool TForm1::moveAll(const FileMoves& plan, const std::string& failure)
{
    auto& fs = platform::FileSystem::instance();
    FileMoves done;
    for (const auto& [from, to] : plan) {
        if (!fs.MoveFileA(from, to)) {
            sysdis(failure + fileNameOf(from));
            // What cannot go back (its drive gone, its name taken meanwhile) is left split off the
            // game: each such file is named.
            for (auto it = done.rbegin(); it != done.rend(); ++it)
                if (!fs.MoveFileA(it->second, it->first))
                    sysdis("Could not move back " + fileNameOf(it->second));
            return false;
        }
        done.emplace_back(from, to);
    }
    return true;
}

void TForm1::b4Click(TObject*)
{
    auto& fs = platform::FileSystem::instance();
    std::string old = SelectedGame;
    std::string romFile = SelectedRomFile;
    std::string renamed = old;
    if (!tk::Application().Dialogs().InputQuery("Rename all Files of \"" + SelectedTitle + "\"",
            "Enter new name for: " + old + ".*", renamed))
        return;
    sys("+");
    closeeditors(old);
    // The dialog was open for a while: names taken meanwhile by other programs count too.
    fs.forgetListings();
    if (!validName(renamed)) {
        sysdis("Invalid name: " + renamed);
        return;
    }
    auto plan = renamed == old ? FileMoves {} : renamePlan(old, renamed, romFile);
    for (const auto& [from, to] : plan) {
        // A target that is the very file (a change of letter case) is no conflict.
        if (fs.fileExists(to) && !fs.sameEntry(from, to)) {
            sysdis("Name already in use: " + renamed + ".*");
            return;
        }
    }
    sysdis("Renaming " + old + ".* to " + renamed + ".*");
    bool ok = moveAll(plan, "Could not rename ");
    sysdis(ok ? "Rename complete." : "Rename failed !!!");
    diskrefreshClick(this);
}
