// SPDX-License-Identifier: MIT
#include "platform/drive_map.h"
#include "platform/filesystem.h"
#include "tests/support/failing_folder.h"
#include "tests/support/temp_drives.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using platform::DriveMap;

namespace {

std::string dirOf(const DriveMap& map, char letter)
{
    return map.hostDir(letter).value_or("(none)");
}

void writeText(const std::string& path, const std::string& text)
{
    std::ofstream(path) << text;
}

}

TEST(DriveMap, StandardLettersThenVolumesFromE)
{
    DriveMap map;
    map.mapStandard("/home/alice", { "/media/alice/SD", "/media/alice/ZIP-100" }, {});
    EXPECT_EQ(map.letters(), (std::vector<char> { 'c', 'd', 'e', 'f' }));
    EXPECT_EQ(dirOf(map, 'c'), "/");
    EXPECT_EQ(dirOf(map, 'D'), "/home/alice");
    EXPECT_EQ(dirOf(map, 'e'), "/media/alice/SD");
    EXPECT_EQ(dirOf(map, 'f'), "/media/alice/ZIP-100");
}

TEST(DriveMap, PinsTakePrecedenceAndLeaveTheAutomaticList)
{
    DriveMap map;
    map.mapStandard("/home/alice", { "/media/alice/A", "/media/alice/ZIP-100", "/mnt/usb" },
        { { 'z', "/media/alice/ZIP-100" }, { 'f', "/srv/roms" }, { 'd', "/data" } });
    EXPECT_EQ(map.letters(), (std::vector<char> { 'c', 'd', 'e', 'f', 'g', 'z' }));
    EXPECT_EQ(dirOf(map, 'd'), "/data");
    EXPECT_EQ(dirOf(map, 'e'), "/media/alice/A");
    EXPECT_EQ(dirOf(map, 'f'), "/srv/roms");  // pinned, so the next volume skips it
    EXPECT_EQ(dirOf(map, 'g'), "/mnt/usb");
    EXPECT_EQ(dirOf(map, 'z'), "/media/alice/ZIP-100");
}

TEST(DriveMap, ReadsPinsFromIni)
{
    TempDrives drives;
    writeText(drives.root() + "/drives.ini",
        "; the zip drive\r\n"
        "# comment\n"
        "\n"
        "z=/media/alice/ZIP-100/\n"
        "  Y:= sub/dir  \n"
        "nonsense line\n"
        "1=/bad/letter\n");
    auto pins = DriveMap::readPins(drives.root() + "/drives.ini", drives.root());
    ASSERT_EQ(pins.size(), 2u);
    EXPECT_EQ(pins[0].letter, 'z');
    EXPECT_EQ(pins[0].hostDir, "/media/alice/ZIP-100");
    EXPECT_EQ(pins[1].letter, 'y');
    EXPECT_EQ(pins[1].hostDir, drives.root() + "/sub/dir");
    EXPECT_TRUE(DriveMap::readPins(drives.root() + "/missing.ini", "/").empty());
}

TEST(DriveMap, VolumesAreVisibleSubdirectoriesInPathOrder)
{
    TempDrives drives;
    namespace fs = std::filesystem;
    std::string media = drives.root() + "/media", mnt = drives.root() + "/mnt";
    for (const char* dir : { "/media/ZIP", "/media/.hidden", "/media/Card", "/mnt/a" })
        fs::create_directories(drives.root() + dir);
    writeText(media + "/file", "x");
    EXPECT_EQ(DriveMap::volumesUnder({ mnt, media, drives.root() + "/nowhere" }),
        (std::vector<std::string> { media + "/Card", media + "/ZIP", mnt + "/a" }));
}

