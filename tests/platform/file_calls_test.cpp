// SPDX-License-Identifier: MIT
#include "platform/filesystem.h"
#include "tests/support/as_nobody.h"
#include "tests/support/exfat_volume.h"
#include "tests/support/temp_drives.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using Names = std::vector<std::string>;

TEST(CopyFile, ReplacesUnlessToldNotTo)
{
    TempDrives drives;
    drives.map('z');
    drives.write("c:\\new.v64", "new data");
    drives.write("z:\\GAME.V64", "old");
    EXPECT_FALSE(platform::CopyFileA("c:\\new.v64", "z:\\game.v64", true));
    EXPECT_EQ(drives.read("z:\\GAME.V64"), "old");
    EXPECT_TRUE(platform::CopyFileA("c:\\new.v64", "z:\\game.v64", false));
    EXPECT_EQ(drives.read("z:\\GAME.V64"), "new data"); // the existing name keeps its case
    EXPECT_EQ(TempDrives::entries(drives.root() + "/z"), (Names { "GAME.V64" }));
    EXPECT_TRUE(platform::CopyFileA("c:\\new.v64", "z:\\Other.v64", true));
    EXPECT_EQ(drives.read("z:\\Other.v64"), "new data");
    EXPECT_EQ(drives.read("c:\\new.v64"), "new data");
}

// A file system that ignores case takes any spelling for the file, and a rename onto that spelling
// gives the file the new one; the file must keep the name it has, as it does on Windows.
TEST(CopyFile, ReplacingOnACaseBlindMediumKeepsTheNameItHas)
{
    TempDrives drives;
    ExfatVolume volume(drives.map('z'));
    if (!volume.mounted())
        GTEST_SKIP() << volume.whyNot();
    drives.write("c:\\save.eep", "new save");
    drives.write("z:\\SAVE.EEP", "old save");
    EXPECT_TRUE(platform::CopyFileA("c:\\save.eep", "z:\\save.eep", false));
    EXPECT_EQ(TempDrives::entries(drives.root() + "/z"), (Names { "SAVE.EEP" }));
    EXPECT_EQ(drives.read("z:\\SAVE.EEP"), "new save");
    EXPECT_TRUE(drives.files().writeFileAtomic("z:\\Save.Eep", "written"));
    EXPECT_EQ(TempDrives::entries(drives.root() + "/z"), (Names { "SAVE.EEP" }));
    EXPECT_EQ(drives.read("z:\\SAVE.EEP"), "written");
    EXPECT_TRUE(drives.files().writeFileAtomic("z:\\new.cat", "made"));
    EXPECT_EQ(TempDrives::entries(drives.root() + "/z"), (Names { "SAVE.EEP", "new.cat" }));
}

TEST(CopyFile, FailsHonestly)
{
    TempDrives drives;
    auto& files = drives.files();
    drives.write("c:\\a.txt", "a");
    std::filesystem::create_directories(drives.host("c:\\dir"));
    EXPECT_FALSE(files.CopyFileA("c:\\missing.txt", "c:\\b.txt", false));
    EXPECT_FALSE(files.CopyFileA("c:\\dir", "c:\\b.txt", false));         // not a file
    EXPECT_FALSE(files.CopyFileA("c:\\a.txt", "c:\\dir", false));         // onto a directory
    EXPECT_FALSE(files.CopyFileA("c:\\a.txt", "c:\\nodir\\b.txt", false)); // no such folder
    EXPECT_FALSE(files.CopyFileA("c:\\a.txt", "q:\\b.txt", false));       // no such drive
    EXPECT_FALSE(files.CopyFileA("c:\\a.txt", "c:\\A.TXT", false));       // onto itself
    EXPECT_EQ(drives.read("c:\\a.txt"), "a");
    EXPECT_EQ(TempDrives::entries(drives.root() + "/c"), (Names { "a.txt", "dir" }));
}

TEST(CopyFile, KeepsDataOfSparseImagesAndModificationTime)
{
    TempDrives drives;
    auto& files = drives.files();
    drives.map('z');
    std::string big(3 * 1024 * 1024 + 17, '\0');
    for (std::size_t i = 0; i < big.size(); i += 4093)
        big[i] = static_cast<char>(i);
    drives.write("c:\\big.z64", big);
    auto old = std::filesystem::last_write_time(drives.host("c:\\big.z64")) - std::chrono::hours(48);
    std::filesystem::last_write_time(drives.host("c:\\big.z64"), old);
    ASSERT_TRUE(files.CopyFileA("c:\\big.z64", "z:\\big.z64", false));
    EXPECT_TRUE(drives.read("z:\\big.z64") == big);
    EXPECT_EQ(std::filesystem::last_write_time(drives.host("z:\\big.z64")), old);
}

