// SPDX-License-Identifier: MIT
#include "tests/settings/settings_fixture.h"

#include "app/titlepic.h"
#include "tests/support/as_nobody.h"
#include "toolkit/screen.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

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

// Started as a user (nobody) where something fails while the window is made: each failure is told
// once, in one box above the splash, and the start-up runs as ever.
class HostileStart : public Startup {
protected:
    void SetUp() override
    {
        Startup::SetUp();
        if (::geteuid() != 0)
            GTEST_SKIP() << "skipped: acting as another user needs root";
        AsNobody::letIn(p.drives.root());
    }
    // Starts as nobody and runs the start-up to its end, a user reading the box for five seconds.
    TForm1& startAsNobody()
    {
        nobody.emplace();
        auto& f = launch();
        auto tick = f.Timer1->OnTimer();
        f.Timer1->SetOnTimer([this, &f, tick](TObject* sender) {
            tick(sender);
            centredAt.push_back(centred(f));
            splashAt.push_back(splash->Visible());
        });
        // The box comes at tick 1, over the splash, the window not yet in view.
        p.dialogs->whileOpen = [this, &f] {
            boxOverSplash = splash->Visible() && f.StartupTicks == 1 && f.Left() == -1000;
            p.advance(5000);
            ticksWhileOpen = f.StartupTicks;
        };
        within(10000, [&f] { return f.StartupTicks == 15; });
        return f;
    }
    void expectStartUpRan(const TForm1& f)
    {
        EXPECT_EQ(centredAt, (std::vector<bool> { false, false, false, false, true, true, true, true, true, true, true, true, true, true, true }));
        EXPECT_EQ(splashAt, (std::vector<bool> { true, true, true, true, true, true, true, true, true, true, true, true, true, true, false }));
        EXPECT_EQ(f.Width(), 731);
        EXPECT_EQ(f.Height(), 548);
        EXPECT_TRUE(f.Timer2->Enabled());
    }
    void expectToldOnce(const std::string& failure)
    {
        ASSERT_EQ(p.dialogs->boxes.size(), 1u);
        EXPECT_NE(p.dialogs->boxes[0].text.find(failure), std::string::npos) << p.dialogs->boxes[0].text;
        EXPECT_TRUE(boxOverSplash);
        EXPECT_EQ(ticksWhileOpen, 1) << "the start-up waits while the box is open";
    }

    std::optional<AsNobody> nobody;
    std::vector<bool> centredAt, splashAt;
    bool boxOverSplash { false };
    int ticksWhileOpen { 0 };
};

TEST_F(HostileStart, ArchiveTheUserCannotRead)
{
    p.settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", "-", "1" });
    p.rom("d:\\roms\\", "mario.v64");
    ::chmod(p.drives.host("d:\\roms").c_str(), 0700);
    auto& f = startAsNobody();
    expectToldOnce("Cannot read directory");
    EXPECT_NE(lowerAZ(p.dialogs->boxes[0].text).find("d:\\roms"), std::string::npos);
    expectStartUpRan(f);
    EXPECT_EQ(folded(f.RomPath), "d:\\roms\\");
}

TEST_F(HostileStart, StartFolderTheUserCannotWrite)
{
    auto& f = startAsNobody();
    expectToldOnce("Cannot write the settings file \"c:\\tavisco\\tavisco.ini\".");
    expectStartUpRan(f);
    EXPECT_FALSE(p.drives.exists(iniFile()));
    EXPECT_EQ(f.ZipRoot, "z:\\");
    EXPECT_EQ(f.DoubleClickMode, 0);
}

// As a run under sudo leaves it: root's, for root alone. The run goes on the default lines.
TEST_F(HostileStart, SettingsFileTheUserCannotRead)
{
    p.settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", "-", "2" });
    ::chmod(p.drives.host(iniFile()).c_str(), 0600);
    auto& f = startAsNobody();
    expectToldOnce("Cannot open file \"c:\\tavisco\\tavisco.ini\"");
    expectStartUpRan(f);
    EXPECT_EQ(f.ini->Lines()[0], "z:\\");
    EXPECT_EQ(folded(f.RomDir), "c:\\");
    EXPECT_EQ(f.DoubleClickMode, 0);
}

// Its settings file can still be opened by name; there is nothing to tell.
TEST_F(HostileStart, StartFolderTheUserCannotList)
{
    p.settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", "-", "1" });
    ::chmod(p.drives.host("c:\\tavisco").c_str(), 0711);
    auto& f = startAsNobody();
    EXPECT_TRUE(p.dialogs->boxes.empty()) << p.dialogs->boxes.at(0).text;
    expectStartUpRan(f);
    EXPECT_EQ(folded(f.RomDir), "d:\\roms\\");
}

