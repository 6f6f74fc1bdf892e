// SPDX-License-Identifier: MIT
#include "tests/catalogue/archive_fixture.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <filesystem>

namespace {

using Rows = std::vector<std::vector<std::string>>;

class Selection : public ArchiveTest {
protected:
    // Selects a row of the archive table with a click and lets the console finish.
    void pickArchive(int row)
    {
        p.clickRow(p.form->disk, row);
        p.drain();
    }
    void pickZip(int row)
    {
        p.clickRow(p.form->zip, row);
        p.drain();
    }
    // The Zip disk holds exactly these images (sizes in Mbit), scanned again.
    void zipHolds(const std::vector<std::uint64_t>& sizes)
    {
        p.drives.removeDrive('z');
        p.drives.map('z');
        for (std::size_t i = 0; i < sizes.size(); ++i)
            p.rom("z:\\", "zip" + std::to_string(i) + ".v64", { .size = mbit(sizes[i]) });
        p.form->ziprefreshClick(nullptr);
    }
    void writeBitmap(const std::string& winPath, QColor color)
    {
        QImage image(160, 120, QImage::Format_RGB32);
        image.fill(color);
        std::string host = p.drives.host(winPath);
        std::filesystem::create_directories(std::filesystem::path(host).parent_path());
        ASSERT_TRUE(image.save(QString::fromStdString(host), "BMP"));
    }
    // The stock picture an image shows, by name, or the colour of a loaded one.
    std::string shows(const tk::TImage* image) const
    {
        const QImage& shown = image->Picture().Bitmap().Image();
        const std::pair<const char*, const tk::TImage*> stock[] = {
            { "testpic", p.form->testpic }, { "rausch", p.form->rausch }, { "rausch2", p.form->rausch2 },
            { "pic_nopic", p.form->pic_nopic }, { "pic_noart", p.form->pic_noart },
        };
        for (const auto& [name, picture] : stock)
            if (shown == picture->Picture().Bitmap().Image())
                return name;
        if (shown.isNull())
            return "nothing";
        return shown.pixelColor(80, 60).name().toStdString();
    }
};

TEST_F(Selection, ArchiveDetailsFillTheConsoleOnceTheQueueHasDrained)
{
    p.rom("d:\\roms\\", "mario.v64", { .title = "SUPER MARIO 64", .size = mbit(64) });
    auto& f = p.startAndSettle();
    pickArchive(0);
    EXPECT_EQ(p.console(), (std::vector<std::string> { "Title: SUPER MARIO 64      ", "Country: USA    ", "Size:  64",
                               "Category: none", "Files: none", "ROMFile: mario.v64", "Location: " + f.RomPath, " ", " " }));
    EXPECT_EQ(f.SelectedGame, "mario");
    EXPECT_EQ(f.SelectedTitle, "SUPER MARIO 64");
    EXPECT_TRUE(f.disks->Visible());
    EXPECT_FALSE(f.zips->Visible());
    EXPECT_TRUE(f.disk->Options() & tk::goHorzLine);
    EXPECT_FALSE(f.zip->Options() & tk::goHorzLine);
}

TEST_F(Selection, ZipDetailsNameTheZipRootAndTheFiles)
{
    p.rom("z:\\", "Zelda.1.0.v64", { .title = "ZELDA", .country = 'J', .size = mbit(256) });
    p.drives.write("z:\\Zelda.eep", "x");
    p.drives.write("d:\\ram\\Zelda.cat", "Adventure\r\n");
    auto& f = p.startAndSettle();
    pickZip(0);
    EXPECT_EQ(p.console(), (std::vector<std::string> { "Title: ZELDA               ", "Country: Japan  ", "Size: 256",
                               "Category: Adventure", "Files: EEP  ", "ROMFile: Zelda.1.0.v64", "Location: z:\\", " ", " " }));
    EXPECT_EQ(f.SelectedGame, "Zelda");
    EXPECT_TRUE(f.zips->Visible());
    EXPECT_FALSE(f.disks->Visible());
    EXPECT_TRUE(f.zip->Options() & tk::goHorzLine);
    EXPECT_FALSE(f.disk->Options() & tk::goHorzLine);
}

TEST_F(Selection, CopyButtonNeedsMoreRoomOnTheZipDiskThanTheGameTakes)
{
    p.rom("d:\\roms\\", "big.v64", { .size = mbit(256) });
    auto& f = p.startAndSettle();
    auto offered = [&](const std::vector<std::uint64_t>& zip) {
        zipHolds(zip);
        pickArchive(0);
        EXPECT_EQ(f.m1->Visible(), f.b1->Visible());
        return f.b1->Visible();
    };
    EXPECT_FALSE(offered({ 256, 244 })) << "room 236";
    EXPECT_TRUE(offered({ 256, 144 })) << "room 336";
    EXPECT_FALSE(offered({ 256, 224 })) << "room 256, the same as the size";
    EXPECT_TRUE(offered({ 256, 223 })) << "room 257";
    EXPECT_TRUE(offered({})) << "empty disk";
    EXPECT_TRUE(f.b4->Visible());
    EXPECT_TRUE(f.b5->Visible());
    EXPECT_TRUE(f.m4->Visible() && f.m5->Visible());
}

TEST_F(Selection, CopyButtonIsHiddenForAGameOnTheZipDiskAndWithoutADisk)
{
    p.rom("d:\\roms\\", "a.v64", { .size = mbit(8) });
    p.rom("d:\\roms\\", "b.v64", { .size = mbit(8) });
    p.rom("z:\\", "a.v64", { .size = mbit(8) });
    auto& f = p.startAndSettle();
    pickArchive(0);
    EXPECT_FALSE(f.b1->Visible());
    pickArchive(1);
    EXPECT_TRUE(f.b1->Visible());

    p.drives.removeDrive('z');
    f.ziprefreshClick(nullptr);
    ASSERT_TRUE(f.nozip->Visible());
    pickArchive(0);
    pickArchive(1);
    EXPECT_FALSE(f.b1->Visible());
    EXPECT_FALSE(f.m1->Visible());
}

TEST_F(Selection, ErrorRowIsListedWithEmptyCellsAndOffersNothing)
{
    p.rom("d:\\roms\\", "bad.v64", { .size = 12 });
    auto& f = p.startAndSettle();
    pickArchive(0);
    EXPECT_EQ(f.SelectedGame, "");
    EXPECT_EQ(f.SelectedTitle, "Error !!!");
    EXPECT_FALSE(f.b1->Visible());
    EXPECT_FALSE(f.b4->Visible());
    EXPECT_FALSE(f.b5->Visible());
    EXPECT_EQ(p.console(), (std::vector<std::string> { "Title: Error !!!", "Country: ", "Size: ", "Category: ", "Files: ",
                               "ROMFile: ", "Location: " + f.RomPath, " ", " " }));
}

TEST_F(Selection, ZipButtonsOfferCopyBackOrUpdateButNeverBoth)
{
    p.rom("z:\\", "a_new.v64");
    p.drives.write("z:\\a_new.eep", "x");
    p.rom("z:\\", "b_saved.v64");
    p.rom("d:\\roms\\", "b_saved.v64");
    p.drives.write("z:\\b_saved.ram", "x");
    p.rom("z:\\", "c_plain.v64");
    p.rom("d:\\roms\\", "c_plain.v64");
    p.drives.write("d:\\ram\\c_plain.eep", "x");
    p.rom("z:\\", "d_cheat.v64");
    p.rom("d:\\roms\\", "d_cheat.v64");
    p.drives.write("z:\\d_cheat.zcc", "x");
    p.rom("z:\\", "e_patch.v64");
    p.rom("d:\\roms\\", "e_patch.v64");
    p.drives.write("z:\\e_patch.ips", "x");
    auto& f = p.startAndSettle();
    struct Offer {
        bool b2, b3;
    };
    const Offer expected[] = { { true, false }, { false, true }, { false, false }, { false, true }, { false, false } };
    for (int row = 0; row < 5; ++row) {
        pickArchive(0);
        pickZip(row);
        SCOPED_TRACE(f.zip->Cell(5, row));
        EXPECT_EQ(f.b2->Visible(), expected[row].b2);
        EXPECT_EQ(f.b3->Visible(), expected[row].b3);
        EXPECT_TRUE(f.b5->Visible());
        EXPECT_TRUE(f.b6->Visible());
        EXPECT_FALSE(f.b1->Visible());
        EXPECT_FALSE(f.b4->Visible());
        EXPECT_EQ(f.m2->Visible(), f.b2->Visible());
        EXPECT_EQ(f.m3->Visible(), f.b3->Visible());
        EXPECT_EQ(f.m5->Visible(), f.b5->Visible());
        EXPECT_EQ(f.m6->Visible(), f.b6->Visible());
    }
}

TEST_F(Selection, ArchiveSelectionHidesTheZipButtons)
{
    p.rom("z:\\", "only.v64");
    p.rom("d:\\roms\\", "mario.v64");
    auto& f = p.startAndSettle();
    pickZip(0);
    ASSERT_TRUE(f.b2->Visible() && f.b6->Visible());
    pickArchive(0);
    EXPECT_FALSE(f.b2->Visible());
    EXPECT_FALSE(f.b3->Visible());
    EXPECT_FALSE(f.b6->Visible());
}

TEST_F(Selection, EmptyZipTableKeepsTheSelectedGame)
{
    p.rom("d:\\roms\\", "mario.v64");
    auto& f = p.startAndSettle();
    pickArchive(0);
    ASSERT_EQ(f.SelectedGame, "mario");
    ASSERT_TRUE(f.b1->Visible() && f.b5->Visible());
    f.ziprefreshClick(nullptr);
    p.drain();
    EXPECT_EQ(f.SelectedGame, "mario");
    EXPECT_TRUE(f.b5->Visible());
    EXPECT_FALSE(f.b1->Visible());
    EXPECT_TRUE(f.zips->Visible());
    EXPECT_EQ(p.consoleText(), (std::vector<std::string> { "No Romfiles found !" }));
    EXPECT_EQ(shows(f.box), "testpic");
}

TEST_F(Selection, EmptyArchiveReportsNoRomfilesAndClearsTheGame)
{
    p.rom("z:\\", "zelda.v64");
    auto& f = p.startAndSettle();
    pickZip(0);
    ASSERT_EQ(f.SelectedGame, "zelda");
    pickArchive(0);
    EXPECT_EQ(f.SelectedGame, "");
    EXPECT_EQ(p.consoleText(), (std::vector<std::string> { "No Romfiles found !" }));
    EXPECT_FALSE(f.b1->Visible() || f.b4->Visible() || f.b5->Visible());
    EXPECT_EQ(shows(f.box), "testpic");
}

TEST_F(Selection, MarkerFollowsTheRowAlongItsTrack)
{
    for (int i = 0; i < 11; ++i)
        p.rom("d:\\roms\\", "game" + std::to_string(10 + i) + ".v64");
    auto& f = p.startAndSettle();
    pickArchive(0);
    std::vector<int> tops { f.nlogo->Top() };
    for (int i = 0; i < 10; ++i) {
        p.key(tk::VK_DOWN);
        tops.push_back(f.nlogo->Top());
    }
    EXPECT_EQ(tops, (std::vector<int> { 0, 23, 47, 71, 94, 118, 142, 165, 189, 213, 237 }));
    EXPECT_EQ(f.SelectedGame, "game20");
    p.key(tk::VK_HOME);
    EXPECT_EQ(f.nlogo->Top(), 0);
}

TEST_F(Selection, MarkerStaysAtTheTopOfAOneRowTable)
{
    p.rom("d:\\roms\\", "only.v64");
    auto& f = p.startAndSettle();
    pickArchive(0);
    EXPECT_EQ(f.nlogo->Top(), 0);
}

TEST_F(Selection, PressesSelectTheRowUnderThePointerOnly)
{
    for (const char* name : { "a.v64", "b.v64", "c.v64" })
        p.rom("d:\\roms\\", name);
    auto& f = p.startAndSettle();
    pickArchive(0);

    p.clickAt(f.disk, 10, f.disk->Height() - 5);
    p.clickAt(f.disk, 10, f.disk->Height() - 5, tk::mbRight);
    EXPECT_EQ(f.sysmem->Lines().Count(), 0);
    EXPECT_EQ(f.disk->Row(), 0);

    p.clickRow(f.disk, 2, tk::mbRight);
    EXPECT_EQ(f.disk->Row(), 2);
    EXPECT_EQ(f.SelectedGame, "c");
    EXPECT_EQ(p.dialogs->lastPopup, f.PopupMenu4);
    p.drain();

    p.clickRow(f.disk, 2, tk::mbRight);
    EXPECT_EQ(f.sysmem->Lines().Count(), 0);
    p.clickRow(f.disk, 2);
    EXPECT_GT(f.sysmem->Lines().Count(), 0);
}

TEST_F(Selection, DoubleClickInModeTwoOpensTheCategoryPanelEvenForAnErrorRow)
{
    p.settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", "-", "2" });
    p.rom("d:\\roms\\", "a_bad.v64", { .size = 3 });
    p.rom("d:\\roms\\", "b_good.v64", { .title = "GOOD" });
    p.drives.write("d:\\ram\\b_good.cat", "Sports\r\n");
    auto& f = p.startAndSettle();
    p.doubleClickAt(f.disk, 10, 5);
    EXPECT_TRUE(f.Panel2->Visible());
    EXPECT_EQ(f.Label5->Caption(), "Error !!!");
    EXPECT_EQ(f.Edit1->Text(), "");

    p.doubleClickAt(f.disk, 10, 22);
    EXPECT_EQ(f.disk->Row(), 1);
    EXPECT_TRUE(f.Panel2->Visible());
    EXPECT_EQ(f.Label5->Caption(), "GOOD");
    EXPECT_EQ(f.Edit1->Text(), "Sports");

    // zipClick leaves the panel alone; an archive selection closes it.
    f.ziprefreshClick(nullptr);
    EXPECT_TRUE(f.Panel2->Visible());
    pickArchive(0);
    EXPECT_FALSE(f.Panel2->Visible());
}

TEST_F(Selection, DoubleClickDoesNothingWhenItsButtonIsHiddenOrTheModeIsUnknown)
{
    for (const char* mode : { "1", "3", "0", "-3" }) {
        SCOPED_TRACE(mode);
        p.settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", "-", mode });
        p.rom("d:\\roms\\", "bad.v64", { .size = 3 });
        auto& f = p.startAndSettle();
        p.doubleClickAt(f.disk, 10, 5);
        EXPECT_FALSE(f.Panel2->Visible());
        EXPECT_FALSE(p.drives.exists("z:\\bad.v64"));
        EXPECT_TRUE(p.dialogs->boxes.empty());
    }
}

TEST_F(Selection, ModeLabelCyclesAndRemembersTheModeForTheSettings)
{
    p.settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", "-", "3" });
    auto& f = p.startAndSettle();
    EXPECT_EQ(f.ddmode->Caption(), "Doubleclick opens fileinfo");
    std::vector<std::string> captions;
    for (int i = 0; i < 3; ++i) {
        p.click(f.ddmode);
        captions.push_back(f.ddmode->Caption());
    }
    EXPECT_EQ(captions, (std::vector<std::string> { "Doubleclick copy to Zip", "Doubleclick sets category", "Doubleclick opens fileinfo" }));
    EXPECT_EQ(f.DoubleClickMode, 3);
    EXPECT_EQ(f.ini->Lines()[4], "3");
    p.click(f.ddmode);
    EXPECT_EQ(f.ini->Lines()[4], "1");
}

TEST_F(Selection, PicturePathsGoToTheClipboardWithALineBreak)
{
    p.rom("d:\\roms\\", "mario.v64");
    auto& f = p.startAndSettle();
    pickArchive(0);
    p.click(f.pic);
    std::string boxart = f.RamPath + "boxart\\mario.bmp";
    EXPECT_EQ(p.clipboard(), boxart + "\r\n");
    p.drain();
    EXPECT_EQ(p.consoleText(), (std::vector<std::string> { "Picturename:", boxart, "copied to clipboard." }));

    p.click(f.Image5);
    std::string screenshot = f.RamPath + "screens\\mario.bmp";
    EXPECT_EQ(p.clipboard(), screenshot + "\r\n");
    p.drain();
    EXPECT_EQ(p.consoleText(), (std::vector<std::string> { "Picturename:", screenshot, "copied to clipboard." }));
    EXPECT_EQ(lowerAZ(screenshot), "d:\\ram\\screens\\mario.bmp");
}

TEST_F(Selection, PreviewShowsTestCardNoiseAndThenTheScreenshot)
{
    p.rom("d:\\roms\\", "mario.v64");
    auto& f = p.startAndSettle();
    writeBitmap("d:\\ram\\screens\\mario.bmp", QColor(0, 0, 255));
    writeBitmap("d:\\ram\\boxart\\mario.bmp", QColor(255, 0, 0));
    ASSERT_FALSE(f.rausch->Picture().Empty());
    ASSERT_FALSE(f.testpic->Picture().Empty());
    ASSERT_NE(f.rausch->Picture().Bitmap().Image(), f.rausch2->Picture().Bitmap().Image());

    std::vector<std::string> frames;
    auto console = f.Timer3->OnTimer();
    f.Timer3->SetOnTimer([&](TObject* sender) {
        console(sender);
        frames.push_back(shows(f.box));
    });
    p.clickRow(f.disk, 0);
    EXPECT_EQ(shows(f.box), "testpic");
    EXPECT_EQ(shows(f.pic), "#ff0000");
    p.drain();
    ASSERT_GE(frames.size(), 7u);
    frames.resize(7);
    EXPECT_EQ(frames, (std::vector<std::string> { "testpic", "rausch", "rausch2", "rausch", "rausch2", "#0000ff", "#0000ff" }));
}

TEST_F(Selection, MissingOrBrokenPicturesShowThePlaceholders)
{
    p.rom("d:\\roms\\", "a_missing.v64");
    p.rom("d:\\roms\\", "b_broken.v64");
    p.drives.write("d:\\ram\\screens\\b_broken.bmp", "BM this is no bitmap");
    p.drives.write("d:\\ram\\boxart\\b_broken.bmp", "");
    auto& f = p.startAndSettle();
    for (int row = 0; row < 2; ++row) {
        SCOPED_TRACE(row);
        pickArchive(row);
        EXPECT_EQ(shows(f.pic), "pic_noart");
        EXPECT_EQ(shows(f.box), "pic_nopic");
    }
}

TEST_F(Selection, SpotBelowThePreviewTogglesTheTestCard)
{
    auto& f = p.startAndSettle();
    ASSERT_FALSE(f.testpic->Visible());
    p.click(f.Image6);
    EXPECT_TRUE(f.testpic->Visible());
    p.click(f.Image6);
    EXPECT_FALSE(f.testpic->Visible());
}

}
