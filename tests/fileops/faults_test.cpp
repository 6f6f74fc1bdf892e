// SPDX-License-Identifier: MIT
#include "tests/fileops/game_files.h"

namespace {

using platform::Fault;
using Op = platform::Fault::Op;
using Kind = platform::Fault::Kind;

const std::string zipLed = "Wait until the Zipled is off...";

class Failures : public GameFiles {
protected:
    // mario in the archive with a save, a patch and cheats.
    void marioInArchive()
    {
        p.rom("d:\\roms\\", "mario.v64", { .title = "MARIO" });
        for (const char* ext : { ".eep", ".ips", ".aps", ".zcc", ".ram" })
            file(std::string("d:\\ram\\mario") + ext, ext);
    }
    void marioOnZip()
    {
        p.rom("z:\\", "mario.v64", { .title = "MARIO" });
        p.rom("z:\\", "mario.rom", { .title = "MARIO" });
        for (const char* ext : { ".ram", ".ips", ".zcc", ".eep", ".aps" })
            file(std::string("z:\\mario") + ext, ext);
    }
    void deleteConfirmed()
    {
        p.dialogs->answerBoxes({ tk::IDOK });
        press(p.form->b6);
    }
};

TEST_F(Failures, RefusedCopyIsReportedByNameAndTheRestArrives)
{
    marioInArchive();
    auto& f = start();
    pickDisk(0);
    fail(Fault(Op::Copy, Kind::Refuse, "mario.eep"));
    press(f.b1);
    EXPECT_EQ(p.console(), join(blanks(2), { "Copy " + cell("MARIO"), "to Zipdisc, please wait...",
                                               "Could not copy mario.eep", "Copy failed !!!", zipLed,
                                               "Refreshing romlist.", "Refreshing complete." }));
    EXPECT_EQ(dir("z:\\"), (Lines { "mario.aps", "mario.ips", "mario.ram", "mario.v64", "mario.zcc" }));
}

TEST_F(Failures, EveryRefusedCopyIsReportedInTheOrderOfTheCopies)
{
    p.rom("z:\\", "c.1.v64", { .title = "CASTLE" });
    for (const char* ext : { ".ram", ".zcc", ".aps", ".ips", ".eep" })
        file(std::string("z:\\c") + ext, ext);
    auto& f = start();
    fail(Fault(Op::Copy));
    pickZip(0);
    press(f.b2);
    EXPECT_EQ(typed->starting("Could not"), (Lines { "Could not copy c.1.v64", "Could not copy c.eep",
                                                "Could not copy c.ips", "Could not copy c.aps",
                                                "Could not copy c.zcc", "Could not copy c.ram" }));
    EXPECT_EQ(typed->starting("Copy "), (Lines { "Copy " + cell("CASTLE"), "Copy failed !!!" }));
    EXPECT_TRUE(dir("d:\\roms\\").empty());
    EXPECT_TRUE(dir("d:\\ram\\").empty());

    // The update carries no patches and no image.
    p.rom("d:\\roms\\", "c.1.v64", { .title = "CASTLE" });
    pickZip(0);
    typed->clear();
    press(f.b3);
    EXPECT_EQ(typed->lines, join(blanks(10), { "Update " + cell("CASTLE"), "Could not copy c.eep", "Could not copy c.zcc",
                                                 "Could not copy c.ram", "Update failed !!!", zipLed }));

    typed->clear();
    f.Updateall1->Click();
    EXPECT_EQ(typed->lines, join(blanks(10), { "Update " + cell("CASTLE"), "Could not copy c.eep", "Could not copy c.zcc",
                                                 "Could not copy c.ram", "Update failed !!!", zipLed }));
    EXPECT_TRUE(dir("d:\\ram\\").empty());
}

TEST_F(Failures, FullZipDiskLeavesNoPartOfANewFileAndTheOldFileWhole)
{
    p.rom("d:\\roms\\", "mario.v64", { .title = "MARIO", .size = 4 * 1024 * 1024 });
    file("d:\\ram\\mario.eep", std::string(16384, 'n'));
    file("d:\\ram\\mario.zcc", "short cheats");
    file("z:\\mario.eep", "old save");
    auto& f = start();
    pickDisk(0);
    fail(Fault(Op::Copy, Kind::DiskFull, "z:\\", -1, 4096));
    press(f.b1);
    EXPECT_EQ(p.console(), join(blanks(1), { "Copy " + cell("MARIO"), "to Zipdisc, please wait...",
                                               "Could not copy mario.v64", "Could not copy mario.eep", "Copy failed !!!",
                                               zipLed, "Refreshing romlist.", "Refreshing complete." }));
    EXPECT_EQ(dir("z:\\"), (Lines { "mario.eep", "mario.zcc" }));
    EXPECT_EQ(content("z:\\mario.eep"), "old save");
    EXPECT_EQ(content("z:\\mario.zcc"), "short cheats");
    EXPECT_EQ(Program::rows(f.zip), (std::vector<Lines> { Lines(7) }));
}

TEST_F(Failures, FullHardDiskKeepsTheArchiveSave)
{
    p.rom("z:\\", "mario.v64", { .title = "MARIO" });
    file("z:\\mario.eep", std::string(8192, 'z'));
    p.rom("d:\\roms\\", "mario.v64", { .title = "MARIO" });
    file("d:\\ram\\mario.eep", "precious");
    auto& f = start();
    pickZip(0);
    fail(Fault(Op::Copy, Kind::DiskFull, "d:\\ram\\", -1, 1000));
    press(f.b3);
    EXPECT_EQ(p.console().back(), zipLed);
    EXPECT_EQ(typed->starting("Could not"), (Lines { "Could not copy mario.eep" }));
    EXPECT_EQ(typed->starting("Update f"), (Lines { "Update failed !!!" }));
    EXPECT_EQ(dir("d:\\ram\\"), (Lines { "backup", "mario.eep" }));
    EXPECT_EQ(content("d:\\ram\\mario.eep"), "precious");
}

TEST_F(Failures, ZipDiskPulledBeforeTheCopy)
{
    p.rom("d:\\roms\\", "mario.v64", { .title = "MARIO" });
    auto& f = start();
    pickDisk(0);
    ASSERT_TRUE(f.b1->Visible());
    p.drives.removeDrive('z');
    press(f.b1);
    EXPECT_EQ(p.console(), join(blanks(4), { "Copy " + cell("MARIO"), "to Zipdisc, please wait...",
                                               "Could not copy mario.v64", "Copy failed !!!", zipLed }));
    EXPECT_TRUE(f.nozip->Visible());
    EXPECT_EQ(Program::rows(f.zip), (std::vector<Lines> { Lines(7) }));
    EXPECT_TRUE(exists("d:\\roms\\mario.v64"));
}

TEST_F(Failures, ZipDiskGoneHalfwayThroughTheImage)
{
    marioInArchive();
    auto& f = start();
    pickDisk(0);
    fail(Fault(Op::Copy, Kind::DriveGone, "z:\\", 1, 65536));
    press(f.b1);
    // From the image on nothing reaches the drive.
    EXPECT_EQ(typed->starting("Could not"), (Lines { "Could not copy mario.v64", "Could not copy mario.eep",
                                                "Could not copy mario.ips", "Could not copy mario.aps",
                                                "Could not copy mario.zcc", "Could not copy mario.ram" }));
    EXPECT_EQ(p.console().back(), zipLed);
    EXPECT_TRUE(f.nozip->Visible());
    EXPECT_TRUE(dir("z:\\").empty());
}

TEST_F(Failures, RefusedDeletionIsReportedAndTheRestGoes)
{
    marioOnZip();
    auto& f = start();
    pickZip(1);
    ASSERT_EQ(f.zip->Cell(5, 1), "mario.v64");
    fail(Fault(Op::Delete, Kind::Refuse, "mario.zcc"));
    deleteConfirmed();
    EXPECT_EQ(p.console(), join(blanks(4), { "Deleting mario.*", "Could not delete mario.zcc", "Delete failed !!!",
                                               "Refreshing romlist.", "Refreshing complete." }));
    EXPECT_EQ(dir("z:\\"), (Lines { "mario.aps", "mario.zcc" }));
}

TEST_F(Failures, EveryRefusedDeletionIsReportedOnceInOrder)
{
    marioOnZip();
    start();
    pickZip(1);
    fail(Fault(Op::Delete));
    deleteConfirmed();
    EXPECT_EQ(typed->starting("Could not"), (Lines { "Could not delete mario.v64", "Could not delete mario.rom",
                                                "Could not delete mario.ram", "Could not delete mario.ips",
                                                "Could not delete mario.zcc", "Could not delete mario.eep" }));
    EXPECT_EQ(dir("z:\\").size(), 7u);
}

TEST_F(Failures, RefusedDeletionFailsTheClear)
{
    p.rom("z:\\", "a.v64", { .title = "ALPHA" });
    file("z:\\a.eep", "a");
    p.rom("z:\\", "b.v64", { .title = "BETA" });
    auto& f = start();
    fail(Fault(Op::Delete, Kind::Refuse, "a.eep"));
    typed->clear();
    p.dialogs->answerBoxes({ tk::IDOK });
    f.ClearZipDisk1->Click();
    EXPECT_EQ(typed->lines, (Lines { "Deleting a.*", "Could not delete a.eep", "Deleting b.*", " ", "Delete failed !!!",
                                "Refreshing romlist.", "Refreshing complete." }));
    EXPECT_EQ(dir("z:\\"), (Lines { "a.eep" }));
}

TEST_F(Failures, RenameFailingPartWayIsUndone)
{
    p.rom("d:\\roms\\", "mario.v64", { .title = "MARIO" });
    for (const char* ext : { ".eep", ".ram", ".zcc", ".nfo" })
        file(std::string("d:\\ram\\mario") + ext, ext);
    auto& f = start();
    pickDisk(0);
    fail(Fault(Op::Move, Kind::Refuse, "mario.zcc"));
    p.dialogs->answerQuery("luigi");
    press(f.b4);
    EXPECT_EQ(p.console(), join(blanks(4), { "Renaming mario.* to luigi.*", "Could not rename mario.zcc",
                                               "Rename failed !!!", "Refreshing romlist.", "Refreshing complete." }));
    EXPECT_EQ(dir("d:\\roms\\"), (Lines { "mario.v64" }));
    EXPECT_EQ(dir("d:\\ram\\"), (Lines { "mario.eep", "mario.nfo", "mario.ram", "mario.zcc" }));
    EXPECT_EQ(content("d:\\ram\\mario.eep"), ".eep");
    EXPECT_EQ(f.SelectedGame, "mario");
}


// A Zip disk pulled after the click is a failure of every file the operation had to handle, never
// a quiet "complete"; a file truly missing on a ready drive is still skipped without a word.
TEST_F(Failures, ZipDiskPulledAfterTheClickFailsCopiesUpdatesAndDeletions)
{
    marioOnZip();
    auto& f = start();
    pickZip(1);
    ASSERT_TRUE(f.b2->Visible());
    p.drives.removeDrive('z');
    press(f.b2);
    EXPECT_EQ(typed->starting("Could not"), (Lines { "Could not copy mario.v64", "Could not copy mario.eep",
                                                "Could not copy mario.ips", "Could not copy mario.aps",
                                                "Could not copy mario.zcc", "Could not copy mario.ram" }));
    EXPECT_EQ(typed->starting("Copy "), (Lines { "Copy " + cell("MARIO"), "Copy failed !!!" }));
    EXPECT_TRUE(dir("d:\\roms\\").empty());
}

TEST_F(Failures, ZipDiskPulledBeforeAnUpdate)
{
    marioOnZip();
    p.rom("d:\\roms\\", "mario.v64", { .title = "MARIO" });
    auto& f = start();
    pickZip(1);
    ASSERT_TRUE(f.b3->Visible());
    p.drives.removeDrive('z');
    typed->clear();
    press(f.b3);
    Lines typedText;
    std::copy_if(typed->lines.begin(), typed->lines.end(), std::back_inserter(typedText),
        [](const std::string& line) { return line != " "; });
    EXPECT_EQ(typedText, (Lines { "Update " + cell("MARIO"), "Could not copy mario.eep", "Could not copy mario.zcc",
                             "Could not copy mario.ram", "Update failed !!!", zipLed }));

    typed->clear();
    f.Updateall1->Click();
    EXPECT_EQ(typed->starting("Update"), (Lines { "Update " + cell("MARIO"), "Update " + cell("MARIO"),
                                             "Update failed !!!" }));
}

TEST_F(Failures, ZipDiskPulledBeforeTheDelete)
{
    marioOnZip();
    start();
    pickZip(1);
    p.drives.removeDrive('z');
    deleteConfirmed();
    EXPECT_EQ(typed->starting("Could not delete").size(), 8u);
    EXPECT_EQ(typed->starting("Delete"), (Lines { "Delete failed !!!" }));
}

TEST_F(Failures, ZipDiskPulledBeforeTheClear)
{
    marioOnZip();
    auto& f = start();
    p.drives.removeDrive('z');
    typed->clear();
    p.dialogs->answerBoxes({ tk::IDOK });
    f.ClearZipDisk1->Click();
    EXPECT_FALSE(typed->starting("Could not delete").empty());
    EXPECT_EQ(typed->starting("Zipdisc"), Lines {});
    EXPECT_EQ(typed->starting("Delete failed !!!").size(), 1u);
}

}
