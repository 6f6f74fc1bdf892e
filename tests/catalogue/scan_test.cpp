// SPDX-License-Identifier: MIT
#include "tests/catalogue/archive_fixture.h"

#include "platform/filesystem.h"
#include "toolkit/application.h"

namespace {

using Scans = ArchiveTest;

TEST_F(Scans, ArchiveRowsFollowTheListingOrderWithMixedCaseAndBothExtensions)
{
    p.rom("d:\\roms\\", "beta.rom", { .title = "BETA" });
    p.rom("d:\\roms\\", "Alpha.v64", { .title = "ALPHA" });
    p.rom("d:\\roms\\", "alpha2.V64", { .title = "ALPHA TWO" });
    p.rom("d:\\roms\\", "notes.txt");
    p.rom("d:\\roms\\", ".hidden.v64");
    p.rom("d:\\roms\\sub.v64\\", "inner.v64");
    auto& f = p.startAndSettle();
    auto rows = Program::rows(f.disk);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][5], "Alpha.v64");
    EXPECT_EQ(rows[1][5], "alpha2.V64");
    EXPECT_EQ(rows[2][5], "beta.rom");
    EXPECT_EQ(rows[0][0], "ALPHA               ");
    EXPECT_FALSE(f.getrominf->Visible());
}

TEST_F(Scans, NamesThatDifferOnlyInCaseSortNextToEachOther)
{
    p.rom("d:\\roms\\", "abd.v64");
    p.rom("d:\\roms\\", "ABC.v64");
    p.rom("d:\\roms\\", "Abb.v64");
    // Past the file system's case-blind lookup, which would find ABC.v64 again.
    RomImage().writeTo(p.drives.host("d:\\roms") + "/abc.v64");
    auto& f = p.startAndSettle();
    auto rows = Program::rows(f.disk);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0][5], "Abb.v64");
    EXPECT_EQ(lowerAZ(rows[1][5]), "abc.v64");
    EXPECT_EQ(lowerAZ(rows[2][5]), "abc.v64");
    EXPECT_NE(rows[1][5], rows[2][5]);
    EXPECT_EQ(rows[3][5], "abd.v64");
}

TEST_F(Scans, EmptyDirectoriesGiveOneBlankRowAndAnEmptyGauge)
{
    auto& f = p.startAndSettle();
    EXPECT_EQ(Program::rows(f.disk), (std::vector<std::vector<std::string>> { emptyRow() }));
    EXPECT_EQ(Program::rows(f.zip), (std::vector<std::vector<std::string>> { emptyRow() }));
    EXPECT_EQ(f.fully->Caption(), "000 MBit");
    EXPECT_EQ(f.full->Progress(), 0);
    EXPECT_FALSE(f.nozip->Visible());
    EXPECT_EQ(p.consoleText(), (std::vector<std::string> { "No Romfiles found !" }));
}

TEST_F(Scans, ZipGaugeAndCaptionAddTheSizes)
{
    p.rom("z:\\", "a.v64", { .size = mbit(64) });
    p.rom("z:\\", "b.v64", { .size = mbit(96) });
    p.rom("z:\\", "c.v64", { .size = mbit(256) });
    auto& f = p.startAndSettle();
    EXPECT_EQ(f.full->Progress(), 416);
    EXPECT_EQ(f.fully->Caption(), "416 MBit");
    EXPECT_EQ(f.zip->RowCount(), 3);
    EXPECT_FALSE(f.getrominf2->Visible());

    p.drives.remove("z:\\b.v64");
    p.drives.remove("z:\\c.v64");
    p.rom("z:\\", "a.v64", { .size = mbit(8) });
    f.ziprefreshClick(nullptr);
    EXPECT_EQ(f.full->Progress(), 8);
    EXPECT_EQ(f.fully->Caption(), "008 MBit");
}

