// SPDX-License-Identifier: MIT
#include "tests/fileops/game_files.h"

#include <cctype>

namespace {

class Rename : public GameFiles {
protected:
    // mario with both images, every file the archive keeps for a game, pictures and a copy on the Zip disk.
    void marioEverywhere()
    {
        p.rom("d:\\roms\\", "mario.rom", { .title = "SUPER MARIO 64" });
        p.rom("d:\\roms\\", "mario.v64", { .title = "SUPER MARIO 64" });
        for (const char* ext : { ".eep", ".ram", ".zcc", ".ips", ".bmp", ".nfo", ".cat", ".aps" })
            file(std::string("d:\\ram\\mario") + ext, ext);
        file("d:\\ram\\boxart\\mario.bmp", "box");
        file("d:\\ram\\screens\\mario.bmp", "screen");
        p.rom("z:\\", "mario.v64", { .title = "SUPER MARIO 64" });
    }
    void renameTo(std::optional<std::string> name)
    {
        p.dialogs->answerQuery(std::move(name));
        press(p.form->b4);
    }
    // Every file of the archive, with its folder.
    Lines archive() const
    {
        Lines all;
        for (const char* folder : { "d:\\roms\\", "d:\\ram\\", "d:\\ram\\boxart\\", "d:\\ram\\screens\\" })
            if (exists(folder))
                for (const auto& name : dir(folder))
                    all.push_back(folder + name);
        return all;
    }
};

TEST_F(Rename, NewNameGoesToImagesAndRamFilesButNotToPicturesPatchesOrTheZipDisk)
{
    marioEverywhere();
    auto& f = start();
    pickDisk(1);
    renameTo("luigi");

    ASSERT_EQ(p.dialogs->queries.size(), 1u);
    EXPECT_EQ(p.dialogs->queries[0].caption, "Rename all Files of \"SUPER MARIO 64\"");
    EXPECT_EQ(p.dialogs->queries[0].prompt, "Enter new name for: mario.*");
    EXPECT_EQ(p.dialogs->queries[0].proposal, "mario");
    EXPECT_EQ(p.console(), join(blanks(5), { "Renaming mario.* to luigi.*", "Rename complete.", "Refreshing romlist.",
                                               "Refreshing complete." }));
    EXPECT_EQ(dir("d:\\roms\\"), (Lines { "luigi.rom", "luigi.v64" }));
    EXPECT_EQ(dir("d:\\ram\\"), (Lines { "boxart", "luigi.bmp", "luigi.cat", "luigi.eep", "luigi.ips", "luigi.nfo",
                                    "luigi.ram", "luigi.zcc", "mario.aps", "screens" }));
    EXPECT_EQ(content("d:\\ram\\luigi.eep"), ".eep");
    EXPECT_EQ(dir("d:\\ram\\boxart\\"), (Lines { "mario.bmp" }));
    EXPECT_EQ(dir("d:\\ram\\screens\\"), (Lines { "mario.bmp" }));
    EXPECT_EQ(dir("z:\\"), (Lines { "mario.v64" }));

    EXPECT_EQ(Program::rows(f.disk)[1][5], "luigi.v64");
    EXPECT_EQ(f.disk->Row(), 0);
    EXPECT_EQ(f.SelectedGame, "luigi");
}

TEST_F(Rename, CancelChangesNothingAndTypesNothing)
{
    marioEverywhere();
    auto& f = start();
    pickDisk(0);
    Lines files = archive();
    Lines before = p.console();
    typed->clear();
    p.dialogs->answerQuery(std::nullopt);
    f.m4->Click();
    EXPECT_EQ(p.dialogs->queries.size(), 1u);
    EXPECT_EQ(archive(), files);
    EXPECT_EQ(p.console(), before);
    EXPECT_TRUE(typed->lines.empty());
}

TEST_F(Rename, MultiDotImageKeepsWhatFollowsTheBaseName)
{
    p.rom("d:\\roms\\", "a.b.v64", { .title = "DOTS" });
    file("d:\\ram\\a.eep", "save");
    file("d:\\ram\\a.b.eep", "named after no base");
    start();
    pickDisk(0);
    renameTo("z");
    EXPECT_EQ(archive(), (Lines { "d:\\roms\\z.b.v64", "d:\\ram\\a.b.eep", "d:\\ram\\z.eep" }));
    EXPECT_EQ(p.console()[6], "Rename complete.");
}

TEST_F(Rename, UpperCaseImageExtensionIsRenamedOnce)
{
    p.rom("d:\\roms\\", "GAME.V64", { .title = "LOUD" });
    file("d:\\ram\\GAME.eep", "save");
    start();
    pickDisk(0);
    renameTo("other");
    EXPECT_TRUE(typed->starting("Could not").empty());
    EXPECT_EQ(p.console()[6], "Rename complete.");
    Lines roms = dir("d:\\roms\\");
    ASSERT_EQ(roms.size(), 1u);
    std::string folded = roms[0];
    for (char& c : folded)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(folded, "other.v64") << roms[0];
    EXPECT_EQ(dir("d:\\ram\\"), (Lines { "other.eep" }));
}

TEST_F(Rename, TargetInUseRenamesNothing)
{
    p.rom("d:\\roms\\", "mario.v64", { .title = "MARIO" });
    file("d:\\ram\\mario.eep", "mario");
    file("d:\\ram\\mario.zcc", "mario");
    file("d:\\ram\\luigi.zcc", "luigi");
    auto& f = start();
    pickDisk(0);
    Lines files = archive();
    renameTo("luigi");
    EXPECT_EQ(p.console().back(), "Name already in use: luigi.*");
    EXPECT_TRUE(typed->starting("Renaming").empty());
    EXPECT_EQ(archive(), files);
    EXPECT_EQ(content("d:\\ram\\luigi.zcc"), "luigi");

    // An image of the new name stops it too.
    p.drives.remove("d:\\ram\\luigi.zcc");
    p.rom("d:\\roms\\", "luigi.v64", { .title = "LUIGI" });
    files = archive();
    renameTo("LUIGI");
    EXPECT_EQ(p.console().back(), "Name already in use: LUIGI.*");
    EXPECT_EQ(archive(), files);

    // A file of the new name that no rename would write is in nobody's way.
    p.drives.remove("d:\\roms\\luigi.v64");
    p.rom("d:\\roms\\", "luigi.rom", { .title = "LUIGI" });
    renameTo("luigi");
    EXPECT_EQ(p.console()[6], "Rename complete.");
    EXPECT_EQ(archive(), (Lines { "d:\\roms\\luigi.rom", "d:\\roms\\luigi.v64", "d:\\ram\\luigi.eep", "d:\\ram\\luigi.zcc" }));
    EXPECT_EQ(f.SelectedGame, "luigi");
}

TEST_F(Rename, InvalidNamesAreRefusedAsTyped)
{
    p.rom("d:\\roms\\", "mario.v64", { .title = "MARIO" });
    file("d:\\ram\\mario.eep", "mario");
    start();
    pickDisk(0);
    Lines files = archive();
    const std::string names[] = { "", "   ", "a\\b", "a/b", "c:x", "a*", "a?", "say \"hi\"", "<a", "a>", "a|b",
        "tab\there", std::string("bell\x07"), ".", ".." };
    for (const auto& name : names) {
        renameTo(name);
        EXPECT_EQ(p.console().back(), "Invalid name: " + name) << "[" << name << "]";
        EXPECT_EQ(archive(), files) << "[" << name << "]";
    }
    EXPECT_TRUE(typed->starting("Renaming").empty());
}

TEST_F(Rename, ChangeOfLetterCaseOnlyIsARename)
{
    p.rom("d:\\roms\\", "mario.v64", { .title = "MARIO" });
    file("d:\\ram\\mario.eep", "mario");
    start();
    pickDisk(0);
    renameTo("Mario");
    EXPECT_EQ(p.console()[5], "Renaming mario.* to Mario.*");
    EXPECT_EQ(p.console()[6], "Rename complete.");
    EXPECT_EQ(archive(), (Lines { "d:\\roms\\Mario.v64", "d:\\ram\\Mario.eep" }));
    EXPECT_EQ(content("d:\\ram\\Mario.eep"), "mario");
}

TEST_F(Rename, UnchangedNameChangesNothingAndIsComplete)
{
    p.rom("d:\\roms\\", "mario.v64", { .title = "MARIO" });
    file("d:\\ram\\mario.eep", "mario");
    start();
    pickDisk(0);
    Lines files = archive();
    renameTo("mario");
    EXPECT_EQ(p.console(), join(blanks(5), { "Renaming mario.* to mario.*", "Rename complete.", "Refreshing romlist.",
                                               "Refreshing complete." }));
    EXPECT_EQ(archive(), files);
}

TEST_F(Rename, OldNameIsTakenBeforeTheDialog)
{
    p.rom("d:\\roms\\", "a.v64", { .title = "ALPHA" });
    p.rom("d:\\roms\\", "b.v64", { .title = "BETA" });
    file("d:\\ram\\a.eep", "a");
    file("d:\\ram\\b.eep", "b");
    auto& f = start();
    pickDisk(0);
    p.dialogs->whileOpen = [&] {
        p.clickRow(f.disk, 1);
        p.advance(3000);
    };
    renameTo("c");
    EXPECT_EQ(p.dialogs->queries[0].caption, "Rename all Files of \"ALPHA\"");
    EXPECT_EQ(archive(), (Lines { "d:\\roms\\b.v64", "d:\\roms\\c.v64", "d:\\ram\\b.eep", "d:\\ram\\c.eep" }));
}

}
