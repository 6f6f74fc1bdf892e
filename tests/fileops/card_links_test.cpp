// SPDX-License-Identifier: MIT
#include "tests/fileops/game_files.h"

#include <filesystem>

namespace {

// A card formatted elsewhere may hold symbolic links. What they lead to outside the card is not on
// the card: not listed, read, copied or written through. Links within the card work as files.
class CardLinks : public GameFiles {
protected:
    void link(const std::string& winLink, const std::string& winTarget)
    {
        std::filesystem::create_symlink(p.drives.host(winTarget), p.drives.host(winLink));
    }
};

TEST_F(CardLinks, WhatALinkLeadsToOutsideTheCardIsNotOnIt)
{
    p.rom("c:\\", "secret.v64", { .title = "SECRET" });
    file("c:\\secrets\\passwd", "root:x:0:0");
    file("c:\\other.eep", "someone else's save");
    p.rom("d:\\roms\\", "mario.v64", { .title = "MARIO" });
    file("d:\\ram\\mario.eep", "archive save");
    p.rom("z:\\", "real.v64", { .title = "REAL" });
    link("z:\\pw.v64", "c:\\secret.v64");
    link("z:\\dir", "c:\\secrets");
    link("z:\\back.v64", "d:\\roms\\mario.v64");
    link("z:\\real.eep", "c:\\other.eep");
    link("z:\\inside.v64", "z:\\real.v64");
    link("z:\\mario.eep", "c:\\other.eep");
    auto& f = start();
    EXPECT_EQ(Program::rows(f.zip).size(), 2u);
    EXPECT_EQ(f.zip->Cell(5, 0), "inside.v64");
    EXPECT_EQ(f.zip->Cell(0, 0), cell("REAL"));
    EXPECT_EQ(f.zip->Cell(5, 1), "real.v64");
    EXPECT_EQ(f.zip->Cell(4, 1), "-");
    auto& fs = platform::FileSystem::instance();
    EXPECT_FALSE(fs.directoryExists("z:\\dir"));
    EXPECT_FALSE(fs.readFile("z:\\dir\\passwd"));
    EXPECT_FALSE(fs.listFiles("z:\\dir\\", "*.*"));

    // The copy takes the game but not what a link would pull in.
    pickZip(1);
    press(f.b2);
    EXPECT_EQ(typed->starting("Copy c"), (Lines { "Copy complete." }));
    EXPECT_EQ(dir("d:\\ram\\"), (Lines { "mario.eep" }));

    // A copy onto the card replaces the link by the file and leaves what it led to alone.
    f.diskrefreshClick(nullptr);
    pickDisk(0);
    ASSERT_EQ(f.SelectedGame, "mario");
    press(f.b1);
    EXPECT_EQ(content("z:\\mario.eep"), "archive save");
    EXPECT_FALSE(std::filesystem::is_symlink(p.drives.host("z:\\mario.eep")));
    EXPECT_EQ(content("c:\\other.eep"), "someone else's save");

    // Deleting a game takes the link, never what it leads to.
    pickZip(2);
    ASSERT_EQ(f.SelectedGame, "real");
    p.dialogs->answerBoxes({ tk::IDOK });
    press(f.b6);
    EXPECT_FALSE(std::filesystem::is_symlink(p.drives.host("z:\\real.eep")));
    EXPECT_EQ(content("c:\\other.eep"), "someone else's save");
    EXPECT_TRUE(exists("c:\\secret.v64"));
}

}
