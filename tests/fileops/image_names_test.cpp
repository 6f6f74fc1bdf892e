// SPDX-License-Identifier: MIT
#include "tests/fileops/game_files.h"

#include <fstream>

namespace {

// Images named .z64 and .n64, as today's collections and flash carts name them, beside the older
// .v64 and .rom: zelda exists as .z64 only, kart as .n64 only, mario both as .v64 and as .z64.
class ImageNames : public GameFiles {
protected:
    void archive()
    {
        p.rom("d:\\roms\\", "zelda.z64", { .title = "ZELDA" });
        p.rom("d:\\roms\\", "kart.n64", { .title = "KART", .littleEndian = true });
        p.rom("d:\\roms\\", "mario.v64", { .title = "MARIO", .byteSwapped = true });
        p.rom("d:\\roms\\", "mario.z64", { .title = "MARIO" });
        file("d:\\ram\\mario.eep", "save");
    }
    static Lines column(const tk::TStringGrid* grid, int col)
    {
        Lines cells;
        for (const auto& row : Program::rows(grid))
            cells.push_back(row[col]);
        return cells;
    }
};

TEST_F(ImageNames, EveryImageNameIsListedCopiedAndDeleted)
{
    archive();
    p.rom("z:\\", "kart.n64", { .title = "KART" });
    auto& f = start();
    EXPECT_EQ(column(f.disk, 5), (Lines { "kart.n64", "mario.v64", "mario.z64", "zelda.z64" }));
    EXPECT_EQ(column(f.disk, 0), (Lines { cell("KART"), cell("MARIO"), cell("MARIO"), cell("ZELDA") }));
    EXPECT_EQ(column(f.zip, 5), (Lines { "kart.n64" }));

    pickDisk(3);
    press(f.b1);
    EXPECT_EQ(typed->starting("Copy c"), (Lines { "Copy complete." }));
    pickDisk(2);
    press(f.b1);
    pickDisk(1);
    press(f.b1);
    EXPECT_EQ(dir("z:\\"), (Lines { "kart.n64", "mario.eep", "mario.v64", "mario.z64", "zelda.z64" }));
    EXPECT_EQ(column(f.zip, 5), (Lines { "kart.n64", "mario.v64", "mario.z64", "zelda.z64" }));

    // Deleting mario takes both of its images.
    pickZip(2);
    p.dialogs->answerBoxes({ tk::IDOK });
    press(f.b6);
    EXPECT_EQ(dir("z:\\"), (Lines { "kart.n64", "zelda.z64" }));

    p.dialogs->answerBoxes({ tk::IDOK });
    f.ClearZipDisk1->Click();
    EXPECT_TRUE(dir("z:\\").empty());

    // And back: a game known to the Zip disk only as .n64 goes into the archive under that name.
    p.drives.remove("d:\\roms\\kart.n64");
    p.rom("z:\\", "kart.n64", { .title = "KART" });
    f.ziprefreshClick(nullptr);
    pickZip(0);
    press(f.b2);
    EXPECT_TRUE(exists("d:\\roms\\kart.n64"));
}

TEST_F(ImageNames, RenameAndRegionMovesTakeEveryImageOfTheGame)
{
    archive();
    auto& f = start();
    pickDisk(2);
    ASSERT_EQ(f.SelectedGame, "mario");
    p.dialogs->answerQuery("plumber");
    press(f.b4);
    EXPECT_EQ(dir("d:\\roms\\"), (Lines { "kart.n64", "plumber.v64", "plumber.z64", "zelda.z64" }));
    EXPECT_EQ(dir("d:\\ram\\"), (Lines { "plumber.eep" }));

    for (const char* dir : { "d:\\roms\\jap\\", "d:\\ram\\jap\\", "d:\\ram\\jap\\boxart\\", "d:\\ram\\jap\\screens\\" })
        file(std::string(dir) + ".keep", "");
    pickDisk(1);
    ASSERT_EQ(f.SelectedGame, "plumber");
    f.movetoJAP1->Click();
    pickDisk(0);
    ASSERT_EQ(f.SelectedGame, "kart");
    f.movetoJAP1->Click();
    EXPECT_EQ(dir("d:\\roms\\jap\\"), (Lines { "kart.n64", "plumber.v64", "plumber.z64" }));
    EXPECT_EQ(dir("d:\\ram\\jap\\"), (Lines { "boxart", "plumber.eep", "screens" }));
    EXPECT_EQ(column(f.disk, 5), (Lines { "zelda.z64" }));
}

// Names in any script: a listing shows the characters Windows-1252 has no form for as '?', and
// the game is still read, copied, moved, renamed and deleted by that name.
class ScriptNames : public GameFiles {
protected:
    std::string host(const std::string& winDir, const std::string& utf8Name) const
    {
        return p.drives.host(winDir) + "/" + utf8Name;
    }
    void hostFile(const std::string& winDir, const std::string& utf8Name, const std::string& bytes)
    {
        std::ofstream(host(winDir, utf8Name), std::ios::binary) << bytes;
    }
};

TEST_F(ScriptNames, AGameNamedInAnotherScriptIsHandledLikeAnyOther)
{
    RomImage { .title = "NIHON" }.writeTo(host("z:\\", "日本.v64"));
    hostFile("z:\\", "日本.eep", "save");
    hostFile("z:\\", "日本.zcc", "cheats");
    auto& f = start();
    ASSERT_EQ(Program::rows(f.zip).size(), 1u);
    EXPECT_EQ(f.zip->Cell(0, 0), cell("NIHON"));
    EXPECT_EQ(f.zip->Cell(4, 0), "EEP  ZCC  ");
    EXPECT_EQ(f.zip->Cell(5, 0), "??.v64");

    pickZip(0);
    press(f.b2);
    EXPECT_EQ(typed->starting("Copy c"), (Lines { "Copy complete." }));
    EXPECT_EQ(dir("d:\\roms\\"), (Lines { "日本.v64" }));
    EXPECT_EQ(dir("d:\\ram\\"), (Lines { "日本.eep", "日本.zcc" }));
    EXPECT_EQ(f.disk->Cell(4, 0), "EEP  ZCC  ");

    pickZip(0);
    p.dialogs->answerBoxes({ tk::IDOK });
    press(f.b6);
    EXPECT_TRUE(dir("z:\\").empty());

    for (const char* folder : { "d:\\roms\\jap\\", "d:\\ram\\jap\\", "d:\\ram\\jap\\boxart\\", "d:\\ram\\jap\\screens\\" })
        file(std::string(folder) + ".keep", "");
    pickDisk(0);
    f.movetoJAP1->Click();
    EXPECT_EQ(dir("d:\\roms\\jap\\"), (Lines { "日本.v64" }));
    EXPECT_EQ(dir("d:\\ram\\jap\\"), (Lines { "boxart", "screens", "日本.eep", "日本.zcc" }));

    f.SpeedButton3->Click();
    pickDisk(0);
    // What the dialog gives for characters Windows-1252 has no form for is refused as a name.
    p.dialogs->answerQuery("??");
    press(f.b4);
    EXPECT_EQ(p.console().back(), "Invalid name: ??");
    p.dialogs->answerQuery("nihon");
    press(f.b4);
    EXPECT_EQ(dir("d:\\roms\\jap\\"), (Lines { "nihon.v64" }));
    EXPECT_EQ(dir("d:\\ram\\jap\\"), (Lines { "boxart", "nihon.eep", "nihon.zcc", "screens" }));
}

// Two entries that a listing names alike are never guessed between: neither can be read or copied.
TEST_F(ScriptNames, TwoEntriesListedByOneNameAreNeitherOfThem)
{
    RomImage { .title = "NIHON" }.writeTo(host("z:\\", "日本.v64"));
    RomImage { .title = "CHUGOKU" }.writeTo(host("z:\\", "中国.v64"));
    auto& f = start();
    EXPECT_EQ(Program::rows(f.zip), (std::vector<Lines> { { "Error !!!", "", "", "", "", "", "" },
                                        { "Error !!!", "", "", "", "", "", "" } }));
    EXPECT_FALSE(platform::CopyFileA("z:\\??.v64", "d:\\roms\\??.v64", false));
    EXPECT_TRUE(dir("d:\\roms\\").empty());
}

}
