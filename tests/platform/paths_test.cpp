// SPDX-License-Identifier: MIT
#include "platform/filesystem.h"
#include "tests/support/temp_drives.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

using Names = std::vector<std::string>;

TEST(Resolution, NamesMatchIgnoringCaseAndNewNamesKeepTheirCase)
{
    TempDrives drives;
    auto& files = drives.files();
    std::string d = drives.map('d');
    drives.write("d:\\Roms\\N64\\Mario.v64", "m");
    EXPECT_EQ(files.hostPath("D:\\ROMS\\n64\\MARIO.V64"), d + "/Roms/N64/Mario.v64");
    EXPECT_EQ(files.hostPath("d:/roms/n64/New.Txt"), d + "/Roms/N64/New.Txt");
    EXPECT_EQ(files.hostPath("d:\\roms\\NEWDIR\\Sub\\x"), d + "/Roms/NEWDIR/Sub/x");
    EXPECT_TRUE(files.fileExists("d:\\rOmS\\n64\\mario.V64"));
    EXPECT_FALSE(files.fileExists("d:\\roms\\n64"));      // a directory is not a file
    EXPECT_TRUE(files.directoryExists("d:\\ROMS\\N64\\"));
    EXPECT_FALSE(files.directoryExists("d:\\roms\\n64\\mario.v64"));
}

TEST(Resolution, ExactNameWinsThenFirstInByteOrder)
{
    TempDrives drives;
    auto& files = drives.files();
    std::string d = drives.map('d');
    for (const char* name : { "game.v64", "GAME.V64", "Game.v64" })
        std::ofstream(d + "/" + name) << name;
    EXPECT_EQ(files.hostPath("d:\\Game.v64"), d + "/Game.v64");
    EXPECT_EQ(files.hostPath("d:\\gAME.v64"), d + "/GAME.V64");
}

TEST(Resolution, DotsAreLexicalAndStopAtTheRoot)
{
    TempDrives drives;
    auto& files = drives.files();
    std::string d = drives.map('d');
    EXPECT_EQ(files.hostPath("d:\\a\\.\\b\\..\\c"), d + "/a/c");
    EXPECT_EQ(files.hostPath("d:\\..\\..\\etc\\passwd"), d + "/etc/passwd");
    EXPECT_EQ(files.hostPath("d:\\"), d);
}

TEST(Resolution, NamesWindowsCannotSpellResolveToNothing)
{
    TempDrives drives;
    auto& files = drives.files();
    drives.write("c:\\x.txt", "x");
    EXPECT_EQ(files.hostPath("c:\\*.txt"), std::nullopt);
    EXPECT_EQ(files.hostPath("c:\\x?.txt"), std::nullopt);
    EXPECT_EQ(files.hostPath("c:\\a:b"), std::nullopt);
    EXPECT_FALSE(files.fileExists(""));
    EXPECT_FALSE(files.fileExists("c:\\x\x01.txt"));
}

TEST(Windows1252Names, TranslateBothWays)
{
    TempDrives drives;
    auto& files = drives.files();
    std::string c = drives.root() + "/c";
    drives.write("c:\\Pok\xE9mon.v64", "p"); // written through the Windows name
    EXPECT_TRUE(std::filesystem::exists(c + "/Pok\u00E9mon.v64"));
    drives.write("c:\\x.txt", "x");
    std::filesystem::rename(c + "/x.txt", c + "/\u30BC\u30EB\u30C0.v64"); // a name from elsewhere
    EXPECT_EQ(files.listFiles("c:\\", "*.v64"), (Names { "???.v64", "Pok\xE9mon.v64" }));
    EXPECT_FALSE(files.fileExists("c:\\POK\xC9MON.V64")); // case folding is ASCII only
    EXPECT_TRUE(files.fileExists("c:\\POK\xE9MON.V64"));
}

TEST(Listing, MasksHiddenFilesAndKinds)
{
    TempDrives drives;
    auto& files = drives.files();
    for (const char* name : { "a.v64", "b.ROM", "c.z64", "noext", ".hidden.v64", "d.v64.bak" })
        drives.write(std::string("c:\\roms\\") + name, "x");
    std::filesystem::create_directories(drives.host("c:\\roms\\dir.v64"));
    std::filesystem::create_directories(drives.host("c:\\roms\\.git"));
    EXPECT_EQ(files.listFiles("c:\\roms", "*.v64;*.rom"), (Names { "a.v64", "b.ROM" }));
    EXPECT_EQ(files.listFiles("c:\\roms\\", "*.*"), (Names { "a.v64", "b.ROM", "c.z64", "d.v64.bak", "noext" }));
    EXPECT_EQ(files.listFiles("c:\\roms", "*"), files.listFiles("c:\\roms", "*.*"));
    EXPECT_EQ(files.listFiles("c:\\roms", "?.Z64"), (Names { "c.z64" }));
    EXPECT_EQ(files.listFiles("c:\\roms", "noext.*"), (Names { "noext" }));
    EXPECT_EQ(files.listFiles("c:\\roms", "*.n64"), Names {});
    EXPECT_EQ(files.listDirectories("c:\\roms"), (Names { "dir.v64" }));
    EXPECT_EQ(files.listFiles("c:\\missing", "*.*"), std::nullopt);
    EXPECT_EQ(files.listFiles("c:\\roms\\a.v64", "*.*"), std::nullopt);
}

