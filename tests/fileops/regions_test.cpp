// SPDX-License-Identifier: MIT
#include "tests/fileops/game_files.h"

#include <filesystem>

namespace {

using platform::Fault;

class Regions : public GameFiles {
protected:
    // mario in the root of the archive with everything a game can have.
    void marioInRoot()
    {
        p.rom("d:\\roms\\", "mario.v64", { .title = "SUPER MARIO 64" });
        for (const char* ext : { ".eep", ".ram", ".zcc", ".ips", ".nfo", ".cat", ".aps" })
            file(std::string("d:\\ram\\mario") + ext, ext);
        file("d:\\ram\\boxart\\mario.bmp", "box");
        file("d:\\ram\\screens\\mario.bmp", "screen");
    }
    // The folders of a region, made by hand.
    void regionFolders(const std::string& r)
    {
        for (const std::string& dir : { "d:\\roms\\" + r, "d:\\ram\\" + r, "d:\\ram\\" + r + "boxart\\",
                 "d:\\ram\\" + r + "screens\\" })
            file(dir + ".keep", "");
    }
    Lines typedText() const
    {
        Lines text;
        for (const auto& line : typed->lines)
            if (line != " ")
                text.push_back(line);
        return text;
    }
    Lines visibleMoves() const
    {
        Lines shown;
        for (tk::TMenuItem* item : { p.form->MovetoUSA1, p.form->movetoEUR1, p.form->movetoJAP1, p.form->movetoINT1 })
            if (item->Visible())
                shown.push_back(item->Caption());
        return shown;
    }
    Lines everythingOf(const std::string& region) const
    {
        Lines all;
        for (const std::string& folder : { "d:\\roms\\" + region, "d:\\ram\\" + region, "d:\\ram\\" + region + "boxart\\",
                 "d:\\ram\\" + region + "screens\\" })
            if (exists(folder))
                for (const auto& name : dir(folder))
                    if (name != "boxart" && name != "screens")
                        all.push_back(folder + name);
        return all;
    }
};

TEST_F(Regions, AButtonMakesTheRegionsFoldersInOrderOnceAndShowsTheRegion)
{
    p.rom("d:\\roms\\", "root.v64", { .title = "ROOT" });
    p.rom("z:\\", "zip.v64", { .title = "ZIP" });
    auto& f = start();
    EXPECT_EQ(visibleMoves(), (Lines { "move to USA", "move to EUR", "move to JAP", "move to INT" }));
    auto zipRows = Program::rows(f.zip);
    typed->clear();
    p.click(f.SpeedButton2);

    EXPECT_EQ(typed->lines, (Lines { " ", "Creating directory:", "d:\\roms\\eur\\", " ", "Creating directory:",
                                "d:\\ram\\eur\\", " ", "Creating directory:", "d:\\ram\\eur\\screens", " ",
                                "Creating directory:", "d:\\ram\\eur\\boxart", "Refreshing romlist.",
                                "Refreshing complete." }));
    EXPECT_TRUE(exists("d:\\ram\\eur\\boxart\\") && exists("d:\\ram\\eur\\screens\\"));
    EXPECT_EQ(f.RegionFolder, "eur\\");
    EXPECT_EQ(f.RomPath, "d:\\roms\\eur\\");
    EXPECT_EQ(f.RamPath, "d:\\ram\\eur\\");
    EXPECT_EQ(f.ini->Lines()[3], "eur\\");
    EXPECT_EQ(visibleMoves(), (Lines { "move to USA", "move to JAP", "move to INT" }));
    EXPECT_EQ(Program::rows(f.disk), (std::vector<Lines> { Lines(7) }));
    EXPECT_EQ(Program::rows(f.zip), zipRows);

    typed->clear();
    p.click(f.SpeedButton2);
    EXPECT_EQ(typed->lines, (Lines { "Refreshing romlist.", "Refreshing complete." }));
    p.click(f.SpeedButton1);
    EXPECT_EQ(visibleMoves(), (Lines { "move to EUR", "move to JAP", "move to INT" }));
}

TEST_F(Regions, TheChosenRegionIsSavedAndShownAtTheNextStart)
{
    p.rom("d:\\roms\\", "root.v64", { .title = "ROOT" });
    p.rom("d:\\roms\\jap\\", "japan.v64", { .title = "JAPAN" });
    regionFolders("jap\\");
    auto& f = start();
    ASSERT_EQ(f.disk->Cell(5, 0), "root.v64");
    p.click(f.SpeedButton3);
    EXPECT_EQ(f.disk->Cell(5, 0), "japan.v64");
    f.Close();
    EXPECT_EQ(content(p.startDir() + "tavisco.ini"), "z:\\\r\nd:\\roms\\\r\nd:\\ram\\\r\njap\\\r\n1\r\n");

    auto& g = p.startAndSettle();
    EXPECT_EQ(g.RegionFolder, "jap\\");
    EXPECT_EQ(g.disk->Cell(5, 0), "japan.v64");
    // At start every move is offered, the shown region's too.
    EXPECT_EQ(visibleMoves().size(), 4u);
}

TEST_F(Regions, AMoveTakesEveryFileAndBothPicturesButNotThePatch)
{
    marioInRoot();
    p.rom("d:\\roms\\", "zelda.v64", { .title = "ZELDA" });
    regionFolders("jap\\");
    auto& f = start();
    pickDisk(0);
    ASSERT_EQ(f.SelectedGame, "mario");
    typed->clear();
    f.movetoJAP1->Click();

    EXPECT_EQ(typedText(), (Lines { "Moving SUPER MARIO 64 to JAP.", "Move complete.", "Refreshing romlist.",
                               "Refreshing complete." }));
    EXPECT_EQ(everythingOf("jap\\"), (Lines { "d:\\roms\\jap\\mario.v64", "d:\\ram\\jap\\mario.cat",
                                         "d:\\ram\\jap\\mario.eep", "d:\\ram\\jap\\mario.ips", "d:\\ram\\jap\\mario.nfo",
                                         "d:\\ram\\jap\\mario.ram", "d:\\ram\\jap\\mario.zcc",
                                         "d:\\ram\\jap\\boxart\\mario.bmp", "d:\\ram\\jap\\screens\\mario.bmp" }));
    EXPECT_EQ(content("d:\\ram\\jap\\mario.eep"), ".eep");
    EXPECT_EQ(dir("d:\\ram\\"), (Lines { "boxart", "jap", "mario.aps", "screens" }));
    EXPECT_EQ(dir("d:\\roms\\"), (Lines { "jap", "zelda.v64" }));
    EXPECT_EQ(f.disk->Cell(5, 0), "zelda.v64");
}

TEST_F(Regions, AMultiDotImageGoesWithItsGame)
{
    p.rom("d:\\roms\\", "a.b.v64", { .title = "ALPHA" });
    file("d:\\ram\\a.eep", "save");
    regionFolders("int\\");
    auto& f = start();
    pickDisk(0);
    f.movetoINT1->Click();
    EXPECT_EQ(everythingOf("int\\"), (Lines { "d:\\roms\\int\\a.b.v64", "d:\\ram\\int\\a.eep" }));
    EXPECT_TRUE(dir("d:\\roms\\").size() == 1);
}

TEST_F(Regions, AMoveThatCannotBeWholeMovesNothing)
{
    marioInRoot();
    auto& f = start();
    pickDisk(0);
    // No folders for the region yet.
    typed->clear();
    f.movetoEUR1->Click();
    EXPECT_EQ(typedText(), (Lines { "Moving SUPER MARIO 64 to EUR.", "Could not move mario.v64", "Could not move mario.eep",
                               "Could not move mario.ram", "Could not move mario.zcc", "Could not move mario.ips",
                               "Could not move mario.bmp", "Could not move mario.bmp", "Could not move mario.nfo",
                               "Could not move mario.cat", "Move failed !!!", "Refreshing romlist.",
                               "Refreshing complete." }));
    EXPECT_EQ(dir("d:\\roms\\"), (Lines { "mario.v64" }));

    // A file of the game already in the region: the place is taken, nothing goes.
    regionFolders("eur\\");
    file("d:\\ram\\eur\\mario.eep", "another save");
    pickDisk(0);
    typed->clear();
    f.movetoEUR1->Click();
    EXPECT_EQ(typed->starting("Could not"), (Lines { "Could not move mario.eep" }));
    EXPECT_EQ(typed->starting("Move"), (Lines { "Move failed !!!" }));
    EXPECT_EQ(everythingOf("eur\\"), (Lines { "d:\\ram\\eur\\mario.eep" }));
    EXPECT_EQ(content("d:\\ram\\eur\\mario.eep"), "another save");
    EXPECT_EQ(content("d:\\ram\\mario.eep"), ".eep");
}

TEST_F(Regions, AMoveRefusedPartWayPutsEverythingBack)
{
    marioInRoot();
    regionFolders("usa\\");
    auto& f = start();
    pickDisk(0);
    fail(Fault(Fault::Op::Move, Fault::Kind::Refuse, "mario.zcc"));
    typed->clear();
    f.MovetoUSA1->Click();
    EXPECT_EQ(typed->starting("Could not"), (Lines { "Could not move mario.zcc" }));
    EXPECT_EQ(typed->starting("Move"), (Lines { "Move failed !!!" }));
    EXPECT_TRUE(everythingOf("usa\\").empty());
    EXPECT_EQ(dir("d:\\roms\\"), (Lines { "mario.v64", "usa" }));
    EXPECT_EQ(dir("d:\\ram\\boxart\\"), (Lines { "mario.bmp" }));
    EXPECT_EQ(dir("d:\\ram\\").size(), 10u);
}

TEST_F(Regions, MovingIntoTheRegionShownChangesNothing)
{
    p.settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", "usa\\", "1" });
    regionFolders("usa\\");
    p.rom("d:\\roms\\usa\\", "mario.v64", { .title = "MARIO" });
    file("d:\\ram\\usa\\mario.eep", "save");
    auto& f = start();
    pickDisk(0);
    ASSERT_TRUE(f.MovetoUSA1->Visible());
    typed->clear();
    f.MovetoUSA1->Click();
    EXPECT_EQ(typedText(), (Lines { "Moving MARIO to USA.", "Move complete.", "Refreshing romlist.", "Refreshing complete." }));
    EXPECT_EQ(everythingOf("usa\\"), (Lines { "d:\\roms\\usa\\mario.v64", "d:\\ram\\usa\\mario.eep" }));
}

TEST_F(Regions, AFolderThatCannotBeMadeIsSaid)
{
    auto& f = start();
    fail(Fault(Fault::Op::CreateDirectory, Fault::Kind::Refuse, "screens"));
    typed->clear();
    p.click(f.SpeedButton4);
    EXPECT_EQ(typed->starting("Could not"), (Lines { "Could not create directory" }));
    EXPECT_FALSE(exists("d:\\ram\\int\\screens\\"));
    EXPECT_TRUE(exists("d:\\ram\\int\\boxart\\"));
}

TEST_F(Regions, ARegionWhoseRomFolderCannotBeMadeOrOpenedIsNotSwitchedTo)
{
    p.rom("d:\\roms\\", "root.v64", { .title = "ROOT" });
    file("d:\\roms\\usa", "a file in the way");
    std::filesystem::create_symlink(p.drives.host("d:\\gone"), p.drives.host("d:\\roms\\eur"));
    regionFolders("jap\\");
    auto& f = start();
    auto rows = Program::rows(f.disk);
    std::string line3 = f.ini->Lines()[3];
    auto unchanged = [&] {
        EXPECT_EQ(f.RegionFolder, "");
        EXPECT_EQ(f.RomPath, "d:\\roms\\");
        EXPECT_EQ(f.RamPath, "d:\\ram\\");
        EXPECT_EQ(f.ini->Lines()[3], line3);
        EXPECT_EQ(visibleMoves().size(), 4u);
        EXPECT_EQ(Program::rows(f.disk), rows);
        EXPECT_TRUE(p.dialogs->boxes.empty());
    };

    typed->clear();
    p.click(f.SpeedButton1);
    EXPECT_EQ(typedText(), (Lines { "Creating directory:", "d:\\roms\\usa\\", "Could not create directory" }));
    unchanged();
    typed->clear();
    p.click(f.SpeedButton2);
    EXPECT_EQ(typedText(), (Lines { "Creating directory:", "d:\\roms\\eur\\", "Could not create directory" }));
    unchanged();

    fail(Fault(Fault::Op::List, Fault::Kind::Refuse, "jap"));
    typed->clear();
    p.click(f.SpeedButton3);
    EXPECT_EQ(typedText(), (Lines { "Cannot open directory d:\\roms\\jap\\" }));
    unchanged();
    platform::FileSystem::instance().clearFaults();

    // The archive gone: the table keeps what it listed.
    p.drives.remove("d:\\roms");
    typed->clear();
    p.click(f.SpeedButton4);
    EXPECT_EQ(typedText(), (Lines { "Creating directory:", "d:\\roms\\int\\", "Could not create directory" }));
    unchanged();
    EXPECT_FALSE(exists("d:\\ram\\int\\"));
}

TEST_F(Regions, AMoveWithoutAGameNameMovesNothing)
{
    file("d:\\roms\\broken.v64", "no header");
    file("d:\\roms\\.v64", "hidden");
    file("d:\\ram\\.eep", "hidden");
    regionFolders("usa\\");
    auto& f = start();
    pickDisk(0);
    ASSERT_EQ(f.SelectedGame, "");
    typed->clear();
    f.MovetoUSA1->Click();
    EXPECT_EQ(typed->starting("Mov"), (Lines { "Moving Error !!! to USA.", "Move failed !!!" }));
    EXPECT_TRUE(everythingOf("usa\\").empty());
    EXPECT_EQ(content("d:\\ram\\.eep"), "hidden");
}

TEST_F(Regions, AMoveThatCannotBeUndoneNamesEveryFileLeftBehind)
{
    marioInRoot();
    regionFolders("usa\\");
    auto& f = start();
    pickDisk(0);
    // The archive's drive goes while the cheat text moves: nothing can go back any more.
    fail(Fault(Fault::Op::Move, Fault::Kind::DriveGone, "mario.zcc"));
    typed->clear();
    try {
        f.MovetoUSA1->Click();
    } catch (const std::exception&) {
        // The rescan of a drive that is gone; the application's handler shows it.
    }
    EXPECT_EQ(typed->starting("Could not"), (Lines { "Could not move mario.zcc", "Could not move back mario.ram",
                                                "Could not move back mario.eep", "Could not move back mario.v64" }));
    EXPECT_EQ(typed->starting("Move"), (Lines { "Move failed !!!" }));
    platform::FileSystem::instance().clearFaults();
    EXPECT_EQ(everythingOf("usa\\"), (Lines { "d:\\roms\\usa\\mario.v64", "d:\\ram\\usa\\mario.eep", "d:\\ram\\usa\\mario.ram" }));
}

}
