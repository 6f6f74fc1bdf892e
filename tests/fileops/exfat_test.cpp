// SPDX-License-Identifier: MIT
#include "platform/atomic_file.h"
#include "tests/fileops/game_files.h"
#include "tests/support/exfat_volume.h"

#include <QImage>
#include <cstdlib>
#include <map>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Bytes that differ all through a file, so a copy that drops or repeats any block shows.
std::string pattern(std::size_t size, unsigned seed)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes[i] = static_cast<char>(seed >> 16);
    }
    return bytes;
}

// One drive of the desk on a real exFAT volume: a removable medium that ignores letter case and
// keeps no permissions.
class OnExfatVolume : public GameFiles {
protected:
    virtual char drive() const = 0;
    virtual int megabytes() const { return 32; }
    void SetUp() override
    {
        volume = std::make_unique<ExfatVolume>(p.drives.host(std::string(1, drive()) + ":\\"), megabytes());
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

// The archive on the medium.
class OnExfat : public OnExfatVolume {
protected:
    char drive() const override { return 'd'; }
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

// The Zip disk on the medium; the archive stays on the host's own file system.
class ExfatZip : public OnExfatVolume {
protected:
    char drive() const override { return 'z'; }
    // mario in the archive: a real image past the copy buffer's size, and every companion.
    void marioInArchive()
    {
        file("d:\\roms\\mario.v64", RomImage { .title = "MARIO" }.header() + pattern(1536 * 1024 + 77, 1));
        unsigned seed = 2;
        for (const char* ext : { ".eep", ".ips", ".aps", ".zcc", ".ram" }) {
            file(std::string("d:\\ram\\mario") + ext, pattern(16384 + seed * 11, seed));
            ++seed;
        }
    }
    Lines archiveFiles() const { return { "d:\\roms\\mario.v64", "d:\\ram\\mario.eep", "d:\\ram\\mario.ips",
        "d:\\ram\\mario.aps", "d:\\ram\\mario.zcc", "d:\\ram\\mario.ram" }; }
};

TEST_F(ExfatZip, CopyToTheZipDiskAndBackByteForByte)
{
    marioInArchive();
    std::map<std::string, std::string> original;
    for (const auto& path : archiveFiles())
        original[path] = content(path);
    auto& f = start();
    pickDisk(0);
    press(f.b1);
    EXPECT_EQ(typed->starting("Copy "), (Lines { "Copy " + cell("MARIO"), "Copy complete." }));
    EXPECT_EQ(dir("z:\\"), (Lines { "mario.aps", "mario.eep", "mario.ips", "mario.ram", "mario.v64", "mario.zcc" }));
    EXPECT_EQ(f.zip->Cell(0, 0), cell("MARIO"));
    EXPECT_EQ(f.zip->Cell(4, 0), "EEP  RAM  ZCC  IPS  ");

    for (const auto& path : archiveFiles())
        p.drives.remove(path);
    f.diskrefreshClick(nullptr);
    pickZip(0);
    typed->clear();
    press(f.b2);
    EXPECT_EQ(typed->starting("Copy "), (Lines { "Copy " + cell("MARIO"), "Copy complete." }));
    for (const auto& [path, bytes] : original)
        EXPECT_TRUE(content(path) == bytes) << path << " did not come back as it went";
}

// A medium written by another machine spells the names its own way; they are the game's all the
// same, and a copy onto them replaces them under their own spelling.
TEST_F(ExfatZip, CompanionsInAnyLetterCaseBelongToTheGame)
{
    p.rom("z:\\", "mario.v64", { .title = "MARIO" });
    file("z:\\MARIO.EEP", "zip save");
    file("z:\\Mario.Zcc", "zip cheats");
    p.rom("d:\\roms\\", "mario.v64", { .title = "MARIO" });
    file("d:\\ram\\mario.eep", "old save");
    auto& f = start();
    EXPECT_EQ(f.zip->Cell(4, 0), "EEP  ZCC  ");
    pickZip(0);
    press(f.b3);
    EXPECT_EQ(typed->starting("Update "), (Lines { "Update " + cell("MARIO"), "Update complete." }));
    EXPECT_EQ(dir("d:\\ram\\"), (Lines { "backup", "mario.eep", "mario.zcc" }));
    EXPECT_EQ(content("d:\\ram\\mario.eep"), "zip save");
    EXPECT_EQ(content("d:\\ram\\mario.zcc"), "zip cheats");

    file("d:\\ram\\mario.eep", "newer save");
    file("d:\\ram\\mario.ram", "ram");
    p.drives.remove("z:\\mario.v64");
    f.ziprefreshClick(nullptr);
    pickDisk(0);
    typed->clear();
    press(f.b1);
    EXPECT_EQ(typed->starting("Copy "), (Lines { "Copy " + cell("MARIO"), "Copy complete." }));
    EXPECT_EQ(dir("z:\\"), (Lines { "MARIO.EEP", "Mario.Zcc", "mario.ram", "mario.v64" }));
    EXPECT_EQ(content("z:\\MARIO.EEP"), "newer save");
}

TEST_F(ExfatZip, UpdateAllDeleteAndClearFindEveryFileWhateverItsCase)
{
    p.rom("z:\\", "luigi.v64", { .title = "LUIGI" });
    file("z:\\LUIGI.EEP", "luigi save");
    p.rom("z:\\", "MARIO.V64", { .title = "MARIO" });
    file("z:\\mario.eep", "mario save");
    file("z:\\Mario.Ram", "mario ram");
    file("z:\\mario.ips", "patch");
    auto& f = start();
    f.Updateall1->Click();
    EXPECT_EQ(typed->starting("Update c"), (Lines { "Update complete." }));
    EXPECT_EQ(dir("d:\\ram\\"), (Lines { "MARIO.eep", "MARIO.ram", "luigi.eep" }));

    pickZip(1);
    ASSERT_EQ(f.SelectedGame, "MARIO");
    p.dialogs->answerBoxes({ tk::IDOK });
    typed->clear();
    press(f.b6);
    EXPECT_EQ(typed->starting("Delete"), (Lines { "Delete complete" }));
    EXPECT_EQ(dir("z:\\"), (Lines { "LUIGI.EEP", "luigi.v64" }));

    p.dialogs->answerBoxes({ tk::IDOK });
    typed->clear();
    f.ClearZipDisk1->Click();
    EXPECT_EQ(typed->starting("Zipdisc"), (Lines { "Zipdisc cleared." }));
    EXPECT_TRUE(dir("z:\\").empty());
}

// A flash cart's card formatted elsewhere spells its folders its own way: the save goes into them,
// and what it replaces there is kept.
TEST_F(ExfatZip, ACardsSavesFolderInAnyCaseTakesTheSaveAndWhatItReplacesIsKept)
{
    file("z:\\MENU\\.keep", "");
    file("z:\\SAVES\\MARIO.SAV", "left on the card");
    p.rom("d:\\roms\\", "mario.v64", { .title = "MARIO" });
    file("d:\\ram\\mario.eep", "archive save");
    auto& f = start();
    pickDisk(0);
    press(f.b1);
    EXPECT_EQ(typed->starting("Copy c"), (Lines { "Copy complete." }));
    EXPECT_EQ(dir("z:\\SAVES\\"), (Lines { "MARIO.SAV" }));
    EXPECT_EQ(content("z:\\SAVES\\MARIO.SAV"), "archive save");
    Lines kept = dir("d:\\ram\\backup\\zip\\");
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(content("d:\\ram\\backup\\zip\\" + kept[0]), "left on the card");
    EXPECT_EQ(f.zip->Cell(4, 0), "EEP  ");
}

// A copy killed part-way leaves its hidden partial file on the medium; the next scan removes it.
TEST_F(ExfatZip, APartialCopyLeftOnTheMediumGoesAtTheNextScan)
{
    pid_t ended = ::fork();
    if (ended == 0)
        ::_exit(0);
    ::waitpid(ended, nullptr, 0);
    std::string partial = platform::AtomicFile::tempNameFor("mario.v64", ended, 3, platform::AtomicFile::hostName());
    file("z:\\" + partial, "half an image");
    p.rom("z:\\", "luigi.v64", { .title = "LUIGI" });
    ASSERT_EQ(dir("z:\\"), (Lines { partial, "luigi.v64" }));
    auto& f = start();
    EXPECT_EQ(dir("z:\\"), (Lines { "luigi.v64" }));
    EXPECT_EQ(f.zip->Cell(5, 0), "luigi.v64");
}

class FullExfatZip : public ExfatZip {
protected:
    int megabytes() const override { return 16; }
};

// An image bigger than the room left when another program filled the disk after the image was
// offered: the copy fails and gives the room back; the saves still fit, and what was on the disk
// stays whole.
TEST_F(FullExfatZip, AnImageThatDoesNotFitLeavesNoPartAndTheDiskAsItWas)
{
    file("d:\\roms\\mario.v64", RomImage { .title = "MARIO" }.header() + pattern(9 * 1024 * 1024, 7));
    file("d:\\ram\\mario.eep", "new save");
    file("z:\\mario.eep", "old save");
    auto& f = start();
    pickDisk(0);
    ASSERT_TRUE(f.b1->Visible());
    std::string luigi = pattern(7 * 1024 * 1024, 9);
    file("z:\\luigi.v64", RomImage { .title = "LUIGI" }.header() + luigi);
    struct statvfs before {}, after {};
    ASSERT_EQ(::statvfs(p.drives.host("z:\\").c_str(), &before), 0);
    press(f.b1);
    EXPECT_EQ(typed->starting("Could not"), (Lines { "Could not copy mario.v64" }));
    EXPECT_EQ(typed->starting("Copy "), (Lines { "Copy " + cell("MARIO"), "Copy failed !!!" }));
    EXPECT_EQ(dir("z:\\"), (Lines { "luigi.v64", "mario.eep" }));
    EXPECT_EQ(content("z:\\mario.eep"), "new save");
    EXPECT_TRUE(content("z:\\luigi.v64") == RomImage { .title = "LUIGI" }.header() + luigi);
    ASSERT_EQ(::statvfs(p.drives.host("z:\\").c_str(), &after), 0);
    EXPECT_GE(after.f_bfree * after.f_frsize + 64 * 1024, before.f_bfree * before.f_frsize);
    EXPECT_EQ(f.zip->Cell(5, 0), "luigi.v64");

    // Now that it is known not to fit, it is not offered.
    pickDisk(0);
    EXPECT_FALSE(f.b1->Visible());
}

// A card of 256 MB, holding more images than a Zip disk could, named as today's collections name
// them. With TAVISCO_SNAPSHOT set to a path prefix the window is also saved, to be looked at.
class CardExfatZip : public ExfatZip {
protected:
    int megabytes() const override { return 256; }
    static std::uint64_t mib(int n) { return std::uint64_t(n) << 20; }
    struct statvfs card() const
    {
        struct statvfs v {};
        ::statvfs(p.drives.host("z:\\").c_str(), &v);
        return v;
    }
    int capacity() const { return static_cast<int>(card().f_blocks * card().f_frsize / 131072); }
    int used() const { return static_cast<int>((card().f_blocks - card().f_bfree) * card().f_frsize / 131072); }
};

TEST_F(CardExfatZip, TheCardsOwnSizeCountsAndItsImagesAreListedWhateverTheirName)
{
    p.rom("z:\\", "kart.n64", { .title = "KART", .size = mib(48) });
    p.rom("z:\\", "zelda.z64", { .title = "ZELDA", .size = mib(48) });
    p.rom("z:\\", "wave.v64", { .title = "WAVE", .size = mib(32) });
    p.rom("d:\\roms\\", "mario.z64", { .title = "MARIO", .size = mib(16) });
    auto& f = start();
    EXPECT_EQ(Program::rows(f.zip).size(), 3u);
    EXPECT_GT(capacity(), 1900);
    EXPECT_EQ(f.full->MaxValue(), capacity());
    EXPECT_EQ(f.full->Progress(), used());
    EXPECT_EQ(f.fully->Caption(), "1.0 GBit");

    pickDisk(0);
    press(f.b1);
    EXPECT_EQ(typed->starting("Copy "), (Lines { "Copy " + cell("MARIO"), "Copy complete." }));
    EXPECT_EQ(dir("z:\\"), (Lines { "kart.n64", "mario.z64", "wave.v64", "zelda.z64" }));
    EXPECT_EQ(f.full->Progress(), used());
    EXPECT_GE(f.full->Progress(), 1152);
    EXPECT_EQ(f.fully->Caption(), "1.1 GBit");
    if (const char* out = std::getenv("TAVISCO_SNAPSHOT"))
        f.Render().copy(0, 0, 731, 548).save(QString::fromStdString(std::string(out) + "_card.png"));

    // Deleting takes the .z64 image from the card.
    pickZip(1);
    p.dialogs->answerBoxes({ tk::IDOK });
    press(f.b6);
    EXPECT_EQ(dir("z:\\"), (Lines { "kart.n64", "wave.v64", "zelda.z64" }));
}

}