// Other systems allow wildcard characters in names; a mask's wildcards still match them as any
// other character, never as themselves only.
TEST(Listing, NamesWithWildcardCharactersMatchMasksLikeAnyOther)
{
    TempDrives drives;
    auto& files = drives.files();
    std::string c = drives.root() + "/c";
    for (const char* name : { "*x.v64", "a*.v64", "?.rom", "**" })
        std::ofstream(c + "/" + name) << "x";
    EXPECT_EQ(files.listFiles("c:\\", "*.v64;*.rom"), (Names { "*x.v64", "?.rom", "a*.v64" }));
    EXPECT_EQ(files.listFiles("c:\\", "*"), (Names { "**", "*x.v64", "?.rom", "a*.v64" }));
    EXPECT_EQ(files.listFiles("c:\\", "?x.*"), (Names { "*x.v64" }));
}

TEST(Listing, SymlinksCountAsWhatTheyPointAt)
{
    TempDrives drives;
    auto& files = drives.files();
    drives.write("c:\\real.v64", "x");
    std::string c = drives.root() + "/c";
    std::filesystem::create_symlink(c + "/real.v64", c + "/link.v64");
    std::filesystem::create_symlink(c + "/gone", c + "/dangling.v64");
    ::mkfifo((c + "/pipe.v64").c_str(), 0600);
    EXPECT_EQ(files.listFiles("c:\\", "*.v64"), (Names { "link.v64", "real.v64" }));
}

TEST(Listing, SortsIgnoringCaseWithByteOrderBreakingTies)
{
    TempDrives drives;
    auto& files = drives.files();
    std::string dir = drives.root() + "/c/s";
    std::filesystem::create_directories(dir);
    for (const char* name : { "b", "B", "a_", "A", "ab", "\u00E9t\u00E9", "Zelda", "_x" })
        std::ofstream(dir + "/" + name) << name;
    EXPECT_EQ(files.listFiles("c:\\s", "*"), (Names { "_x", "A", "a_", "ab", "B", "b", "Zelda", "\xE9t\xE9" }));
}

TEST(CurrentDirectory, PerDriveAndKeptAsGiven)
{
    TempDrives drives;
    auto& files = drives.files();
    drives.map('d');
    std::filesystem::create_directories(drives.host("d:\\Roms\\N64"));
    EXPECT_EQ(files.currentDirectory(), "C:\\");
    EXPECT_EQ(files.driveCurrentDirectory('d'), "D:\\");
    EXPECT_TRUE(files.setCurrentDirectory("d:\\roms\\n64\\"));
    EXPECT_EQ(files.currentDirectory(), "d:\\roms\\n64");
    EXPECT_EQ(files.driveCurrentDirectory('D'), "d:\\roms\\n64");
    EXPECT_FALSE(files.setCurrentDirectory("d:\\nowhere"));
    EXPECT_FALSE(files.setCurrentDirectory("x:\\"));
    EXPECT_EQ(files.currentDirectory(), "d:\\roms\\n64");
    EXPECT_TRUE(files.setCurrentDirectory("c:"));        // back to c:'s own current directory
    EXPECT_EQ(files.currentDirectory(), "c:\\");
    EXPECT_EQ(files.driveCurrentDirectory('d'), "d:\\roms\\n64");
    EXPECT_TRUE(platform::SetCurrentDir("D:.."));
    EXPECT_EQ(platform::GetCurrentDir(), "D:\\roms");
}

TEST(CurrentDirectory, ExpandUsesTheRightCurrentDirectory)
{
    TempDrives drives;
    auto& files = drives.files();
    drives.map('d');
    std::filesystem::create_directories(drives.host("d:\\roms\\n64"));
    std::filesystem::create_directories(drives.host("c:\\work"));
    ASSERT_TRUE(files.setCurrentDirectory("d:\\roms\\n64"));
    ASSERT_TRUE(files.setCurrentDirectory("c:\\work"));
    EXPECT_EQ(files.expand("game.v64"), "C:\\work\\game.v64");
    EXPECT_EQ(files.expand("..\\x"), "C:\\x");
    EXPECT_EQ(files.expand("\\x\\y\\"), "C:\\x\\y");
    EXPECT_EQ(files.expand("d:game.v64"), "D:\\roms\\n64\\game.v64");
    EXPECT_EQ(files.expand("d:..\\..\\..\\a"), "D:\\a");
    EXPECT_EQ(files.expand("d:"), "D:\\roms\\n64");
    EXPECT_EQ(files.expand("e:x"), "E:\\x");
    EXPECT_EQ(files.expand("z:/A/./B"), "Z:\\A\\B");
    drives.write("d:\\roms\\n64\\Game.v64", "x");
    EXPECT_TRUE(files.fileExists("d:GAME.V64"));
    EXPECT_FALSE(platform::FileExists("..\\d\\roms\\n64\\game.v64")); // can't climb out of c:
}
