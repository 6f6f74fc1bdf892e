// SPDX-License-Identifier: MIT
#include "tests/settings/settings_fixture.h"

#include <filesystem>

namespace {

class DrivePanel : public SettingsTest {
protected:
    TForm1& startWith(const std::string& region)
    {
        p.settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", region, "1" });
        auto& f = p.startAndSettle();
        p.click(f.button2);
        EXPECT_TRUE(f.zipram->Visible());
        return f;
    }
    // Opens an entry of a directory list the way a person does: a double click on it.
    void open(tk::TDirectoryListBox* list, const std::string& entry)
    {
        int index = list->Items().IndexOf(entry);
        ASSERT_GE(index, 0) << entry;
        int y = 0;
        while (y < list->Height() && list->ItemAtPos(10, y) != index)
            ++y;
        ASSERT_LT(y, list->Height()) << entry << " is not in view";
        p.doubleClickAt(list, 10, y + 2);
    }
};

TEST_F(DrivePanel, SelectLabelOnlyShowsAndHidesThePanel)
{
    p.rom("d:\\roms\\", "mario.v64");
    auto& f = startWith("-");
    p.rom("d:\\roms\\", "luigi.v64");
    // The open panel covers the label, so only its handler can be reached.
    f.Button2Click(f.button2);
    EXPECT_FALSE(f.zipram->Visible());
    EXPECT_EQ(f.disk->RowCount(), 1);
    EXPECT_EQ(f.sysmem->Lines().Count(), 0);
}

TEST_F(DrivePanel, DriveRootGivesOneBackslashAndAFolderGetsOneAdded)
{
    p.rom("d:\\Games\\", "root.v64");
    auto& f = startWith("-");
    open(f.romdir, f.romdir->Items()[0]);
    EXPECT_EQ(folded(f.RomDir), "d:\\");
    EXPECT_EQ(f.RomPath, f.RomDir);
    EXPECT_EQ(f.ini->Lines()[1], f.RomDir);

    open(f.romdir, "Games");
    EXPECT_EQ(folded(f.RomDir), "d:\\Games\\");
    EXPECT_EQ(f.ini->Lines()[1], f.RomDir);
    EXPECT_EQ(f.disk->Cell(5, 0), "root.v64");
}

TEST_F(DrivePanel, NewRomDirectoryWithoutTheRegionFolderDropsTheRegion)
{
    p.drives.write("d:\\roms\\usa\\.keep", "");
    p.drives.write("d:\\ram\\usa\\.keep", "");
    p.rom("d:\\roms\\usa\\", "usa.v64");
    p.rom("d:\\other\\", "other.v64");
    auto& f = startWith("usa\\");
    ASSERT_EQ(f.RegionFolder, "usa\\");
    ASSERT_EQ(f.disk->Cell(5, 0), "usa.v64");
    open(f.romdir, f.romdir->Items()[0]);
    open(f.romdir, "other");
    EXPECT_EQ(f.RegionFolder, "");
    EXPECT_EQ(folded(f.RomDir), "d:\\other\\");
    EXPECT_EQ(f.RomPath, f.RomDir);
    EXPECT_EQ(f.RamPath, f.RamDir);
    EXPECT_EQ(f.ini->Lines()[3], "");
    EXPECT_EQ(Program::rows(f.disk).size(), 1u);
    EXPECT_EQ(f.disk->Cell(5, 0), "other.v64");
}

TEST_F(DrivePanel, NewRamDirectoryUsesItsRegionFolderOnlyWhenItHasOne)
{
    p.drives.write("d:\\roms\\usa\\.keep", "");
    p.drives.write("d:\\ram\\usa\\.keep", "");
    p.drives.write("d:\\plain\\.keep", "");
    p.drives.write("d:\\split\\usa\\.keep", "");
    auto& f = startWith("usa\\");
    std::string romPath = f.RomPath;
    ASSERT_EQ(folded(romPath), "d:\\roms\\usa\\");

    f.ramdir->SetDirectory("d:\\plain");
    EXPECT_EQ(folded(f.RamDir), "d:\\plain\\");
    EXPECT_EQ(f.RamPath, f.RamDir);
    EXPECT_EQ(f.RegionFolder, "usa\\");
    EXPECT_EQ(f.RomPath, romPath);
    EXPECT_EQ(f.ini->Lines()[2], f.RamDir);

    f.ramdir->SetDirectory("d:\\split");
    EXPECT_EQ(f.RamPath, f.RamDir + "usa\\");
}

TEST_F(DrivePanel, ZipDriveChangeIsRememberedButScansNothing)
{
    p.drives.map('y');
    p.rom("y:\\", "other.v64");
    auto& f = startWith("-");
    f.zipdrive->SetDrive('y');
    EXPECT_EQ(f.ZipRoot, "y:\\");
    EXPECT_EQ(f.ini->Lines()[0], "y:\\");
    EXPECT_TRUE(Program::rows(f.zip)[0][5].empty());
}

TEST_F(DrivePanel, StickMountedWhileRunningIsOfferedWhenTheZipDriveListOpens)
{
    std::string media = p.drives.root() + "/media";
    std::filesystem::create_directories(media);
    p.drives.files().watchVolumes({ media }, "");
    auto& f = startWith("-");
    std::filesystem::create_directories(media + "/SD CARD");
    RomImage {}.writeTo(media + "/SD CARD/kart.v64");
    p.click(f.zipdrive);
    ASSERT_EQ(p.dialogs->lastPopup, f.zipdrive->DropDownMenu());
    std::vector<std::string> captions;
    for (auto* item : f.zipdrive->DropDownMenu()->Items())
        captions.push_back(item->Caption());
    EXPECT_EQ(captions, (std::vector<std::string> { "c: [c]", "d: [d]", "e: [SD CARD]", "z: [z]" }));
    f.zipdrive->DropDownMenu()->Items()[2]->Click();
    EXPECT_EQ(f.ZipRoot, "e:\\");
    p.click(f.Button1);
    EXPECT_EQ(f.zip->Cell(5, 0), "kart.v64");
}

TEST_F(DrivePanel, CloseRescansBothTablesEvenWithoutChanges)
{
    p.rom("d:\\roms\\", "mario.v64");
    auto& f = startWith("-");
    p.rom("d:\\roms\\", "luigi.v64");
    p.rom("z:\\", "kart.v64", { .size = 64 * 131072 });
    p.click(f.Button1);
    EXPECT_FALSE(f.zipram->Visible());
    EXPECT_EQ(f.disk->RowCount(), 2);
    EXPECT_EQ(f.zip->Cell(5, 0), "kart.v64");
    EXPECT_EQ(f.fully->Caption(), "064 MBit");
    // The archive scan came last, so its table is the active one.
    EXPECT_TRUE(f.disks->Visible());
    EXPECT_EQ(f.SelectedGame, "luigi");
}

}