TEST(MoveFile, NeverReplacesAnotherFile)
{
    TempDrives drives;
    drives.write("c:\\a.txt", "a");
    drives.write("c:\\b.txt", "b");
    EXPECT_FALSE(platform::MoveFileA("c:\\a.txt", "c:\\B.TXT"));
    EXPECT_EQ(drives.read("c:\\a.txt"), "a");
    EXPECT_EQ(drives.read("c:\\b.txt"), "b");
    EXPECT_FALSE(platform::MoveFileA("c:\\missing.txt", "c:\\c.txt"));
    EXPECT_FALSE(platform::MoveFileA("c:\\a.txt", "c:\\nodir\\a.txt")); // the folder must exist
    EXPECT_TRUE(platform::MoveFileA("C:\\A.TXT", "c:\\sub.txt"));
    EXPECT_EQ(TempDrives::entries(drives.root() + "/c"), (Names { "b.txt", "sub.txt" }));
}

TEST(MoveFile, ChangesLetterCaseOfTheSameFile)
{
    TempDrives drives;
    auto& files = drives.files();
    drives.write("c:\\game.v64", "g");
    EXPECT_TRUE(files.MoveFileA("c:\\game.v64", "c:\\GAME.V64"));
    EXPECT_EQ(TempDrives::entries(drives.root() + "/c"), (Names { "GAME.V64" }));
    EXPECT_EQ(drives.read("c:\\GAME.V64"), "g");
}

TEST(MoveFile, MovesDirectoriesAndAcrossDrives)
{
    TempDrives drives;
    auto& files = drives.files();
    drives.map('z');
    drives.write("c:\\dir\\inner.txt", "i");
    EXPECT_TRUE(files.MoveFileA("c:\\DIR", "z:\\moved"));
    EXPECT_EQ(drives.read("z:\\moved\\inner.txt"), "i");
    EXPECT_FALSE(files.directoryExists("c:\\dir"));
    EXPECT_FALSE(files.MoveFileA("z:\\moved", "z:\\moved\\into-itself"));
    EXPECT_FALSE(files.MoveFileA("z:\\", "c:\\root"));
}

// A drive on another host file system: the move becomes copy then delete.
TEST(MoveFile, CopiesAcrossHostFileSystems)
{
    struct stat tmp {}, shm {};
    if (::stat("/dev/shm", &shm) != 0 || ::stat("/tmp", &tmp) != 0 || tmp.st_dev == shm.st_dev)
        GTEST_SKIP() << "no second file system to move to";
    TempDrives drives;
    auto& files = drives.files();
    std::string other = "/dev/shm/tavisco-move-test";
    std::filesystem::remove_all(other);
    std::filesystem::create_directories(other);
    files.setDrive('m', other);
    drives.write("c:\\game.v64", "cartridge");
    drives.write("c:\\dir\\x", "x");
    drives.write("c:\\taken.v64", "t");
    std::filesystem::copy_file(drives.host("c:\\taken.v64"), other + "/taken.v64");
    EXPECT_TRUE(files.MoveFileA("c:\\game.v64", "m:\\Game.v64"));
    EXPECT_FALSE(files.MoveFileA("c:\\taken.v64", "m:\\TAKEN.V64"));
    EXPECT_FALSE(files.MoveFileA("c:\\dir", "m:\\dir")); // directories don't cross volumes
    EXPECT_EQ(TempDrives::entries(other), (Names { "Game.v64", "taken.v64" }));
    EXPECT_EQ(TempDrives::entries(drives.root() + "/c"), (Names { "dir", "taken.v64" }));
    std::filesystem::remove_all(other);
}

TEST(DeleteFile, FilesOnly)
{
    TempDrives drives;
    drives.write("c:\\a.txt", "a");
    std::filesystem::create_directories(drives.host("c:\\dir"));
    EXPECT_TRUE(platform::DeleteFileA("c:\\A.TXT"));
    EXPECT_FALSE(drives.exists("c:\\a.txt"));
    EXPECT_FALSE(platform::DeleteFileA("c:\\a.txt"));
    EXPECT_FALSE(platform::DeleteFileA("c:\\dir"));
    EXPECT_TRUE(drives.exists("c:\\dir"));
}