// The program's entry maps the drives from drives.ini in the folder it is started in, whatever that
// file holds: it never stops the start, and the settings file is that folder's whatever c: maps to.
class DrivesIniAtStart : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(start);
        std::filesystem::create_directories(home);
        std::filesystem::create_directories(elsewhere);
        std::ofstream(aFile) << "a file";
        worked = std::filesystem::current_path();
        std::filesystem::current_path(start);
        if (const char* h = std::getenv("HOME"))
            savedHome = h;
        ::setenv("HOME", home.c_str(), 1);
    }
    void TearDown() override
    {
        std::filesystem::current_path(worked);
        ::setenv("HOME", savedHome.c_str(), 1);
    }
    TForm1& startWith(const std::string& drivesIni)
    {
        std::ofstream(start + "/drives.ini", std::ios::binary) << drivesIni;
        p.drives.files().mapDefaultDrives(".", {});
        p.startInWorkingDirectory();
        return p.startAndSettle();
    }
    std::string settingsFile() const
    {
        std::ifstream in(start + "/tavisco.ini", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    Program p;
    std::string start = p.drives.root() + "/start", home = p.drives.root() + "/home";
    std::string elsewhere = p.drives.root() + "/elsewhere", aFile = p.drives.root() + "/a-file";
    std::filesystem::path worked;
    std::string savedHome;
};

TEST_F(DrivesIniAtStart, CPinnedAnywhereLeavesTheSettingsInTheStartFolder)
{
    // 10 MB of noise that happens to hold a line pinning c: into it.
    std::mt19937 noise(22);
    std::string garbage(10 << 20, '\0');
    for (auto& c : garbage)
        c = static_cast<char>(noise());
    garbage.replace(5 << 20, 5, "\nC=\xff");
    const std::pair<std::string, std::string> pins[] = { { "missing folder", "c=" + p.drives.root() + "/missing\n" },
        { "file", "c=" + aFile + "\n" }, { "other folder", "c=" + elsewhere + "\n" }, { "garbage", garbage } };
    for (const auto& [what, drivesIni] : pins) {
        SCOPED_TRACE(what);
        std::filesystem::remove(start + "/tavisco.ini");
        auto& f = startWith(drivesIni);
        EXPECT_EQ(f.StartupTicks, 15);
        EXPECT_EQ(f.Left(), (tk::Screen().Width() - f.Width()) / 2);
        EXPECT_LE(p.dialogs->boxes.size(), 1u);
        EXPECT_EQ(settingsFile(), crlf({ "z:\\", "c:\\", "c:\\", "0", "0" }));
        p.click(f.ddmode);
        f.Close();
        EXPECT_EQ(settingsFile().substr(settingsFile().size() - 3), "1\r\n") << "written back where it was read";
        EXPECT_FALSE(std::filesystem::exists(elsewhere + "/tavisco.ini"));
        p.dialogs->boxes.clear();
    }
    EXPECT_FALSE(p.drives.files().driveReady('c')) << "a garbage pin is a drive that is not ready";
    std::ifstream in(aFile);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "a file");
}

// c: pinned to the start folder: a first start in the root of c:, where the ROM list already stands.
TEST_F(DrivesIniAtStart, FirstStartInThePinnedRootDropsTheRegionWithoutABox)
{
    auto& f = startWith("c=.\n");
    EXPECT_TRUE(p.dialogs->boxes.empty()) << p.dialogs->boxes.at(0).text;
    EXPECT_EQ(f.RegionFolder, "");
    f.Close();
    EXPECT_EQ(lowerAZ(settingsFile()), crlf({ "z:\\", "c:\\", "c:\\", "", "0" }));
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

// In the root of c: the ROM list already shows the default directory, so no change runs; the
// region folder "0" that is not there is dropped all the same, without a box, for good.
TEST(StartupAtRoot, FirstStartDropsTheRegionFolderThatIsNotThere)
{
    Program p;
    p.rom("c:\\", "mario.v64");
    auto& f = p.startAndSettle();
    EXPECT_TRUE(p.dialogs->boxes.empty()) << p.dialogs->boxes.at(0).text;
    EXPECT_EQ(f.RegionFolder, "");
    EXPECT_EQ(folded(f.RomPath), "c:\\");
    EXPECT_EQ(f.disk->Cell(5, 0), "mario.v64");
    f.Close();
    EXPECT_EQ(lowerAZ(p.drives.read("c:\\tavisco.ini")), crlf({ "z:\\", "c:\\", "c:\\", "", "0" }));
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


// Creation has just listed the archive: the first tick types its refresh all the same, but opens
// the images again only when their folder changed in between.
TEST_F(Startup, FirstTickListsTheArchiveAgainOnlyWhenItChanged)
{
    p.settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", "-", "1" });
    for (int i = 0; i < 20; ++i)
        p.rom("d:\\roms\\", "game" + std::to_string(i) + ".v64");
    // Last changed long ago, so that a change now shows in the folder's time, however coarse.
    for (const char* dir : { "d:\\roms", "d:\\ram" })
        std::filesystem::last_write_time(p.drives.host(dir), std::filesystem::file_time_type {});
    auto& f = launch();
    p.drives.files().countCalls();
    p.advance(0);
    ASSERT_EQ(f.StartupTicks, 1);
    EXPECT_LT(p.drives.files().callsCounted(), 20);
    EXPECT_EQ(f.disk->RowCount(), 20);

    // Later refreshes open every image, as ever.
    p.drives.files().countCalls();
    f.diskrefreshClick(&f);
    EXPECT_GE(p.drives.files().callsCounted(), 20);
}

TEST_F(Startup, FirstTickFindsWhatWasAddedSinceCreation)
{
    p.settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", "-", "1" });
    p.rom("d:\\roms\\", "mario.v64");
    std::filesystem::last_write_time(p.drives.host("d:\\roms"), std::filesystem::file_time_type {});
    auto& f = launch();
    p.rom("d:\\roms\\", "zelda.v64");
    p.advance(0);
    ASSERT_EQ(f.StartupTicks, 1);
    EXPECT_EQ(f.disk->Cell(5, 1), "zelda.v64");
}

}
