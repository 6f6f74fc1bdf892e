// SPDX-License-Identifier: MIT
#include "tests/settings/settings_fixture.h"

#include "app/titlepic.h"
#include "toolkit/screen.h"

#include <filesystem>
#include <functional>
#include <map>
#include <memory>

namespace {

class Startup : public SettingsTest {
protected:
    // Starts the program with its splash, and notes when each start-up tick ended.
    TForm1& launch()
    {
        auto& f = p.start();
        splash = std::make_unique<TForm2>();
        splash->Show();
        f.Splash = splash.get();
        auto tick = f.Timer1->OnTimer();
        f.Timer1->SetOnTimer([this, &f, tick](TObject* sender) {
            tick(sender);
            tickEnded[f.StartupTicks] = p.now();
        });
        return f;
    }
    bool centred(const TForm1& f) const
    {
        return f.Left() == (tk::Screen().Width() - f.Width()) / 2 && f.Top() == (tk::Screen().Height() - f.Height()) / 2;
    }
    // Advances until the condition holds, at most `limit` ms; how long it took, or -1.
    std::int64_t within(std::int64_t limit, const std::function<bool()>& condition)
    {
        std::int64_t begin = p.now();
        while (!condition() && p.now() - begin <= limit)
            p.advance(10);
        return condition() ? p.now() - begin : -1;
    }

    void TearDown() override
    {
        if (p.form)
            p.form->Splash = nullptr;
        splash.reset();
    }

