// SPDX-License-Identifier: MIT
#include "tests/catalogue/archive_fixture.h"

namespace {

using Report = ArchiveTest;

const std::string upper = std::string(46, '-') + "\r\n      Title          Country Size  Filename\r\n"
    + std::string(46, '-') + "\r\n";
const std::string closing = std::string(47, '-') + "\r\n \r\n";

TEST_F(Report, ArchiveTableInItsSortOrderWithCellsAsTheyStand)
{
    p.rom("d:\\roms\\", "b.v64", { .title = "Wave race", .country = 'J', .size = mbit(64) });
    p.rom("d:\\roms\\", "a.rom", { .title = "zelda \xe9t\xe9", .country = 'X', .size = mbit(256) });
    auto& f = p.startAndSettle();
    p.click(f.c1);
    p.drain();
    f.GenerateRomlist1->Click();
    EXPECT_EQ(p.clipboard(), upper + "WAVE RACE            JAPAN     64  B.V64\r\n"
            + "ZELDA \xe9T\xe9            X  256  A.ROM\r\n" + closing);
    p.drain();
    EXPECT_EQ(p.consoleText(), (std::vector<std::string> { "Romlist copied to clipboard." }));
}

// A title holding line breaks or other control bytes keeps its game on one line.
TEST_F(Report, ControlBytesOfATitleAreWrittenAsBlanks)
{
    p.rom("z:\\", "odd.v64", { .title = "TWO\r\nLINES\tAND\x01\x1f!", .size = mbit(8) });
    auto& f = p.startAndSettle();
    f.GenerateRomlist2->Click();
    EXPECT_EQ(p.clipboard(), upper + "TWO  LINES AND  !    USA        8  ODD.V64\r\n" + closing);
}

TEST_F(Report, ZipTableAndAnEmptyTable)
{
    p.rom("z:\\", "mario.v64", { .title = "SUPER MARIO 64", .size = mbit(8) });
    auto& f = p.startAndSettle();
    f.GenerateRomlist2->Click();
    EXPECT_EQ(p.clipboard(), upper + "SUPER MARIO 64       USA        8  MARIO.V64\r\n" + closing);
    // The archive is empty: one blank row, one line of five blanks.
    f.GenerateRomlist1->Click();
    EXPECT_EQ(p.clipboard(), upper + "     \r\n" + closing);
}

}