TEST_F(Scans, GaugeStopsAtCapacityWhileTheCaptionCountsOnBelowAThousand)
{
    for (const char* name : { "a.v64", "b.v64", "c.v64" })
        p.rom("z:\\", name, { .size = mbit(256) });
    auto& f = p.startAndSettle();
    EXPECT_EQ(f.full->Progress(), 736);
    EXPECT_EQ(f.fully->Caption(), "768 MBit");

    p.rom("z:\\", "d.v64", { .size = mbit(256) });
    f.ziprefreshClick(nullptr);
    EXPECT_EQ(f.full->Progress(), 736);
    EXPECT_EQ(f.fully->Caption(), "768 MBit");
    EXPECT_EQ(f.zip->RowCount(), 4);

    // A disk whose first image is already too big keeps what the last scan showed.
    for (const char* name : { "a.v64", "b.v64", "c.v64", "d.v64" })
        p.drives.remove(std::string("z:\\") + name);
    p.rom("z:\\", "e.v64", { .size = mbit(16) });
    f.ziprefreshClick(nullptr);
    ASSERT_EQ(f.fully->Caption(), "016 MBit");
    p.drives.remove("z:\\e.v64");
    p.rom("z:\\", "huge.v64", { .size = mbit(1024) });
    f.ziprefreshClick(nullptr);
    EXPECT_EQ(f.full->Progress(), 736);
    EXPECT_EQ(f.fully->Caption(), "016 MBit");
}

TEST_F(Scans, ErrorRowOnTheZipDiskCountsNothingAndTheScanReachesTheSelection)
{
    p.rom("z:\\", "a_broken.v64", { .size = 10 });
    p.rom("z:\\", "b_fine.v64", { .title = "FINE", .size = mbit(64) });
    auto& f = p.startAndSettle();
    auto rows = Program::rows(f.zip);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], errorRow());
    EXPECT_EQ(rows[1][0], "FINE                ");
    EXPECT_EQ(f.full->Progress(), 64);
    EXPECT_EQ(f.fully->Caption(), "064 MBit");
    EXPECT_FALSE(f.getrominf2->Visible());
    // zipClick ran on the error row: the Zip table is active and its details were listed.
    EXPECT_TRUE(f.zips->Visible());
    EXPECT_FALSE(f.disks->Visible());
    EXPECT_EQ(p.console()[0], "Title: Error !!!");
    EXPECT_EQ(p.console()[4], "Files: ");
    EXPECT_TRUE(p.dialogs->boxes.empty());
}

TEST_F(Scans, ImageThatBecameUnreadableShowsOnlyTheErrorInItsRow)
{
    p.rom("d:\\roms\\", "game.v64", { .title = "WAS FINE" });
    p.drives.write("d:\\ram\\game.eep", "x");
    auto& f = p.startAndSettle();
    ASSERT_EQ(f.disk->Cell(0, 0), "WAS FINE            ");
    p.drives.write("d:\\roms\\game.v64", "short");
    f.diskrefreshClick(nullptr);
    EXPECT_EQ(Program::rows(f.disk), (std::vector<std::vector<std::string>> { errorRow() }));
}

TEST_F(Scans, RescanAfterDeletingAGameDropsItsRow)
{
    for (int i = 0; i < 10; ++i)
        p.rom("d:\\roms\\", "game" + std::to_string(i) + ".v64");
    auto& f = p.startAndSettle();
    ASSERT_EQ(f.disk->RowCount(), 10);
    p.drives.remove("d:\\roms\\" + f.disk->Cell(5, 5));
    f.diskrefreshClick(nullptr);
    EXPECT_EQ(f.disk->RowCount(), 9);
    EXPECT_TRUE(rowOf(f.disk, "game5.v64").empty());
    EXPECT_EQ(f.disk->Row(), 0);
    EXPECT_EQ(f.SelectedGame, "game0");

    for (int i = 0; i < 10; ++i)
        p.drives.remove("d:\\roms\\game" + std::to_string(i) + ".v64");
    f.diskrefreshClick(nullptr);
    EXPECT_EQ(Program::rows(f.disk), (std::vector<std::vector<std::string>> { emptyRow() }));
}