TEST(CreateDirectory, OneLevelAndNotTwice)
{
    TempDrives drives;
    EXPECT_TRUE(platform::CreateDirectoryA("c:\\Usa"));
    EXPECT_TRUE(platform::DirectoryExists("c:\\usa"));
    EXPECT_FALSE(platform::CreateDirectoryA("c:\\USA"));
    EXPECT_FALSE(platform::CreateDirectoryA("c:\\a\\b"));
    EXPECT_FALSE(platform::CreateDirectoryA("c:\\"));
    EXPECT_TRUE(platform::CreateDirectoryA("c:\\usa\\Europe", nullptr));
    EXPECT_EQ(TempDrives::entries(drives.host("c:\\usa")), (Names { "Europe" }));
    drives.write("c:\\file", "f");
    EXPECT_FALSE(platform::CreateDirectoryA("c:\\file"));
}

TEST(ReadAndWrite, HeaderAndWholeFiles)
{
    TempDrives drives;
    auto& files = drives.files();
    drives.write("c:\\rom.v64", std::string("\x80\x37\x12\x40") + std::string(60, 'x'));
    auto header = files.readHeader("c:\\ROM.V64", 4);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->bytes, (std::vector<unsigned char> { 0x80, 0x37, 0x12, 0x40 }));
    EXPECT_EQ(header->length, 64u);
    auto all = files.readHeader("c:\\rom.v64", 1000);
    ASSERT_TRUE(all);
    EXPECT_EQ(all->bytes.size(), 64u);
    EXPECT_FALSE(files.readHeader("c:\\missing", 4));
    std::filesystem::create_directories(drives.host("c:\\dir"));
    EXPECT_FALSE(files.readHeader("c:\\dir", 4));
    EXPECT_EQ(files.readFile("c:\\rom.v64")->size(), 64u);
    EXPECT_FALSE(files.readFile("c:\\dir"));
}