// The scan at start-up lists every mount folder; one whose listing fails part-way (a medium going
// bad) gives what it could list, and the scan goes on.
TEST(DriveMap, AMountFolderThatFailsPartWayGivesWhatItListed)
{
    TempDrives drives;
    std::string media = drives.root() + "/media", mnt = drives.root() + "/mnt";
    std::filesystem::create_directories(mnt + "/a");
    FailingFolder failing(media, { "ZIP", "Card" });
    if (!failing.mounted())
        GTEST_SKIP() << failing.whyNot();
    std::vector<std::string> volumes;
    EXPECT_NO_THROW(volumes = DriveMap::volumesUnder({ media, mnt }));
    EXPECT_EQ(volumes, (std::vector<std::string> { media + "/ZIP", mnt + "/a" }));
}

TEST(DriveMap, LongestPrefixNamesTheWindowsPath)
{
    TempDrives drives;
    auto& files = drives.files();
    files.setDrive('c', "/");
    std::string d = drives.map('d');
    std::string z = drives.map('z');
    std::filesystem::create_directories(d + "/zip");
    files.setDrive('y', d + "/zip");
    EXPECT_EQ(files.windowsPath(d + "/roms/n64"), "D:\\roms\\n64");
    EXPECT_EQ(files.windowsPath(d), "D:\\");
    EXPECT_EQ(files.windowsPath(d + "/zip/x.v64"), "Y:\\x.v64");
    EXPECT_EQ(files.windowsPath(d + "/zipper"), "D:\\zipper"); // a prefix of the name is no prefix
    EXPECT_EQ(files.windowsPath(z + "/./a/../caf\u00E9"), "Z:\\caf\xE9");
    EXPECT_EQ(files.windowsPath("/etc/passwd"), "C:\\etc\\passwd");
    EXPECT_EQ(files.windowsPath("relative/path"), std::nullopt);
}

TEST(DriveMap, LabelsAndReadiness)
{
    TempDrives drives;
    auto& files = drives.files();
    std::filesystem::create_directories(drives.root() + "/ZIP-100");
    files.setDrive('Z', drives.root() + "/ZIP-100/");
    files.setDrive('c', "/");
    files.setDrive('q', drives.root() + "/missing");
    EXPECT_EQ(files.drives(), (std::vector<char> { 'c', 'q', 'z' }));
    EXPECT_EQ(files.volumeLabel('z'), "ZIP-100");
    EXPECT_EQ(files.volumeLabel('c'), "");
    EXPECT_TRUE(files.driveReady('Z'));
    EXPECT_FALSE(files.driveReady('q')); // mapped, but no disk in it
    EXPECT_FALSE(files.driveReady('x')); // no drive at all
    EXPECT_FALSE(files.directoryExists("q:\\"));
    EXPECT_EQ(files.listFiles("q:\\", "*.*"), std::nullopt);
    EXPECT_EQ(files.listFiles("x:\\", "*.*"), std::nullopt);
}

TEST(DriveMap, RemovedDriveIsNotReadyUntilItComesBack)
{
    TempDrives drives;
    drives.map('z');
    drives.write("z:\\GAME.V64", "data");
    drives.removeDrive('z');
    auto& files = drives.files();
    EXPECT_FALSE(files.driveReady('z'));
    EXPECT_FALSE(files.fileExists("z:\\GAME.V64"));
    EXPECT_FALSE(files.CopyFileA("z:\\GAME.V64", "c:\\GAME.V64", false));
    EXPECT_FALSE(files.writeFileAtomic("z:\\new.txt", "x"));
    drives.map('z');
    EXPECT_TRUE(files.driveReady('z'));
}

TEST(DriveMap, DefaultDrivesReadTheIniInTheStartDirectory)
{
    TempDrives drives;
    std::string zip = drives.map('z');
    writeText(drives.root() + "/drives.ini", "z=" + zip + "\nc=" + drives.root() + "/c\n");
    auto& files = drives.files();
    files.mapDefaultDrives(drives.root());
    EXPECT_EQ(files.hostPath("z:\\"), zip);
    EXPECT_EQ(files.hostPath("C:\\"), drives.root() + "/c");
    EXPECT_EQ(files.hostPath("d:\\"), DriveMap::normalHostPath(DriveMap::homeDirectory()));
}