TEST_F(Scans, ArchiveScanRenewsTheCategoryListAndTheZipScanAddsToIt)
{
    p.rom("d:\\roms\\", "a_rpg.v64");
    p.drives.write("d:\\ram\\a_rpg.cat", "RPG\r\n");
    p.rom("d:\\roms\\", "b_plain.v64");
    p.rom("d:\\roms\\", "c_lower.v64");
    p.drives.write("d:\\ram\\c_lower.cat", "rpg\r\n");
    p.rom("z:\\", "kart.v64");
    p.drives.write("d:\\ram\\kart.cat", "Racing\r\n");
    auto& f = p.startAndSettle();
    auto known = [&] {
        auto items = f.catlist->Items().Lines();
        std::sort(items.begin(), items.end());
        return items;
    };
    EXPECT_EQ(known(), (std::vector<std::string> { "RPG", "Racing", "none" }));
    f.diskrefreshClick(nullptr);
    EXPECT_EQ(known(), (std::vector<std::string> { "RPG", "none" }));
    f.ziprefreshClick(nullptr);
    EXPECT_EQ(known(), (std::vector<std::string> { "RPG", "Racing", "none" }));
}

TEST_F(Scans, ZipDiskThatCannotBeListedGivesTheNoDiskState)
{
    p.rom("z:\\", "a.v64", { .size = mbit(128) });
    p.rom("d:\\roms\\", "mario.v64");
    auto& f = p.startAndSettle();
    p.clickRow(f.disk, 0);
    p.drain();
    auto console = p.console();
    ASSERT_EQ(f.fully->Caption(), "128 MBit");

    p.drives.removeDrive('z');
    f.ziprefreshClick(nullptr);
    EXPECT_TRUE(f.nozip->Visible());
    EXPECT_EQ(Program::rows(f.zip), (std::vector<std::vector<std::string>> { emptyRow() }));
    EXPECT_EQ(f.fully->Caption(), "000 MBit");
    EXPECT_EQ(f.full->Progress(), 0);
    EXPECT_FALSE(f.ZipPresent);
    // Nothing reported and zipClick not run: the archive stays the active table.
    EXPECT_EQ(f.sysmem->Lines().Count(), 0);
    EXPECT_EQ(p.console(), console);
    EXPECT_TRUE(f.disks->Visible());
    EXPECT_TRUE(p.dialogs->boxes.empty());

    p.drives.map('z');
    p.rom("z:\\", "b.v64", { .size = mbit(32) });
    f.ziprefreshClick(nullptr);
    EXPECT_FALSE(f.nozip->Visible());
    EXPECT_EQ(f.fully->Caption(), "032 MBit");
    EXPECT_TRUE(f.zips->Visible());
}

TEST_F(Scans, DriveRootAsArchiveFindsItsImages)
{
    p.settings({ "z:\\", "d:\\", "d:\\ram\\", "-", "1" });
    p.rom("d:\\", "root.v64", { .title = "AT THE ROOT" });
    auto& f = p.startAndSettle();
    EXPECT_EQ(lowerAZ(f.RomPath), "d:\\");
    EXPECT_EQ(rowOf(f.disk, "root.v64")[0], "AT THE ROOT         ");
}

TEST_F(Scans, ArchiveThatCannotBeListedIsReportedAndKeepsItsRows)
{
    p.rom("d:\\roms\\", "mario.v64");
    auto& f = p.startAndSettle();
    p.drives.remove("d:\\roms");
    tk::Application().Guard([&] { f.diskrefreshClick(nullptr); });
    ASSERT_EQ(p.dialogs->boxes.size(), 1u);
    EXPECT_NE(lowerAZ(p.dialogs->boxes[0].text).find("d:\\roms"), std::string::npos);
    EXPECT_EQ(f.l9->Caption(), "Refreshing romlist.");
    EXPECT_EQ(rowOf(f.disk, "mario.v64")[5], "mario.v64");
    // The program goes on: the next poll and the console still work.
    p.advance(2000);
    p.drain();
    EXPECT_EQ(p.dialogs->boxes.size(), 1u);
}

}
