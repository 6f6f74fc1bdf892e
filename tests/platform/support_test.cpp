// SPDX-License-Identifier: MIT
// The helpers every test builds on.
#include "platform/filesystem.h"
#include "tests/support/rom_image.h"
#include "tests/support/temp_drives.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(RomImageHelper, HeaderLayoutInBothByteOrders)
{
    RomImage rom;
    rom.title = "SUPER GAME";
    rom.id = "SG";
    rom.country = 'P';
    std::string h = rom.header();
    ASSERT_EQ(h.size(), 64u);
    EXPECT_EQ(h.substr(0, 4), "\x80\x37\x12\x40");
    EXPECT_EQ(h.substr(32, 20), "SUPER GAME          ");
    EXPECT_EQ(h.substr(60, 3), "SGP");
    rom.byteSwapped = true;
    std::string s = rom.header();
    EXPECT_EQ(s.substr(0, 4), "\x37\x80\x40\x12");
    EXPECT_EQ(s.substr(32, 4), "USEP");
    EXPECT_EQ(s.substr(60, 4), std::string("GS\0P", 4));
    rom.title = "A TITLE LONGER THAN TWENTY";
    rom.byteSwapped = false;
    EXPECT_EQ(rom.header().substr(32, 20), "A TITLE LONGER THAN ");
}

TEST(RomImageHelper, WritesSparseImagesOfAnySize)
{
    TempDrives drives;
    RomImage rom;
    rom.size = 64ull * 1024 * 1024;
    writeRom(drives, "c:\\N64\\Big.z64", rom);
    struct stat st {};
    ASSERT_EQ(::stat(drives.host("c:\\n64\\big.z64").c_str(), &st), 0);
    EXPECT_EQ(st.st_size, 64 * 1024 * 1024);
    EXPECT_LT(st.st_blocks * 512, 1024 * 1024);
    auto header = drives.files().readHeader("c:\\n64\\big.z64", 64);
    ASSERT_TRUE(header);
    EXPECT_EQ(std::string(header->bytes.begin(), header->bytes.end()), rom.header());
    rom.size = 10;
    writeRom(drives, "c:\\tiny.v64", rom);
    EXPECT_EQ(drives.read("c:\\tiny.v64"), rom.header().substr(0, 10));
}

TEST(TempDrivesHelper, MapsFreshDrivesAndRestoresThePlainMap)
{
    std::string root;
    {
        TempDrives drives;
        root = drives.root();
        EXPECT_EQ(platform::FileSystem::instance().drives(), std::vector<char> { 'c' });
        EXPECT_EQ(platform::GetCurrentDir(), "C:\\");
        EXPECT_EQ(drives.map('Z'), root + "/z");
        drives.write("z:\\a\\b.txt", "b");
        EXPECT_TRUE(drives.exists("Z:\\A\\B.TXT"));
        drives.removeDrive('z');
        EXPECT_FALSE(drives.exists("z:\\a\\b.txt"));
        EXPECT_EQ(drives.host("z:\\a\\b.txt"), root + "/z/a/b.txt");
    }
    EXPECT_FALSE(std::filesystem::exists(root));
    EXPECT_EQ(platform::FileSystem::instance().hostPath("c:\\"), "/");
}
