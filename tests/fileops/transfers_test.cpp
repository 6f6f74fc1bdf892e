// SPDX-License-Identifier: MIT
#include "tests/fileops/game_files.h"

namespace {

const std::string copyDone = "Copy complete.";
const std::string updateDone = "Update complete.";
const std::string zipLed = "Wait until the Zipled is off...";

class Transfers : public GameFiles {
protected:
    // A game with every companion file the archive can hold, each with its own content.
    void archiveGame(const std::string& romDir, const std::string& ramDir, const std::string& romFile,
        const std::string& base, const std::string& title)
    {
        p.rom(romDir, romFile, { .title = title });
        for (const char* ext : { ".eep", ".ips", ".aps", ".zcc", ".ram", ".nfo", ".cat", ".bmp" })
            file(ramDir + base + ext, base + ext + " from the archive");
        file(ramDir + "boxart\\" + base + ".bmp", "box art");
    }
    void zipGame(const std::string& romFile, const std::string& base, const std::string& title)
    {
        p.rom("z:\\", romFile, { .title = title });
        for (const char* ext : { ".eep", ".ips", ".aps", ".zcc", ".ram" })
            file("z:\\" + base + ext, base + ext + " from the Zip disk");
    }
};

TEST_F(Transfers, CopyToZipCarriesTheImageAndFiveCompanionFilesOnly)
{
    p.rom("d:\\roms\\", "luigi.v64", { .title = "LUIGI" });
    file("d:\\ram\\luigi.eep", "luigi");
    archiveGame("d:\\roms\\", "d:\\ram\\", "mario.v64", "mario", "SUPER MARIO 64");
    auto& f = start();
    pickDisk(1);
    press(f.b1);

    EXPECT_EQ(p.console(), join(blanks(3), { "Copy " + cell("SUPER MARIO 64"), "to Zipdisc, please wait...", copyDone,
                                               zipLed, "Refreshing romlist.", "Refreshing complete." }));
    EXPECT_EQ(dir("z:\\"), (Lines { "mario.aps", "mario.eep", "mario.ips", "mario.ram", "mario.v64", "mario.zcc" }));
    EXPECT_EQ(content("z:\\mario.v64"), content("d:\\roms\\mario.v64"));
    for (const char* ext : { ".eep", ".ips", ".aps", ".zcc", ".ram" })
        EXPECT_EQ(content(std::string("z:\\mario") + ext), std::string("mario") + ext + " from the archive");
    // The archive keeps everything.
    EXPECT_EQ(dir("d:\\ram\\").size(), 10u);

    // The Zip table is scanned again and its first row is the selected game.
    auto rows = Program::rows(f.zip);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][5], "mario.v64");
    EXPECT_EQ(f.zip->Row(), 0);
    EXPECT_TRUE(f.zips->Visible());
    EXPECT_EQ(f.SelectedGame, "mario");
    p.drain();
    EXPECT_EQ(p.console()[5], "ROMFile: mario.v64");
    EXPECT_EQ(p.console()[6], "Location: z:\\");
}

TEST_F(Transfers, CopyToZipNamesCompanionFilesAfterTheBaseNameAndReplacesWhatIsThere)
{
    p.rom("d:\\roms\\", "a.b.v64", { .title = "DOTS" });
    file("d:\\ram\\a.eep", "new save");
    file("d:\\ram\\a.b.eep", "not a companion of a.b.v64");
    file("z:\\a.eep", "old save");
    auto& f = start();
    pickDisk(0);
    press(f.b1);
    EXPECT_EQ(dir("z:\\"), (Lines { "a.b.v64", "a.eep" }));
    EXPECT_EQ(content("z:\\a.eep"), "new save");
    EXPECT_EQ(p.console()[5], copyDone);
}

TEST_F(Transfers, CopyToZipOfAnImageAloneIsComplete)
{
    p.rom("d:\\roms\\", "solo.rom", { .title = "SOLO" });
    auto& f = start();
    pickDisk(0);
    f.m1->Click();
    EXPECT_EQ(dir("z:\\"), (Lines { "solo.rom" }));
    EXPECT_EQ(p.consoleText(), (Lines { "Copy " + cell("SOLO"), "to Zipdisc, please wait...", copyDone, zipLed,
                                   "Refreshing romlist.", "Refreshing complete." }));
}

