// SPDX-License-Identifier: MIT
#include "tests/catalogue/archive_fixture.h"

#include "platform/filesystem.h"

#include <filesystem>

namespace {

using Fault = platform::Fault;
using Record = std::vector<std::string>;

class HeaderReader : public ArchiveTest {};

TEST(BaseName, IsTheTrimmedTextBeforeTheFirstPoint)
{
    EXPECT_EQ(TForm1::getfield("MARIO64.V64", '.', 1), "MARIO64");
    EXPECT_EQ(TForm1::getfield("Zelda.1.0.v64", '.', 1), "Zelda");
    EXPECT_EQ(TForm1::getfield(" Wave Race .rom", '.', 1), "Wave Race");
    EXPECT_EQ(TForm1::getfield("\tF-Zero\x01.v64", '.', 1), "F-Zero");
    EXPECT_EQ(TForm1::getfield("noextension", '.', 1), "noextension");
    EXPECT_EQ(TForm1::getfield(".hidden", '.', 1), "");
}

TEST(BaseName, FieldsAreCountedFromOneAndMayBeEmpty)
{
    EXPECT_EQ(TForm1::getfield("a.b.c", '.', 2), "b");
    EXPECT_EQ(TForm1::getfield("a.b.c", '.', 3), "c");
    EXPECT_EQ(TForm1::getfield("a..c", '.', 2), "");
    EXPECT_EQ(TForm1::getfield("a.b", '.', 3), "");
    EXPECT_EQ(TForm1::getfield("a,  b  ,c", ',', 2), "b");
}

TEST_F(HeaderReader, WorkedExampleGivesTheSevenFields)
{
    p.rom("d:\\roms\\", "mario.v64", { .title = "SUPER MARIO 64", .country = 'E', .id = "SM", .size = 8388608, .byteSwapped = true });
    p.drives.write("d:\\ram\\mario.eep", "save");
    p.drives.write("d:\\ram\\mario.cat", "Jump and Run\r\n");
    auto& f = p.startAndSettle();
    EXPECT_EQ(rowOf(f.disk, "mario.v64"),
        (Record { "SUPER MARIO 64      ", "USA    ", " 64", "Jump and Run", "EEP  ", "mario.v64", "SM" }));
}

TEST_F(HeaderReader, BothByteOrdersGiveTheSameRecord)
{
    RomImage image { .title = "ZELDA OCARINA", .country = 'P', .id = "ZL", .size = mbit(256) };
    p.rom("d:\\roms\\", "big.v64", image);
    image.byteSwapped = true;
    p.rom("d:\\roms\\", "swapped.v64", image);
    auto& f = p.startAndSettle();
    Record big = rowOf(f.disk, "big.v64");
    Record swapped = rowOf(f.disk, "swapped.v64");
    ASSERT_EQ(big.size(), 7u);
    EXPECT_EQ(big[0], "ZELDA OCARINA       ");
    EXPECT_EQ(big[1], "Europe ");
    EXPECT_EQ(big[6], "ZL");
    big[5] = swapped[5] = "";
    EXPECT_EQ(big, swapped);
}

TEST_F(HeaderReader, LittleEndianImagesGiveTheSameRecordToo)
{
    RomImage image { .title = "WAVE RACE 64", .country = 'J', .id = "WR", .size = mbit(64) };
    p.rom("d:\\roms\\", "big.v64", image);
    image.littleEndian = true;
    p.rom("d:\\roms\\", "little.v64", image);
    // Only the exact little-endian mark counts; anything else not big-endian is byte-swapped.
    std::string odd = image.header();
    odd[3] = '\x81';
    p.drives.write("d:\\roms\\odd.v64", odd);
    auto& f = p.startAndSettle();
    Record big = rowOf(f.disk, "big.v64");
    Record little = rowOf(f.disk, "little.v64");
    ASSERT_EQ(little.size(), 7u);
    EXPECT_EQ(little[0], "WAVE RACE 64        ");
    EXPECT_EQ(little[1], "Japan  ");
    EXPECT_EQ(little[6], "WR");
    big[5] = little[5] = "";
    EXPECT_EQ(big, little);
    // Read as byte-swapped: the country comes from byte 63, which holds the W of the ID.
    EXPECT_EQ(rowOf(f.disk, "odd.v64")[1], "W");
}

TEST_F(HeaderReader, SizeIsWholeMbitPaddedToThreeCharacters)
{
    p.rom("d:\\roms\\", "a.v64", { .size = 4194304 });
    p.rom("d:\\roms\\", "b.v64", { .size = 4194303 });
    p.rom("d:\\roms\\", "c.v64", { .size = 100000 });
    p.rom("d:\\roms\\", "d.v64", { .size = 33554432 });
    p.rom("d:\\roms\\", "e.v64", { .size = mbit(8) });
    p.rom("d:\\roms\\", "f.v64", { .size = mbit(512) + 5 });
    auto& f = p.startAndSettle();
    EXPECT_EQ(rowOf(f.disk, "a.v64")[2], " 32");
    EXPECT_EQ(rowOf(f.disk, "b.v64")[2], " 31");
    EXPECT_EQ(rowOf(f.disk, "c.v64")[2], "  0");
    EXPECT_EQ(rowOf(f.disk, "d.v64")[2], "256");
    EXPECT_EQ(rowOf(f.disk, "e.v64")[2], "  8");
    EXPECT_EQ(rowOf(f.disk, "f.v64")[2], "512");
}

TEST_F(HeaderReader, CountryCodesMapToNamesOrStayBare)
{
    const std::vector<std::pair<char, std::string>> codes = {
        { 'E', "USA    " }, { 'F', "France " }, { 'P', "Europe " }, { 'D', "Germany" }, { 'J', "Japan  " },
        { 'X', "X" }, { 'e', "e" }, { 'j', "j" }, { '\0', "?      " }, { ' ', "?      " }, { '\x1f', "?      " },
    };
    for (std::size_t i = 0; i < codes.size(); ++i)
        p.rom("d:\\roms\\", "c" + std::to_string(10 + i) + ".v64", { .country = codes[i].first, .byteSwapped = i % 2 == 1 });
    auto& f = p.startAndSettle();
    for (std::size_t i = 0; i < codes.size(); ++i)
        EXPECT_EQ(rowOf(f.disk, "c" + std::to_string(10 + i) + ".v64")[1], codes[i].second)
            << "code " << int(codes[i].first);
}

TEST_F(HeaderReader, TitleAndIdStopAtNulAndFallBackWhenBlank)
{
    p.rom("d:\\roms\\", "blank.v64", { .title = "" });
    p.rom("d:\\roms\\", "nuls.v64", { .title = std::string(20, '\0'), .id = std::string(2, '\0') });
    p.rom("d:\\roms\\", "cut.v64", { .title = std::string("ABC\0DEF", 7), .id = std::string("S\0", 2) });
    p.rom("d:\\roms\\", "padded.v64", { .title = "  INDENTED", .id = "  " });
    p.rom("d:\\roms\\", "control.v64", { .title = std::string("\x01\x02\t", 3), .byteSwapped = true });
    auto& f = p.startAndSettle();
    const std::string hyphen = "-                   ";
    EXPECT_EQ(rowOf(f.disk, "blank.v64")[0], hyphen);
    EXPECT_EQ(rowOf(f.disk, "nuls.v64")[0], hyphen);
    EXPECT_EQ(rowOf(f.disk, "nuls.v64")[6], "??");
    EXPECT_EQ(rowOf(f.disk, "cut.v64")[0], "ABC");
    EXPECT_EQ(rowOf(f.disk, "cut.v64")[6], "S");
    EXPECT_EQ(rowOf(f.disk, "padded.v64")[0], "  INDENTED          ");
    EXPECT_EQ(rowOf(f.disk, "padded.v64")[6], "??");
    EXPECT_EQ(rowOf(f.disk, "control.v64")[0], hyphen);
}

TEST_F(HeaderReader, CompanionTagsFollowTheBaseNameInAFixedOrder)
{
    p.rom("d:\\roms\\", "all.v64");
    for (const char* ext : { ".ips", ".zcc", ".ram", ".eep", ".aps", ".nfo" })
        p.drives.write(std::string("d:\\ram\\all") + ext, "x");
    p.rom("d:\\roms\\", "two.rom");
    p.drives.write("d:\\ram\\two.zcc", "x");
    p.drives.write("d:\\ram\\two.eep", "x");
    p.rom("d:\\roms\\", "none.v64");
    p.drives.write("d:\\ram\\none.aps", "x");
    p.drives.write("d:\\ram\\none.v64.eep", "x");
    p.rom("d:\\roms\\", "a.b.v64");
    p.drives.write("d:\\ram\\a.eep", "x");
    p.drives.write("d:\\ram\\a.b.ram", "x");
    auto& f = p.startAndSettle();
    EXPECT_EQ(rowOf(f.disk, "all.v64")[4], "EEP  RAM  ZCC  IPS  ");
    EXPECT_EQ(rowOf(f.disk, "two.rom")[4], "EEP  ZCC  ");
    EXPECT_EQ(rowOf(f.disk, "none.v64")[4], "-");
    EXPECT_EQ(rowOf(f.disk, "a.b.v64")[4], "EEP  ");
}

TEST_F(HeaderReader, ZipImagesFindCompanionsOnTheZipDiskButCategoriesInRamPath)
{
    p.rom("d:\\roms\\", "mario.v64");
    p.rom("z:\\", "mario.v64");
    p.drives.write("d:\\ram\\mario.eep", "x");
    p.drives.write("d:\\ram\\mario.cat", "Jump and Run\r\n");
    p.rom("z:\\", "kart.v64");
    p.drives.write("z:\\kart.ram", "x");
    p.drives.write("z:\\kart.cat", "Ignored\r\n");
    p.drives.write("d:\\ram\\kart.cat", "Racing\r\n");
    auto& f = p.startAndSettle();
    EXPECT_EQ(rowOf(f.disk, "mario.v64")[4], "EEP  ");
    EXPECT_EQ(rowOf(f.zip, "mario.v64")[4], "-");
    EXPECT_EQ(rowOf(f.zip, "mario.v64")[3], "Jump and Run");
    EXPECT_EQ(rowOf(f.zip, "kart.v64")[4], "RAM  ");
    EXPECT_EQ(rowOf(f.zip, "kart.v64")[3], "Racing");
}

TEST_F(HeaderReader, CategoryIsTheFirstLineOfTheCatFile)
{
    p.rom("d:\\roms\\", "first.v64");
    p.drives.write("d:\\ram\\first.cat", "Puzzle\r\nSecond line\r\n");
    p.rom("d:\\roms\\", "lf.v64");
    p.drives.write("d:\\ram\\lf.cat", "Shooter\nOther");
    p.rom("d:\\roms\\", "emptyline.v64");
    p.drives.write("d:\\ram\\emptyline.cat", "\r\nLater\r\n");
    p.rom("d:\\roms\\", "emptyfile.v64");
    p.drives.write("d:\\ram\\emptyfile.cat", "");
    p.rom("d:\\roms\\", "nocat.v64");
    auto& f = p.startAndSettle();
    EXPECT_EQ(rowOf(f.disk, "first.v64")[3], "Puzzle");
    EXPECT_EQ(rowOf(f.disk, "lf.v64")[3], "Shooter");
    EXPECT_EQ(rowOf(f.disk, "emptyline.v64")[3], "");
    EXPECT_EQ(rowOf(f.disk, "emptyfile.v64")[3], "");
    EXPECT_EQ(rowOf(f.disk, "nocat.v64")[3], "none");
    // Every category was offered to the category list, the empty one too.
    const auto& known = f.catlist->Items();
    EXPECT_GE(known.IndexOf(""), 0);
    EXPECT_GE(known.IndexOf("none"), 0);
    EXPECT_GE(known.IndexOf("Puzzle"), 0);
    EXPECT_GE(known.IndexOf("Shooter"), 0);
}

TEST_F(HeaderReader, UnreadableCatFileGivesNone)
{
    p.rom("d:\\roms\\", "locked.v64");
    p.drives.write("d:\\ram\\locked.cat", "Secret\r\n");
    platform::FileSystem::instance().injectFault(Fault(Fault::Op::Open, Fault::Kind::Refuse, "locked.cat"));
    auto& f = p.startAndSettle();
    EXPECT_EQ(rowOf(f.disk, "locked.v64")[3], "none");
}

TEST_F(HeaderReader, ImagesThatCannotBeReadGiveErrorRowsAndTheScanGoesOn)
{
    p.rom("d:\\roms\\", "a_short.v64", { .size = 40 });
    p.rom("d:\\roms\\", "b_empty.v64", { .size = 0 });
    p.rom("d:\\roms\\", "c_locked.v64");
    p.rom("d:\\roms\\", "d_good.v64", { .title = "GOOD" });
    p.rom("d:\\roms\\", "e_readonly.v64", { .title = "READ ONLY" });
    std::filesystem::permissions(p.drives.host("d:\\roms\\e_readonly.v64"), std::filesystem::perms::owner_read
            | std::filesystem::perms::group_read | std::filesystem::perms::others_read);
    platform::FileSystem::instance().injectFault(Fault(Fault::Op::Open, Fault::Kind::Refuse, "c_locked.v64"));
    auto& f = p.startAndSettle();
    auto rows = Program::rows(f.disk);
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0], errorRow());
    EXPECT_EQ(rows[1], errorRow());
    EXPECT_EQ(rows[2], errorRow());
    EXPECT_EQ(rows[3][0], "GOOD                ");
    EXPECT_EQ(rows[4][0], "READ ONLY           ");
    EXPECT_EQ(rows[4][5], "e_readonly.v64");
    EXPECT_TRUE(p.dialogs->boxes.empty());
}

}
