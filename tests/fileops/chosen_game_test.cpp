// SPDX-License-Identifier: MIT
#include "tests/fileops/game_files.h"

namespace {

// Delete and rename work on the game whose name their box or dialog shows, whatever row the
// tables hold when the button or menu item is used.
class ChosenGame : public GameFiles {
};

TEST_F(ChosenGame, RightClickOnTheInactiveTablesCurrentRowSelectsItBeforeTheMenuActs)
{
    p.rom("z:\\", "alpha.v64", { .title = "ALPHA" });
    p.rom("z:\\", "bravo.v64", { .title = "BRAVO" });
    file("z:\\bravo.eep", "save");
    p.rom("d:\\roms\\", "bravo.v64", { .title = "BRAVO" });
    auto& f = start();
    pickZip(0);
    pickDisk(0);
    ASSERT_EQ(f.SelectedGame, "bravo");
    ASSERT_EQ(f.zip->Row(), 0);

    p.clickRow(f.zip, 0, tk::mbRight);
    EXPECT_EQ(f.SelectedGame, "alpha");
    EXPECT_TRUE(f.zips->Visible());
    EXPECT_TRUE(f.m6->Visible());
    p.dialogs->answerBoxes({ tk::IDOK });
    f.m6->Click();

    ASSERT_EQ(p.dialogs->boxes.size(), 1u);
    EXPECT_EQ(p.dialogs->boxes[0].text, "Are you sure to delete alpha.* from ZipDrive ?");
    EXPECT_EQ(dir("z:\\"), (Lines { "bravo.eep", "bravo.v64" }));
}

TEST_F(ChosenGame, PressOnTheActiveTablesCurrentRowRunsNoSelection)
{
    p.rom("z:\\", "alpha.v64", { .title = "ALPHA" });
    auto& f = start();
    pickZip(0);
    typed->clear();
    p.clickRow(f.zip, 0, tk::mbRight);
    p.drain();
    EXPECT_TRUE(typed->lines.empty());
}

TEST_F(ChosenGame, DeleteTakesTheImageOfTheSelectedGameNotOfTheCurrentRow)
{
    p.rom("z:\\", "alpha.1.v64", { .title = "ALPHA" });
    p.rom("z:\\", "bravo.2.v64", { .title = "BRAVO" });
    auto& f = start();
    pickZip(0);
    ASSERT_EQ(f.SelectedGame, "alpha");
    // Another game comes to stand in the row, as a rescan by the presence poll can do.
    f.zip->SetRowCells(0, Program::rows(f.zip)[1]);
    p.dialogs->answerBoxes({ tk::IDOK });
    press(f.b6);
    EXPECT_EQ(p.dialogs->boxes.at(0).text, "Are you sure to delete alpha.* from ZipDrive ?");
    EXPECT_EQ(dir("z:\\"), (Lines { "bravo.2.v64" }));
}

TEST_F(ChosenGame, RenameAfterASortRenamesOnlyTheSelectedGame)
{
    p.rom("d:\\roms\\", "alpha.1.v64", { .title = "ZULU" });
    p.rom("d:\\roms\\", "bravo.2.v64", { .title = "ALPHA" });
    file("d:\\ram\\alpha.eep", "alpha save");
    auto& f = start();
    pickDisk(0);
    ASSERT_EQ(f.SelectedGame, "alpha");
    p.click(f.c1);
    p.drain();
    ASSERT_EQ(f.disk->Cell(5, f.disk->Row()), "bravo.2.v64");
    ASSERT_EQ(f.SelectedGame, "alpha");

    p.dialogs->answerQuery("charlie");
    press(f.b4);
    EXPECT_EQ(p.dialogs->queries.at(0).prompt, "Enter new name for: alpha.*");
    EXPECT_EQ(dir("d:\\roms\\"), (Lines { "bravo.2.v64", "charlie.1.v64" }));
    EXPECT_EQ(dir("d:\\ram\\"), (Lines { "charlie.eep" }));
}

}