    std::unique_ptr<TForm2> splash;
    std::map<int, std::int64_t> tickEnded;
};

TEST_F(Startup, CreationLoadsTheArchiveAndParksTheWindowOffTheScreen)
{
    p.settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", "-", "1" });
    p.rom("d:\\roms\\", "mario.v64");
    auto& f = launch();
    EXPECT_EQ(f.Caption(), "Tavisco V2.41");
    EXPECT_EQ(f.Left(), -1000);
    EXPECT_EQ(f.Top(), -1000);
    EXPECT_EQ(f.StartupTicks, 0);
    // The ROM directory change during creation has scanned the archive already.
    EXPECT_EQ(f.disk->Cell(5, 0), "mario.v64");
    EXPECT_EQ(f.zipram->Left(), 0);
    EXPECT_EQ(f.zipram->Top(), 0);
    EXPECT_EQ(f.Panel2->Left(), 312);
    EXPECT_EQ(f.Panel2->Top(), 112);
    EXPECT_EQ(splash->ver->Caption(), "");
    EXPECT_TRUE(f.Timer1->Enabled());
    EXPECT_FALSE(f.Timer2->Enabled());
}

TEST_F(Startup, TicksScanThenShowTheWindowThenStartThePoll)
{
    p.settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", "-", "1" });
    for (int i = 0; i < 5; ++i)
        p.rom("d:\\roms\\", "game" + std::to_string(i) + ".v64");
    p.rom("z:\\", "kart.v64");
    auto& f = launch();
    // Creation scanned the archive, which took longer than the timer's first interval: the first
    // tick comes as soon as the loop runs.
    ASSERT_GT(p.now(), 100);
    p.advance(0);
    ASSERT_EQ(f.StartupTicks, 1);
    EXPECT_EQ(splash->ver->Caption(), "Version 2.41");
    EXPECT_EQ(f.zip->Cell(5, 0), "kart.v64");
    std::int64_t scansEnded = tickEnded.at(1);

    while (f.StartupTicks < 4)
        p.advance(10);
    EXPECT_EQ(f.Left(), -1000);
    while (f.StartupTicks < 15)
        p.advance(10);
    // The timer waits while the scans run; afterwards the console's typing may delay a tick, never
    // bring one forward.
    EXPECT_EQ(tickEnded.at(2), scansEnded + 100);
    EXPECT_GE(tickEnded.at(5), scansEnded + 400);
    EXPECT_GE(tickEnded.at(15), scansEnded + 1400);
    EXPECT_TRUE(centred(f));
    EXPECT_FALSE(f.Timer1->Enabled());
    EXPECT_TRUE(f.Timer2->Enabled());
    EXPECT_FALSE(splash->Visible());

    // Only the first presence poll, a second later, marks the disk present, after scanning it again.
    p.rom("z:\\", "added.v64");
    p.advance(tickEnded.at(15) + 999 - p.now());
    EXPECT_FALSE(f.ZipPresent);
    EXPECT_EQ(f.zip->RowCount(), 1);
    p.advance(1);
    EXPECT_TRUE(f.ZipPresent);
    EXPECT_EQ(f.zip->RowCount(), 2);
    p.advance(5000);
    EXPECT_EQ(f.StartupTicks, 15);
}

TEST_F(Startup, WindowCentresAtTickFiveNotBefore)
{
    p.settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", "-", "1" });
    auto& f = launch();
    std::vector<bool> shown;
    auto tick = f.Timer1->OnTimer();
    f.Timer1->SetOnTimer([&, tick](TObject* sender) {
        tick(sender);
        shown.push_back(centred(f));
    });
    p.advance(3000);
    EXPECT_EQ(shown, (std::vector<bool> { false, false, false, false, true, true, true, true, true, true, true, true, true, true, true }));
}

// From the root of c: the fallback to c:\ moves nothing, so the ROM directory that is gone is
// still RomPath at tick 1.
TEST(StartupAtRoot, ArchiveThatCannotBeListedIsReportedAndStartUpGoesOn)
{
    Program p;
    p.drives.write("d:\\ram\\.keep", "");
    p.settings({ "z:\\", "c:\\gone\\", "d:\\ram\\", "-", "1" });
    p.rom("z:\\", "kart.v64");
    auto& f = p.startAndSettle();
    ASSERT_EQ(f.RomPath, "c:\\gone\\");
    ASSERT_EQ(p.dialogs->boxes.size(), 1u);
    EXPECT_NE(lowerAZ(p.dialogs->boxes[0].text).find("c:\\gone"), std::string::npos);
    EXPECT_EQ(f.StartupTicks, 15);
    EXPECT_EQ(f.Left(), (tk::Screen().Width() - f.Width()) / 2);
    EXPECT_TRUE(f.Timer2->Enabled());
    EXPECT_TRUE(f.ZipPresent);
    EXPECT_EQ(f.zip->Cell(5, 0), "kart.v64");
}

class ZipPoll : public Startup {
protected:
    TForm1& settled()
    {
        p.settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", "-", "1" });
        p.rom("d:\\roms\\", "mario.v64");
        p.rom("z:\\", "kart.v64", { .size = 64 * 131072 });
        auto& f = p.startAndSettle();
        EXPECT_TRUE(f.ZipPresent);
        return f;
    }
};

TEST_F(ZipPoll, RemovedDiskEmptiesTheTableAndSelectsTheArchiveOnce)
{
    auto& f = settled();
    ASSERT_TRUE(f.zips->Visible());
    p.drives.removeDrive('z');
    EXPECT_LE(within(1000, [&] { return f.nozip->Visible(); }), 1000);
    EXPECT_EQ(Program::rows(f.zip), (std::vector<std::vector<std::string>> { std::vector<std::string>(7) }));
    EXPECT_EQ(f.fully->Caption(), "000 MBit");
    EXPECT_EQ(f.full->Progress(), 0);
    EXPECT_FALSE(f.ZipPresent);
    // diskClick ran: the archive is active and its details are queued.
    EXPECT_TRUE(f.disks->Visible());
    EXPECT_FALSE(f.zips->Visible());
    EXPECT_EQ(f.SelectedGame, "mario");
    EXPECT_EQ(f.sysmem->Lines().Count(), 19);
    p.drain();

    // Further polls while the disk stays out repeat the emptying, but not the selection.
    p.advance(3000);
    EXPECT_EQ(f.sysmem->Lines().Count(), 0);
    EXPECT_TRUE(f.nozip->Visible());
    EXPECT_TRUE(p.dialogs->boxes.empty());
}

TEST_F(ZipPoll, InsertedDiskIsScannedWithinASecond)
{
    auto& f = settled();
    p.drives.removeDrive('z');
    p.advance(1000);
    ASSERT_TRUE(f.nozip->Visible());
    p.drain();

    p.drives.map('z');
    p.rom("z:\\", "zelda.v64", { .size = 256 * 131072 });
    EXPECT_LE(within(1000, [&] { return !f.nozip->Visible(); }), 1000);
    EXPECT_EQ(f.zip->Cell(5, 0), "zelda.v64");
    EXPECT_EQ(f.fully->Caption(), "256 MBit");
    EXPECT_TRUE(f.ZipPresent);
    EXPECT_TRUE(f.zips->Visible());
}

// The Zip disk is a USB stick: volumes are mounted under <tmp>/media, get their letters as they
// come and keep them in the start directory's drives.ini.
class StickPoll : public Startup {
protected:
    TForm1& settledOn(const std::string& zipRoot)
    {
        std::filesystem::create_directories(media);
        p.drives.files().watchVolumes({ media }, p.drives.host(p.startDir() + "drives.ini"));
        p.settings({ zipRoot, "d:\\roms\\", "d:\\ram\\", "-", "1" });
        p.rom("d:\\roms\\", "mario.v64");
        return p.startAndSettle();
    }
    std::string mount(const std::string& name, const std::string& game)
    {
        std::string dir = media + "/" + name;
        std::filesystem::create_directories(dir);
        RomImage { .size = 64 * 131072 }.writeTo(dir + "/" + game);
        return dir;
    }
    bool shows(TForm1& f, const std::string& game) { return !f.nozip->Visible() && f.zip->Cell(5, 0) == game; }

