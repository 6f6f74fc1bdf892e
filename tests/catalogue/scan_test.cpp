#include "tests/support/program.h"

#include <gtest/gtest.h>

namespace {

// An archive on d:\roms with RAM files in d:\ram, and the Zip disk on z:.
struct Scans : ::testing::Test {
    Program p;
    void SetUp() override
    {
        p.drives.write("d:\\roms\\.keep", "");
        p.drives.write("d:\\ram\\.keep", "");
        p.settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", "-", "1" });
    }
};

TEST_F(Scans, ArchiveRowsFollowTheListingOrderWithMixedCaseAndBothExtensions)
{
    p.rom("d:\\roms\\", "beta.rom", { .title = "BETA" });
    p.rom("d:\\roms\\", "Alpha.v64", { .title = "ALPHA" });
    p.rom("d:\\roms\\", "alpha2.V64", { .title = "ALPHA TWO" });
    p.rom("d:\\roms\\", "notes.txt");
    auto& f = p.startAndSettle();
    auto rows = Program::rows(f.disk);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][5], "Alpha.v64");
    EXPECT_EQ(rows[1][5], "alpha2.V64");
    EXPECT_EQ(rows[2][5], "beta.rom");
    EXPECT_EQ(rows[0][0], "ALPHA               ");
}

TEST_F(Scans, ZipGaugeAndCaptionAddTheSizes)
{
    p.rom("z:\\", "a.v64", { .size = 64 * 131072 });
    p.rom("z:\\", "b.v64", { .size = 96 * 131072 });
    p.rom("z:\\", "c.v64", { .size = 256 * 131072 });
    auto& f = p.startAndSettle();
    EXPECT_EQ(f.full->Progress(), 416);
    EXPECT_EQ(f.fully->Caption(), "416 MBit");
    EXPECT_EQ(f.zip->RowCount(), 3);
}

}