TEST(ReadAndWrite, AtomicWriteReplacesAndKeepsMode)
{
    TempDrives drives;
    auto& files = drives.files();
    EXPECT_TRUE(files.writeFileAtomic("c:\\Settings.ini", "one"));
    EXPECT_EQ(drives.read("c:\\settings.ini"), "one");
    ::chmod(drives.host("c:\\settings.ini").c_str(), 0600);
    EXPECT_TRUE(files.writeFileAtomic("c:\\SETTINGS.INI", "two"));
    EXPECT_EQ(TempDrives::entries(drives.root() + "/c"), (Names { "Settings.ini" }));
    EXPECT_EQ(files.readFile("c:\\settings.ini"), "two");
    struct stat st {};
    ::stat(drives.host("c:\\settings.ini").c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_TRUE(files.writeFileAtomic("c:\\empty", ""));
    EXPECT_EQ(drives.read("c:\\empty"), "");
    EXPECT_FALSE(files.writeFileAtomic("c:\\nodir\\x", "x"));
    std::filesystem::create_directories(drives.host("c:\\dir"));
    EXPECT_FALSE(files.writeFileAtomic("c:\\dir", "x"));
}

TEST(WindowsMeaning, ReadOnlyFilesAreNeitherReplacedNorDeletedAndCopiesKeepPermissions)
{
    TempDrives drives;
    drives.map('z');
    drives.write("c:\\new.v64", "new");
    drives.write("z:\\game.v64", "old");
    std::string target = drives.host("z:\\game.v64");
    ::chmod(target.c_str(), 0444);
    EXPECT_FALSE(platform::CopyFileA("c:\\new.v64", "z:\\game.v64", false));
    EXPECT_FALSE(platform::DeleteFileA("z:\\game.v64"));
    EXPECT_EQ(drives.read("z:\\game.v64"), "old");
    ::chmod(target.c_str(), 0644);
    EXPECT_TRUE(platform::DeleteFileA("z:\\game.v64"));

    ::chmod(drives.host("c:\\new.v64").c_str(), 0640);
    ASSERT_TRUE(platform::CopyFileA("c:\\new.v64", "z:\\copy.v64", false));
    struct stat st {};
    ASSERT_EQ(::stat(drives.host("z:\\copy.v64").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

// A whole-file write never replaces a file the user may not write (the rename would, and hand it
// to him): a read-only one, and, as nobody, root's files in a folder of his own.
TEST(WindowsMeaning, WholeFileWritesNeverReplaceAFileTheUserMayNotWrite)
{
    TempDrives drives;
    auto& files = drives.files();
    drives.write("c:\\locked.ini", "kept");
    ::chmod(drives.host("c:\\locked.ini").c_str(), 0444);
    EXPECT_FALSE(files.writeFileAtomic("c:\\locked.ini", "x"));
    EXPECT_EQ(drives.read("c:\\locked.ini"), "kept");
    if (::geteuid() != 0)
        GTEST_SKIP() << "skipped: acting as another user needs root";

    const Names roots = { "c:\\tavisco.ini", "c:\\game.cat", "c:\\game.nfo", "c:\\game.zcc" };
    for (const auto& name : roots)
        drives.write(name, "root's");
    AsNobody::letIn(drives.root());
    AsNobody::giveAway(drives.host("c:\\"));
    {
        AsNobody nobody;
        for (const auto& name : roots)
            EXPECT_FALSE(files.writeFileAtomic(name, "nobody's")) << name;
        EXPECT_TRUE(files.writeFileAtomic("c:\\other.cat", "nobody's"));
    }
    for (const auto& name : roots) {
        struct stat st {};
        EXPECT_EQ(drives.read(name), "root's") << name;
        EXPECT_TRUE(::stat(drives.host(name).c_str(), &st) == 0 && st.st_uid == 0) << name;
    }
    EXPECT_EQ(TempDrives::entries(drives.root() + "/c").size(), 6u) << "no temporary file left";
}

TEST(WindowsMeaning, ACopyWhoseSourceChangesLengthFails)
{
    TempDrives drives;
    auto& files = drives.files();
    // A file that reports one length and holds another, as one being written to meanwhile does.
    files.setDrive('p', "/proc/self");
    ASSERT_TRUE(files.fileExists("p:\\status"));
    EXPECT_FALSE(platform::CopyFileA("p:\\status", "c:\\status", false));
    EXPECT_EQ(TempDrives::entries(drives.root() + "/c"), Names {});
}

TEST(WindowsMeaning, CaseChangeIsOneFileNeverTwoHardLinks)
{
    TempDrives drives;
    auto& files = drives.files();
    drives.write("c:\\mario.v64", "image");
    EXPECT_TRUE(files.sameEntry("c:\\mario.v64", "c:\\MARIO.V64"));
    EXPECT_TRUE(platform::MoveFileA("c:\\mario.v64", "c:\\Mario.V64"));
    EXPECT_EQ(TempDrives::entries(drives.root() + "/c"), (Names { "Mario.V64" }));

    // Two links of one file under names that differ only in case: neither is the other.
    std::string dir = drives.root() + "/c";
    ASSERT_EQ(::link((dir + "/Mario.V64").c_str(), (dir + "/mario.v64").c_str()), 0);
    EXPECT_FALSE(files.sameEntry("c:\\Mario.V64", "c:\\mario.v64"));
    EXPECT_FALSE(platform::MoveFileA("c:\\Mario.V64", "c:\\mario.v64"));
    EXPECT_EQ(TempDrives::entries(dir), (Names { "Mario.V64", "mario.v64" }));
}

// The backslash would name another path; the entry is found again by the name it is listed by.
TEST(WindowsMeaning, AHostNameWithABackslashIsListedWithAQuestionMark)
{
    TempDrives drives;
    auto& files = drives.files();
    drives.write("c:\\plain.v64", "x");
    std::FILE* f = std::fopen((drives.root() + "/c/a\\b.v64").c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    auto names = files.listFiles("c:\\", "*.v64");
    ASSERT_TRUE(names);
    EXPECT_EQ(*names, (Names { "a?b.v64", "plain.v64" }));
    EXPECT_TRUE(files.fileExists("c:\\a?b.v64"));
}

TEST(WindowsMeaning, ReadsNeverBlockOnAFifoAndRefuseHugeFiles)
{
    TempDrives drives;
    auto& files = drives.files();
    ASSERT_EQ(::mkfifo((drives.root() + "/c/game.cat").c_str(), 0644), 0);
    EXPECT_FALSE(files.readFile("c:\\game.cat"));
    EXPECT_FALSE(files.readHeader("c:\\game.cat", 64));

    std::string huge = drives.root() + "/c/huge.bmp";
    std::FILE* f = std::fopen(huge.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    ASSERT_EQ(::truncate(huge.c_str(), (64 << 20) + 1), 0);
    auto tooLarge = files.readFile("c:\\huge.bmp");
    EXPECT_FALSE(tooLarge);
    EXPECT_EQ(tooLarge.error(), std::errc::file_too_large);
    ASSERT_EQ(::truncate(huge.c_str(), 64 << 20), 0);
    EXPECT_TRUE(files.readFile("c:\\huge.bmp"));
}
