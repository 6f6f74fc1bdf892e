#include "tests/fileops/game_files.h"
#include "tests/support/exfat_volume.h"

namespace {

// The archive on a real exFAT volume, a file system that ignores letter case.
class OnExfat : public GameFiles {
protected:
    void SetUp() override
    {
        volume = std::make_unique<ExfatVolume>(p.drives.host("d:\\"));
        if (!volume->mounted())
            GTEST_SKIP() << volume->whyNot();
        GameFiles::SetUp();
    }
    void TearDown() override
    {
        p.form.reset();
        volume.reset();
    }
    std::unique_ptr<ExfatVolume> volume;
};

TEST_F(OnExfat, RenameThatOnlyChangesLetterCaseRenamesEveryFile)
{
    p.rom("d:\\roms\\", "mario.v64", { .title = "MARIO" });
    file("d:\\ram\\mario.eep", "save");
    file("d:\\ram\\mario.cat", "Jump\r\n");
    auto& f = start();
    pickDisk(0);
    p.dialogs->answerQuery("Mario");
    press(f.b4);
    EXPECT_EQ(typed->starting("Renam"), (Lines { "Renaming mario.* to Mario.*", "Rename complete." }));
    EXPECT_EQ(dir("d:\\roms\\"), (Lines { "Mario.v64" }));
    EXPECT_EQ(dir("d:\\ram\\"), (Lines { "Mario.cat", "Mario.eep" }));
    EXPECT_EQ(content("d:\\ram\\Mario.eep"), "save");
    EXPECT_EQ(f.disk->Cell(5, 0), "Mario.v64");
}

TEST_F(OnExfat, RenameOntoAnotherGamesNameIsRefusedWholly)
{
    p.rom("d:\\roms\\", "mario.v64", { .title = "MARIO" });
    p.rom("d:\\roms\\", "luigi.v64", { .title = "LUIGI" });
    file("d:\\ram\\mario.eep", "mario save");
    file("d:\\ram\\luigi.eep", "luigi save");
    auto& f = start();
    pickDisk(1);
    ASSERT_EQ(f.SelectedGame, "mario");
    p.dialogs->answerQuery("LUIGI");
    press(f.b4);
    EXPECT_EQ(typed->starting("Name already in use"), (Lines { "Name already in use: LUIGI.*" }));
    EXPECT_EQ(content("d:\\ram\\mario.eep"), "mario save");
    EXPECT_EQ(content("d:\\ram\\luigi.eep"), "luigi save");
}

}
