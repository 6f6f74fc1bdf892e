// SPDX-License-Identifier: MIT
#include "app/tavisco.h"
#include "catalogue/text.h"
#include "fileops/backup.h"
#include "platform/filesystem.h"

#include <cstdint>

namespace {

// Clocks of two machines, and file systems that keep times in two-second steps, disagree by that
// much.
constexpr std::int64_t kClockSlack = 2'000'000'000;
// A flash cart's save file of this size or less is an EEPROM's; a larger one is SRAM or FlashRAM.
constexpr std::uint64_t kLargestEeprom = 2048;

bool isSave(const std::string& path)
{
    std::string name = lowerAZ(fileNameOf(path));
    for (const char* ext : { ".eep", ".ram", ".sav" })
        if (name.ends_with(ext))
            return true;
    return false;
}

bool writtenLater(const std::string& first, const std::string& second, std::int64_t slack = 0)
{
    auto& fs = platform::FileSystem::instance();
    auto a = fs.fileState(first);
    auto b = fs.fileState(second);
    return a && b && a->modified > b->modified + slack;
}

}

// A file that is there and would get other bytes is kept before it is replaced. Bytes that cannot
// be read cannot be compared: that file is not replaced, nor is a file whose backup failed.
TForm1::Replacing TForm1::keepreplaced(const std::string& source, const std::string& destination,
    const std::string& backups)
{
    auto& fs = platform::FileSystem::instance();
    if (backups.empty() || !fs.fileExists(destination))
        return { Replacing::Copy, false };
    auto kept = fs.readFile(destination);
    auto coming = fs.readFile(source);
    if (!kept || !coming)
        return { Replacing::Refused, false };
    if (*kept == *coming)
        return { Replacing::Identical, false };
    if (!keepBackup(destination, backups))
        return { Replacing::Refused, false };
    return { Replacing::Copy, isSave(destination) && writtenLater(destination, source, kClockSlack) };
}

// A save removed from the medium is kept first; without its backup it stays.
bool TForm1::keptbeforeremoval(const std::string& path)
{
    return !isSave(path) || !platform::FileSystem::instance().fileExists(path)
        || keepBackup(path, backupsfor(ZipRoot)).has_value();
}

// Files of the medium are kept apart from the archive's, which may have the same names.
std::string TForm1::backupsfor(const std::string& imageDir) const
{
    return RamDir + (imageDir == ZipRoot ? "backup\\zip\\" : "backup\\");
}

// A flash cart's open menu, found in the card's root, keeps each game's save in saves\.
bool TForm1::oncard() const
{
    return platform::FileSystem::instance().directoryExists(ZipRoot + "menu");
}

// The archive file the card's save of a game stands for: the archive's .eep, else its .ram, else
// the kind its size tells. Empty when the game has no save on a card.
std::string TForm1::cardsavefor(const std::string& base) const
{
    if (base.empty() || !oncard() || !ownsfile(cardsave(base), ZipRoot))
        return {};
    for (const char* ext : { ".eep", ".ram" })
        if (ownsfile(RamPath + base + ext, RomPath))
            return ext;
    auto state = platform::FileSystem::instance().fileState(cardsave(base));
    return state && state->length > kLargestEeprom ? ".ram" : ".eep";
}

// Of a root file and the card's save that both stand for one archive file, the one an update
// takes: the one written later (the menu writes saves\ while the game is played); on a tie, or
// when the times cannot be told, the root's.
std::string TForm1::updatesource(const std::string& rootFile, const std::string& cardFile) const
{
    return !ownsfile(rootFile, ZipRoot) || writtenLater(cardFile, rootFile) ? cardFile : rootFile;
}

// A card's menu reads a game's save from saves\: the archive's .eep, else its .ram, as it is.
bool TForm1::copytocard(const std::string& ramFrom, const std::string& base)
{
    auto& fs = platform::FileSystem::instance();
    std::string source = ramFrom + base + ".eep";
    if (!ownsfile(source, RomPath))
        source = ramFrom + base + ".ram";
    if (!ownsfile(source, RomPath))
        return true;
    std::string folder = folderOf(cardsave(base));
    if (!fs.directoryExists(folder) && !fs.CreateDirectoryA(folder)) {
        sysdis("Could not copy " + fileNameOf(source));
        return false;
    }
    return copycompanion(source, RomPath, cardsave(base), ZipRoot, backupsfor(ZipRoot));
}