TEST_F(Transfers, CopyToArchiveCarriesTheSameSetIntoRomPathAndRamPath)
{
    zipGame("c.1.v64", "c", "CASTLE");
    file("z:\\c.1.eep", "belongs to no game");
    file("d:\\ram\\c.eep", "old save");
    auto& f = start();
    pickZip(0);
    press(f.b2);

    EXPECT_EQ(p.console(), join(blanks(3), { "Copy " + cell("CASTLE"), "to archive, please wait...", copyDone, zipLed,
                                               "Refreshing romlist.", "Refreshing complete." }));
    EXPECT_EQ(dir("d:\\roms\\"), (Lines { "c.1.v64" }));
    EXPECT_EQ(dir("d:\\ram\\"), (Lines { "backup", "c.aps", "c.eep", "c.ips", "c.ram", "c.zcc" }));
    EXPECT_EQ(content("d:\\ram\\c.eep"), "c.eep from the Zip disk");
    EXPECT_EQ(content("d:\\roms\\c.1.v64"), content("z:\\c.1.v64"));
    EXPECT_EQ(dir("z:\\").size(), 7u);

    // The archive table is scanned again and active.
    auto rows = Program::rows(f.disk);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][5], "c.1.v64");
    EXPECT_TRUE(f.disks->Visible());
    EXPECT_FALSE(f.zips->Visible());
    EXPECT_EQ(f.SelectedGame, "c");
}

TEST_F(Transfers, RegionFolderIsWhereBothCopiesReadAndWrite)
{
    p.settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", "eur\\", "1" });
    p.drives.write("d:\\roms\\eur\\.keep", "");
    p.drives.write("d:\\ram\\eur\\.keep", "");
    zipGame("c.1.v64", "c", "CASTLE");
    archiveGame("d:\\roms\\eur\\", "d:\\ram\\eur\\", "e.v64", "e", "EUROPE");
    auto& f = start();
    ASSERT_EQ(f.RomPath, "d:\\roms\\eur\\");

    pickZip(0);
    press(f.b2);
    EXPECT_EQ(dir("d:\\roms\\"), (Lines { "eur" }));
    EXPECT_EQ(dir("d:\\ram\\"), (Lines { "eur" }));
    EXPECT_TRUE(exists("d:\\roms\\eur\\c.1.v64"));
    for (const char* ext : { ".eep", ".ips", ".aps", ".zcc", ".ram" })
        EXPECT_TRUE(exists(std::string("d:\\ram\\eur\\c") + ext)) << ext;

    int row = Program::rows(f.disk)[0][5] == "e.v64" ? 0 : 1;
    pickDisk(row);
    press(f.b1);
    EXPECT_EQ(content("z:\\e.v64"), content("d:\\roms\\eur\\e.v64"));
    EXPECT_EQ(content("z:\\e.eep"), "e.eep from the archive");
}

TEST_F(Transfers, UpdateReplacesTheArchiveSavesOfTheSelectedGameAndKeepsTheSelection)
{
    p.rom("z:\\", "luigi.v64", { .title = "LUIGI" });
    file("z:\\luigi.eep", "luigi");
    p.rom("d:\\roms\\", "luigi.v64", { .title = "LUIGI" });
    zipGame("mario.v64", "mario", "MARIO ON ZIP");
    p.rom("d:\\roms\\", "mario.v64", { .title = "MARIO ON DISK" });
    std::string image = content("d:\\roms\\mario.v64");
    file("d:\\ram\\mario.eep", "old save");
    auto& f = start();
    pickZip(1);
    typed->clear();
    press(f.b3);

    EXPECT_EQ(p.console(), join(blanks(6), { "Update " + cell("MARIO ON ZIP"), updateDone, zipLed }));
    EXPECT_EQ(dir("d:\\ram\\"), (Lines { "backup", "mario.eep", "mario.ram", "mario.zcc" }));
    EXPECT_EQ(content("d:\\ram\\mario.eep"), "mario.eep from the Zip disk");
    EXPECT_EQ(content("d:\\roms\\mario.v64"), image);
    // The selection is shown again, not scanned.
    EXPECT_TRUE(typed->starting("Refreshing").empty());
    EXPECT_EQ(f.zip->Row(), 1);
    EXPECT_EQ(f.SelectedGame, "mario");
    p.drain();
    EXPECT_EQ(p.console()[5], "ROMFile: mario.v64");
}