    std::string media = p.drives.root() + "/media/alice";
};

TEST_F(StickPoll, StickMountedAfterStartUpIsFoundWithinASecond)
{
    // c:, d: and z: are taken; e: is no drive at all until the stick comes.
    auto& f = settledOn("e:\\");
    ASSERT_TRUE(f.nozip->Visible());
    p.advance(3000);
    std::string stick = mount("STICK", "kart.v64");
    EXPECT_LE(within(1000, [&] { return shows(f, "kart.v64"); }), 1000);
    EXPECT_TRUE(f.ZipPresent);
    EXPECT_EQ(f.fully->Caption(), "064 MBit");
    EXPECT_NE(p.drives.read(p.startDir() + "drives.ini").find("\ne=" + stick + "\n"), std::string::npos);
}

TEST_F(StickPoll, PinnedStickThatIsAwayStaysNoDiskWhileAnotherIsMounted)
{
    // e: pinned to the stick's folder, as an earlier run left it in drives.ini.
    p.drives.files().setDrive('e', media + "/STICK");
    auto& f = settledOn("e:\\");
    ASSERT_TRUE(f.nozip->Visible());
    std::string other = mount("OTHER", "other.v64");
    p.advance(3000);
    EXPECT_TRUE(f.nozip->Visible()) << "the other volume must not stand in for the Zip disk";
    EXPECT_EQ(f.zip->Cell(5, 0), "");
    EXPECT_EQ(p.drives.files().hostPath("f:\\"), other);

    mount("STICK", "kart.v64");
    EXPECT_LE(within(1000, [&] { return shows(f, "kart.v64"); }), 1000);
}

TEST_F(ZipPoll, DiskThatStaysInIsNotScannedAgain)
{
    auto& f = settled();
    p.rom("z:\\", "later.v64");
    p.advance(5000);
    EXPECT_EQ(f.zip->RowCount(), 1);
    EXPECT_EQ(f.fully->Caption(), "064 MBit");
}


// A first start in a new folder under the home folder (d:): the default lines name the root of c:,
// and the directory changes still run, so the region folder "0" is dropped and nothing fails.
TEST_F(Startup, FirstStartInAFolderOnAnotherDriveThanTheDefaults)
{
    p.startIn("d:\\newfolder");
    auto& f = p.startAndSettle();
    EXPECT_TRUE(p.dialogs->boxes.empty()) << p.dialogs->boxes.at(0).text;
    EXPECT_EQ(f.RegionFolder, "");
    EXPECT_EQ(folded(f.RomPath), "c:\\");
    EXPECT_EQ(folded(f.ini->Lines()[1]), "c:\\");
    EXPECT_EQ(f.ini->Lines()[3], "");
    f.Close();
    EXPECT_EQ(lowerAZ(p.drives.read("d:\\newfolder\\tavisco.ini")), crlf({ "z:\\", "c:\\", "c:\\", "", "0" }));
}

// A saved root of another drive: the archive is listed during creation, as for any directory.
TEST_F(Startup, SavedRootOfAnotherDriveIsScannedDuringCreation)
{
    p.drives.map('e');
    p.rom("e:\\", "mario.v64", { .title = "MARIO" });
    p.settings({ "z:\\", "e:\\", "e:\\", "-", "1" });
    auto& f = p.start();
    EXPECT_EQ(f.disk->Cell(5, 0), "mario.v64");
    EXPECT_EQ(f.ini->Lines()[3], "");
}

}
