// SPDX-License-Identifier: MIT
#include "platform/filesystem.h"
#include "tests/support/exfat_volume.h"
#include "tests/support/temp_drives.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

namespace {

struct Answer {
    bool file, directory;
    std::optional<std::string> onDisk;
    bool operator==(const Answer&) const = default;
};

Answer ask(platform::FileSystem& files, const std::string& winPath)
{
    return { files.fileExists(winPath), files.directoryExists(winPath), files.nameOnDisk(winPath) };
}

// Entries in several letter cases, one with a letter outside ASCII (stored as UTF-8), a folder
// and, where the file system has them, links; then every spelling asked with and without a held
// listing must get the host's own answer.
void expectHeldAnswersAsTheHost(TempDrives& drives, const std::string& dir)
{
    auto& files = drives.files();
    for (const char* name : { "Mario.v64", "mario.eep", "GAME.EEP", "\xC3\x89tude.eep" })
        std::ofstream(dir + "/" + name) << name;
    std::filesystem::create_directory(dir + "/Sub");
    ::symlink("Mario.v64", (dir + "/link.ram").c_str());
    ::symlink("nowhere", (dir + "/dangling.ram").c_str());
    const char* const asked[] = { "Mario.v64", "MARIO.V64", "mario.eep", "Mario.eep", "MARIO.EEP", "GAME.EEP",
        "game.eep", "missing.eep", "\xC9tude.eep", "\xE9tude.eep", "\xE9TUDE.eep", "Sub", "sub", "link.ram",
        "LINK.RAM", "dangling.ram", "?ude.eep", "..", "" };
    std::vector<Answer> host;
    for (const char* name : asked)
        host.push_back(ask(files, "d:\\" + std::string(name)));
    auto held = files.holdListings({ "d:\\" });
    for (std::size_t i = 0; i < host.size(); ++i)
        EXPECT_TRUE(ask(files, "d:\\" + std::string(asked[i])) == host[i]) << asked[i];

    // A change the program makes is seen at once.
    ASSERT_TRUE(files.writeFileAtomic("d:\\new.ips", "x"));
    EXPECT_TRUE(files.fileExists("d:\\NEW.IPS"));
}

TEST(HeldListing, AnswersAsTheHostInAFolderThatKeepsCase)
{
    TempDrives drives;
    expectHeldAnswersAsTheHost(drives, drives.map('d'));
}

TEST(HeldListing, AnswersAsTheHostInAFolderThatIgnoresCase)
{
    TempDrives drives;
    std::string d = drives.map('d');
    ExfatVolume volume(d);
    if (!volume.mounted())
        GTEST_SKIP() << volume.whyNot();
    drives.files().forgetListings();
    expectHeldAnswersAsTheHost(drives, d);
}

}