TEST_F(Transfers, UpdateAllCopiesTheSavesOfEveryZipGameInTableOrder)
{
    p.rom("z:\\", "a.v64", { .title = "ALPHA" });
    file("z:\\a.eep", "a save");
    file("z:\\a.aps", "a patch");
    p.rom("z:\\", "b.v64", { .title = "BETA" });
    file("z:\\b.zcc", "b cheats");
    file("z:\\b.ram", "b ram");
    file("z:\\b.ips", "b patch");
    p.rom("z:\\", "c.1.v64", { .title = "GAMMA" });
    file("z:\\c.eep", "c save");
    file("d:\\ram\\b.ram", "old b ram");
    auto& f = start();
    pickZip(2);
    typed->clear();
    f.Updateall1->Click();

    EXPECT_EQ(typed->lines, join(blanks(10), { "Update " + cell("ALPHA"), "Update " + cell("BETA"),
                                                 "Update " + cell("GAMMA"), updateDone, zipLed }));
    EXPECT_EQ(dir("d:\\ram\\"), (Lines { "a.eep", "b.ram", "b.zcc", "backup", "c.eep" }));
    EXPECT_EQ(content("d:\\ram\\b.ram"), "b ram");
    EXPECT_TRUE(dir("d:\\roms\\").empty());
    EXPECT_EQ(f.zip->Row(), 2);
    EXPECT_EQ(f.SelectedGame, "c");
}

TEST_F(Transfers, UpdateAllOverAnEmptyZipTableTypesOneUpdateAndCopiesNothing)
{
    auto& f = start();
    ASSERT_EQ(Program::rows(f.zip), (std::vector<Lines> { Lines(7) }));
    typed->clear();
    f.Updateall1->Click();
    EXPECT_EQ(typed->lines, join(blanks(10), { "Update ", updateDone, zipLed }));
    EXPECT_TRUE(dir("d:\\ram\\").empty());
}

TEST_F(Transfers, ACopyWhoseImageIsGoneCopiesNothingAndFails)
{
    archiveGame("d:\\roms\\", "d:\\ram\\", "mario.v64", "mario", "SUPER MARIO 64");
    zipGame("luigi.v64", "luigi", "LUIGI");
    file("z:\\broken.v64", "too short for a header");
    auto& f = start();

    // An error row names no image: no copy is offered.
    pickZip(0);
    ASSERT_EQ(f.zip->Cell(0, 0), "Error !!!");
    EXPECT_FALSE(f.b2->Visible());
    EXPECT_FALSE(f.m2->Visible());
    EXPECT_FALSE(f.b3->Visible());

    // The image went away after it was selected; its companions stay where they are.
    pickZip(1);
    ASSERT_TRUE(f.b2->Visible());
    p.drives.remove("z:\\luigi.v64");
    typed->clear();
    press(f.b2);
    EXPECT_EQ(typed->starting("C"), (Lines { "Copy " + cell("LUIGI"), "Could not copy luigi.v64", "Copy failed !!!" }));
    EXPECT_EQ(dir("d:\\ram\\").size(), 9u);

    pickDisk(0);
    p.drives.remove("d:\\roms\\mario.v64");
    typed->clear();
    press(f.b1);
    EXPECT_EQ(typed->starting("C"), (Lines { "Copy " + cell("SUPER MARIO 64"), "Could not copy mario.v64", "Copy failed !!!" }));
    EXPECT_EQ(dir("z:\\"), (Lines { "broken.v64", "luigi.aps", "luigi.eep", "luigi.ips", "luigi.ram", "luigi.zcc" }));
}

}
