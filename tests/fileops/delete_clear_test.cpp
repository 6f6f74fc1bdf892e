// SPDX-License-Identifier: MIT
#include "tests/fileops/game_files.h"

#include <optional>

namespace {

class DeleteAndClear : public GameFiles {
protected:
    // Two games on the Zip disk with saves, patches and a stray file; the archive is empty.
    void twoGames()
    {
        p.rom("z:\\", "luigi.v64", { .title = "LUIGI" });
        file("z:\\luigi.eep", "luigi");
        p.rom("z:\\", "mario.v64", { .title = "MARIO" });
        for (const char* ext : { ".ram", ".ips", ".zcc", ".eep", ".aps", ".nfo" })
            file(std::string("z:\\mario") + ext, ext);
        file("z:\\notes.txt", "not a game");
    }
    // How long after now the console starts typing its next queued line.
    std::int64_t nextLineWaits()
    {
        std::int64_t from = p.now();
        typed->clear();
        p.advance(2000);
        return typed->started.empty() ? -1 : typed->started.front() - from;
    }
};

TEST_F(DeleteAndClear, DeleteAsksThenRemovesTheGamesFilesButKeepsItsPatch)
{
    twoGames();
    auto& f = start();
    pickZip(1);
    p.dialogs->answerBoxes({ tk::IDOK });
    press(f.b6);

    ASSERT_EQ(p.dialogs->boxes.size(), 1u);
    EXPECT_EQ(p.dialogs->boxes[0].text, "Are you sure to delete mario.* from ZipDrive ?");
    EXPECT_EQ(p.dialogs->boxes[0].caption, "Warning !!!");
    EXPECT_EQ(p.dialogs->boxes[0].flags, tk::MB_OKCANCEL);
    EXPECT_EQ(p.console(), join(blanks(5), { "Deleting mario.*", "Delete complete", "Refreshing romlist.", "Refreshing complete." }));
    EXPECT_EQ(dir("z:\\"), (Lines { "luigi.eep", "luigi.v64", "mario.aps", "mario.nfo", "notes.txt" }));
    auto rows = Program::rows(f.zip);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][5], "luigi.v64");
    EXPECT_EQ(f.SelectedGame, "luigi");
}

TEST_F(DeleteAndClear, CancelledDeleteChangesNothingButTheConsolePace)
{
    twoGames();
    auto& f = start();
    pickZip(1);
    Lines before = p.console();
    Lines files = dir("z:\\");
    typed->clear();
    f.m6->Click();

    ASSERT_EQ(p.dialogs->boxes.size(), 1u);
    EXPECT_EQ(dir("z:\\"), files);
    EXPECT_EQ(p.console(), before);
    EXPECT_TRUE(typed->lines.empty());
    EXPECT_EQ(f.Timer3->Interval(), 1000);
    // The next block waits a second instead of half a second.
    p.clickRow(f.zip, 0);
    EXPECT_EQ(nextLineWaits(), 1000);
}

TEST_F(DeleteAndClear, ConsoleWaitsASecondWhileTheBoxIsOpenAndAfterTheDelete)
{
    twoGames();
    auto& f = start();
    pickZip(1);
    std::optional<int> interval;
    p.dialogs->whileOpen = [&] { interval = f.Timer3->Interval(); };
    p.dialogs->answerBoxes({ tk::IDOK });
    press(f.b6);
    EXPECT_EQ(interval, 1000);
    // Clearing the console with "+" leaves the timer alone, so the details of the re-scan wait
    // the second set before the box.
    EXPECT_EQ(nextLineWaits(), 1000);
}

