// SPDX-License-Identifier: MIT
#include "tests/fileops/game_files.h"

#include <chrono>
#include <filesystem>
#include <map>

namespace {

using platform::Fault;
using Op = platform::Fault::Op;
using Kind = platform::Fault::Kind;

const std::string archiveBackups = "d:\\ram\\backup\\";
const std::string zipBackups = "d:\\ram\\backup\\zip\\";

class Saves : public GameFiles {
protected:
    // The backups in a folder: for each file kept, the contents of its copies, oldest first. Every
    // name must be the file's name followed by a time stamp.
    std::map<std::string, Lines> kept(const std::string& winDir)
    {
        std::map<std::string, Lines> found;
        if (!exists(winDir))
            return found;
        std::map<std::string, std::map<std::pair<std::string, int>, std::string>> ordered;
        for (const std::string& name : dir(winDir)) {
            if (std::filesystem::is_directory(p.drives.host(winDir + name)))
                continue;
            auto backup = backupName(name);
            if (!backup) {
                ADD_FAILURE() << "no backup's name: " << name;
                continue;
            }
            ordered[backup->file][{ backup->stamp, backup->counter }] = content(winDir + name);
        }
        for (const auto& [file, copies] : ordered)
            for (const auto& [order, bytes] : copies)
                found[file].push_back(bytes);
        return found;
    }
    // Sets when a file was last written, as another machine or the card's menu would leave it.
    void writtenAgo(const std::string& winPath, std::chrono::seconds ago)
    {
        std::filesystem::last_write_time(p.drives.host(winPath), std::filesystem::file_time_type::clock::now() - ago);
    }
    void card() { file("z:\\menu\\.keep", ""); }
    void confirmed(tk::TControl* button)
    {
        p.dialogs->answerBoxes({ tk::IDOK });
        press(button);
    }
};

TEST_F(Saves, CopiesKeepEveryFileTheyReplaceWithOtherBytes)
{
    p.rom("d:\\roms\\", "mario.v64", { .title = "MARIO" });
    for (const char* ext : { ".eep", ".ips", ".aps", ".zcc", ".ram" })
        file(std::string("d:\\ram\\mario") + ext, std::string("archive ") + ext);
    for (const char* ext : { ".eep", ".ips", ".aps", ".ram" })
        file(std::string("z:\\mario") + ext, std::string("zip ") + ext);
    file("z:\\mario.zcc", "archive .zcc");
    auto& f = start();
    pickDisk(0);
    press(f.b1);
    EXPECT_EQ(typed->starting("Copy c"), (Lines { "Copy complete." }));
    EXPECT_EQ(content("z:\\mario.eep"), "archive .eep");
    // The same cheats make no copy.
    EXPECT_EQ(kept(zipBackups), (std::map<std::string, Lines> { { "mario.aps", { "zip .aps" } },
                                    { "mario.eep", { "zip .eep" } }, { "mario.ips", { "zip .ips" } },
                                    { "mario.ram", { "zip .ram" } } }));
    EXPECT_TRUE(kept(archiveBackups).empty());

    p.rom("z:\\", "luigi.v64", { .title = "LUIGI" });
    file("z:\\luigi.eep", "zip luigi");
    file("d:\\ram\\luigi.eep", "archive luigi");
    f.ziprefreshClick(nullptr);
    pickZip(0);
    ASSERT_EQ(f.SelectedGame, "luigi");
    press(f.b2);
    EXPECT_EQ(content("d:\\ram\\luigi.eep"), "zip luigi");
    EXPECT_EQ(kept(archiveBackups), (std::map<std::string, Lines> { { "luigi.eep", { "archive luigi" } } }));
}

TEST_F(Saves, UpdatesKeepTheArchiveSavesTellWhenOneWasNewerAndKeepTenOfEach)
{
    p.rom("d:\\roms\\", "mario.v64", { .title = "MARIO" });
    p.rom("z:\\", "mario.v64", { .title = "MARIO" });
    file("d:\\ram\\mario.eep", "played at home");
    file("d:\\ram\\mario.ram", "old ram");
    file("z:\\mario.eep", "old card save");
    file("z:\\mario.ram", "new ram");
    writtenAgo("z:\\mario.eep", std::chrono::hours(5));
    writtenAgo("d:\\ram\\mario.ram", std::chrono::hours(5));
    auto& f = start();
    pickZip(0);
    press(f.b3);
    EXPECT_EQ(typed->starting("Kept"), (Lines { "Kept newer save mario.eep" }));
    EXPECT_EQ(typed->starting("Update c"), (Lines { "Update complete." }));
    EXPECT_EQ(content("d:\\ram\\mario.eep"), "old card save");
    EXPECT_EQ(kept(archiveBackups), (std::map<std::string, Lines> { { "mario.eep", { "played at home" } },
                                        { "mario.ram", { "old ram" } } }));

    // The same bytes again make no copy; each new save makes one, and the eleventh puts out the oldest.
    typed->clear();
    f.Updateall1->Click();
    EXPECT_EQ(typed->starting("Update c"), (Lines { "Update complete." }));
    EXPECT_EQ(kept(archiveBackups)["mario.eep"].size(), 1u);
    for (int i = 1; i <= 10; ++i) {
        file("z:\\mario.eep", "save " + std::to_string(i));
        f.Updateall1->Click();
    }
    Lines ten;
    for (int i = 0; i < 10; ++i)
        ten.push_back(i ? "save " + std::to_string(i) : "old card save");
    EXPECT_EQ(kept(archiveBackups)["mario.eep"], ten);
    EXPECT_EQ(content("d:\\ram\\mario.eep"), "save 10");
}

TEST_F(Saves, DeleteAndClearKeepTheSavesTheyRemove)
{
    p.rom("z:\\", "luigi.v64", { .title = "LUIGI" });
    file("z:\\luigi.eep", "luigi save");
    p.rom("z:\\", "mario.v64", { .title = "MARIO" });
    for (const char* ext : { ".eep", ".ram", ".zcc", ".ips" })
        file(std::string("z:\\mario") + ext, std::string("zip ") + ext);
    file("d:\\ram\\mario.eep", "the archive's own");
    auto& f = start();
    pickZip(1);
    confirmed(f.b6);
    EXPECT_EQ(typed->starting("Delete c"), (Lines { "Delete complete" }));
    EXPECT_EQ(dir("z:\\"), (Lines { "luigi.eep", "luigi.v64" }));
    EXPECT_EQ(kept(zipBackups), (std::map<std::string, Lines> { { "mario.eep", { "zip .eep" } },
                                    { "mario.ram", { "zip .ram" } } }));
    EXPECT_EQ(content("d:\\ram\\mario.eep"), "the archive's own");

    p.dialogs->answerBoxes({ tk::IDOK });
    f.ClearZipDisk1->Click();
    EXPECT_TRUE(dir("z:\\").empty());
    EXPECT_EQ(kept(zipBackups)["luigi.eep"], (Lines { "luigi save" }));
}

// No backup, no change: the save stays and the operation says it failed.
TEST_F(Saves, ASaveWhoseBackupCannotBeMadeStays)
{
    p.rom("d:\\roms\\", "mario.v64", { .title = "MARIO" });
    p.rom("z:\\", "mario.v64", { .title = "MARIO" });
    file("d:\\ram\\mario.eep", "precious");
    file("z:\\mario.eep", "newer");
    file("z:\\mario.zcc", "cheats");
    auto& f = start();
    pickZip(0);
    fail(Fault(Op::Copy, Kind::DiskFull, "backup", -1, 1));
    press(f.b3);
    EXPECT_EQ(typed->starting("Could not"), (Lines { "Could not copy mario.eep" }));
    EXPECT_EQ(typed->starting("Update "), (Lines { "Update " + cell("MARIO"), "Update failed !!!" }));
    EXPECT_EQ(content("d:\\ram\\mario.eep"), "precious");
    EXPECT_EQ(content("d:\\ram\\mario.zcc"), "cheats");
    EXPECT_TRUE(kept(archiveBackups).empty());

    typed->clear();
    confirmed(f.b6);
    EXPECT_EQ(typed->starting("Could not"), (Lines { "Could not delete mario.eep" }));
    EXPECT_EQ(typed->starting("Delete"), (Lines { "Delete failed !!!" }));
    EXPECT_EQ(dir("z:\\"), (Lines { "mario.eep" }));
    EXPECT_TRUE(kept(zipBackups).empty());
}

TEST_F(Saves, ACardWithAMenuKeepsEachGamesSaveInItsSavesFolder)
{
    card();
    p.rom("d:\\roms\\", "mario.v64", { .title = "MARIO" });
    file("d:\\ram\\mario.eep", "eeprom");
    file("d:\\ram\\mario.ram", "not the card's");
    p.rom("d:\\roms\\", "wario.v64", { .title = "WARIO" });
    file("d:\\ram\\wario.ram", "sram");
    p.rom("d:\\roms\\", "zelda.v64", { .title = "ZELDA" });
    auto& f = start();
    for (int row : { 0, 1 }) {
        pickDisk(row);
        press(f.b1);
    }
    EXPECT_EQ(dir("z:\\saves\\"), (Lines { "mario.sav", "wario.sav" }));
    EXPECT_EQ(content("z:\\saves\\mario.sav"), "eeprom");
    EXPECT_EQ(content("z:\\saves\\wario.sav"), "sram");

    // Played on the console: the menu wrote the saves. A game only on the card takes the kind its
    // size tells.
    file("z:\\saves\\mario.sav", "played");
    writtenAgo("z:\\mario.eep", std::chrono::hours(1));
    file("z:\\saves\\wario.sav", "played more");
    writtenAgo("z:\\wario.ram", std::chrono::hours(1));
    p.rom("z:\\", "kart.v64", { .title = "KART" });
    file("z:\\saves\\kart.sav", std::string(2048, 'k'));
    p.rom("z:\\", "zelda.v64", { .title = "ZELDA" });
    file("z:\\saves\\zelda.sav", std::string(32768, 'z'));
    f.ziprefreshClick(nullptr);
    EXPECT_EQ(Program::rows(f.zip)[0][4], "EEP  ");
    EXPECT_EQ(Program::rows(f.zip)[1][4], "EEP  RAM  ");
    EXPECT_EQ(Program::rows(f.zip)[2][4], "RAM  ");
    EXPECT_EQ(Program::rows(f.zip)[3][4], "RAM  ");
    typed->clear();
    f.Updateall1->Click();
    EXPECT_EQ(typed->starting("Update c"), (Lines { "Update complete." }));
    EXPECT_EQ(content("d:\\ram\\mario.eep"), "played");
    EXPECT_EQ(content("d:\\ram\\mario.ram"), "not the card's");
    EXPECT_EQ(content("d:\\ram\\wario.ram"), "played more");
    EXPECT_EQ(content("d:\\ram\\kart.eep"), std::string(2048, 'k'));
    EXPECT_EQ(content("d:\\ram\\zelda.ram"), std::string(32768, 'z'));
    EXPECT_EQ(kept(archiveBackups), (std::map<std::string, Lines> { { "mario.eep", { "eeprom" } },
                                        { "wario.ram", { "sram" } } }));

    // A game with only its card save can be updated on its own; deleting it keeps that save.
    pickZip(3);
    ASSERT_EQ(f.SelectedGame, "zelda");
    EXPECT_TRUE(f.b3->Visible());
    confirmed(f.b6);
    EXPECT_EQ(typed->starting("Delete c"), (Lines { "Delete complete" }));
    EXPECT_FALSE(exists("z:\\saves\\zelda.sav"));
    EXPECT_EQ(kept(zipBackups)["zelda.sav"], (Lines { std::string(32768, 'z') }));
}

TEST_F(Saves, ACardWithoutAMenuIsAZipDiskAsEver)
{
    p.rom("d:\\roms\\", "mario.v64", { .title = "MARIO" });
    file("d:\\ram\\mario.eep", "eeprom");
    file("z:\\saves\\mario.sav", "another program's");
    auto& f = start();
    pickDisk(0);
    press(f.b1);
    EXPECT_EQ(content("z:\\saves\\mario.sav"), "another program's");
    EXPECT_EQ(f.zip->Cell(4, 0), "EEP  ");
    file("z:\\saves\\mario.sav", "another program's, later");
    f.Updateall1->Click();
    EXPECT_EQ(content("d:\\ram\\mario.eep"), "eeprom");
    pickZip(0);
    confirmed(f.b6);
    EXPECT_EQ(dir("z:\\"), (Lines { "saves" }));
    EXPECT_EQ(dir("z:\\saves\\"), (Lines { "mario.sav" }));
    EXPECT_EQ(kept(zipBackups), (std::map<std::string, Lines> { { "mario.eep", { "eeprom" } } }));
}

}