TEST_F(DeleteAndClear, DeleteUsesTheNameTakenBeforeTheBox)
{
    twoGames();
    auto& f = start();
    pickZip(0);
    p.dialogs->whileOpen = [&] {
        p.clickRow(f.zip, 1);
        p.advance(3000);
    };
    p.dialogs->answerBoxes({ tk::IDOK });
    press(f.b6);
    EXPECT_EQ(p.dialogs->boxes[0].text, "Are you sure to delete luigi.* from ZipDrive ?");
    EXPECT_EQ(p.console()[5], "Deleting luigi.*");
    EXPECT_FALSE(exists("z:\\luigi.v64"));
    EXPECT_FALSE(exists("z:\\luigi.eep"));
    EXPECT_TRUE(exists("z:\\mario.v64"));
    EXPECT_TRUE(exists("z:\\mario.eep"));
}

TEST_F(DeleteAndClear, DeleteOfAMultiDotImageTakesTheImageAndTheBaseNamesFiles)
{
    p.rom("z:\\", "a.b.v64", { .title = "DOTS" });
    file("z:\\a.eep", "save");
    file("z:\\a.zcc", "cheats");
    file("z:\\a.b.eep", "named after no base");
    auto& f = start();
    pickZip(0);
    p.dialogs->answerBoxes({ tk::IDOK });
    press(f.b6);
    EXPECT_EQ(p.console()[5], "Deleting a.*");
    EXPECT_EQ(dir("z:\\"), (Lines { "a.b.eep" }));
    EXPECT_EQ(Program::rows(f.zip), (std::vector<Lines> { Lines(7) }));
}

TEST_F(DeleteAndClear, ClearDeletesEveryListedGameAndLeavesPatchesAndStrangers)
{
    twoGames();
    p.rom("z:\\", "c.1.v64", { .title = "GAMMA" });
    file("z:\\c.ram", "c ram");
    file("z:\\x.eep", "no game of this name");
    auto& f = start();
    pickZip(0);
    f.sysdis("typed before");
    f.sysdis("the clear");
    p.dialogs->answerBoxes({ tk::IDOK });
    f.ClearZipDisk1->Click();

    ASSERT_EQ(p.dialogs->boxes.size(), 1u);
    EXPECT_EQ(p.dialogs->boxes[0].text, "Are you sure to clear the Zipdisc ?");
    EXPECT_EQ(p.dialogs->boxes[0].caption, "Warning !!!");
    EXPECT_EQ(p.dialogs->boxes[0].flags, tk::MB_OKCANCEL);
    // The console is not cleared first: what was there scrolls up.
    EXPECT_EQ(p.console(), (Lines { "typed before", "the clear", "Deleting c.*", "Deleting luigi.*", "Deleting mario.*",
                               " ", "Zipdisc cleared.", "Refreshing romlist.", "Refreshing complete." }));
    EXPECT_EQ(dir("z:\\"), (Lines { "mario.aps", "mario.nfo", "notes.txt", "x.eep" }));
    EXPECT_EQ(Program::rows(f.zip), (std::vector<Lines> { Lines(7) }));
}

TEST_F(DeleteAndClear, CancelledClearDeletesNothingAndTypesNothing)
{
    twoGames();
    auto& f = start();
    pickZip(0);
    Lines before = p.console();
    Lines files = dir("z:\\");
    typed->clear();
    f.DeleteAll1->Click();
    ASSERT_EQ(p.dialogs->boxes.size(), 1u);
    EXPECT_EQ(dir("z:\\"), files);
    EXPECT_EQ(p.console(), before);
    EXPECT_TRUE(typed->lines.empty());
}

TEST_F(DeleteAndClear, ClearOfAnEmptyTableNamesNoFile)
{
    // Hidden files are not listed, so only a pass with an empty game name would reach them.
    file("z:\\.eep", "extension only");
    file("z:\\.v64", "extension only");
    auto& f = start();
    typed->clear();
    p.dialogs->answerBoxes({ tk::IDOK });
    f.ClearZipDisk1->Click();
    EXPECT_EQ(typed->lines, (Lines { " ", "Zipdisc cleared.", "Refreshing romlist.", "Refreshing complete." }));
    EXPECT_TRUE(exists("z:\\.eep"));
    EXPECT_TRUE(exists("z:\\.v64"));
}

}
