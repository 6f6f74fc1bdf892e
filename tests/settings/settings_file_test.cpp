// SPDX-License-Identifier: MIT
#include "platform/filesystem.h"
#include "tests/settings/settings_fixture.h"
#include "tests/support/as_nobody.h"

#include "toolkit/application.h"

#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace {

using SettingsFile = SettingsTest;

TEST_F(SettingsFile, FirstStartWritesTheDefaultsAndReadsThemBack)
{
    ASSERT_FALSE(p.drives.exists(iniFile()));
    auto& f = p.start();
    EXPECT_EQ(iniText(), crlf({ "z:\\", "c:\\", "c:\\", "0", "0" }));
    EXPECT_EQ(f.StartDir, "c:\\tavisco\\");
    EXPECT_EQ(f.ZipRoot, "z:\\");
    EXPECT_EQ(folded(f.RomDir), "c:\\");
    EXPECT_EQ(folded(f.RamDir), "c:\\");
    // No folder "0" below c:\, so the ROM directory change dropped the region.
    EXPECT_EQ(f.RegionFolder, "");
    EXPECT_EQ(f.ini->Lines()[3], "");
    EXPECT_EQ(f.RomPath, f.RomDir);
    EXPECT_EQ(f.RamPath, f.RamDir);
    EXPECT_EQ(f.DoubleClickMode, 0);
    EXPECT_EQ(f.ddmode->Caption(), "Doubleclick");
    p.click(f.ddmode);
    EXPECT_EQ(f.ddmode->Caption(), "Doubleclick copy to Zip");
}

// A settings file too large to be one is not read into memory: the program says so and runs on
// the default lines.
TEST_F(SettingsFile, HugeFileIsReportedAndTheDefaultsAreUsed)
{
    writeIni(crlf({ "z:\\", "d:\\roms\\", "d:\\ram\\", "-", "2" }));
    ASSERT_EQ(::truncate(p.drives.host(iniFile()).c_str(), (64 << 20) + 1), 0);
    auto& f = p.startAndSettle();
    ASSERT_EQ(p.dialogs->boxes.size(), 1u);
    EXPECT_EQ(p.dialogs->boxes[0].text, "Cannot open file \"c:\\tavisco\\tavisco.ini\": it is larger than 64 MiB.");
    EXPECT_EQ(folded(f.RomDir), "c:\\");
    EXPECT_EQ(f.DoubleClickMode, 0);
}

TEST_F(SettingsFile, ThreeLineFileIsPaddedAndWrittenBackWithFiveLines)
{
    p.settings({ "z:\\", "d:\\roms\\", "d:\\ram\\" });
    auto& f = p.start();
    EXPECT_EQ(f.ZipRoot, "z:\\");
    EXPECT_EQ(folded(f.RomDir), "d:\\roms\\");
    EXPECT_EQ(folded(f.RamDir), "d:\\ram\\");
    EXPECT_EQ(f.RegionFolder, "");
    EXPECT_EQ(f.DoubleClickMode, 1);
    EXPECT_EQ(f.ddmode->Caption(), "Doubleclick copy to Zip");
    EXPECT_EQ(f.ini->Lines().Lines(), (std::vector<std::string> { "z:\\", f.RomDir, f.RamDir, "", "-" }));
    f.Close();
    EXPECT_EQ(iniText(), crlf({ "z:\\", f.RomDir, f.RamDir, "", "-" }));

    auto& again = p.start();
    EXPECT_EQ(again.DoubleClickMode, 1);
    EXPECT_EQ(again.RegionFolder, "");
}

// Started from the root of c:, a list already showing c:\ raises no change, so line 3 stays "-".
TEST(SettingsFileAtRoot, LinesNoChangeTouchedKeepTheirPlaceholder)
{
    Program root;
    root.settings({ "z:\\", "c:\\", "c:\\" });
    auto& f = root.start();
    EXPECT_EQ(folded(f.StartDir), "c:\\");
    f.Close();
    EXPECT_EQ(root.drives.read("c:\\tavisco.ini"), crlf({ "z:\\", "c:\\", "c:\\", "-", "-" }));
    auto& again = root.start();
    EXPECT_EQ(again.RegionFolder, "");
    EXPECT_EQ(again.RomPath, "c:\\");
    EXPECT_EQ(again.DoubleClickMode, 1);
}

TEST_F(SettingsFile, ModeLineIsReadAsATrimmedInteger)
{
    const std::vector<std::tuple<std::string, int, std::string>> cases = {
        { "7", 1, "Doubleclick copy to Zip" },
        { " 2 ", 2, "Doubleclick sets category" },
        { "\t3\x01", 3, "Doubleclick opens fileinfo" },
        { "-3", -3, "Doubleclick" },
        { "0", 0, "Doubleclick" },
        { "-", 1, "Doubleclick copy to Zip" },
        { "", 1, "Doubleclick copy to Zip" },
        { "2x", 1, "Doubleclick copy to Zip" },
    };
    for (const auto& [line, mode, caption] : cases) {
        SCOPED_TRACE("line 4: \"" + line + "\"");
        p.settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", "-", line });
        auto& f = p.start();
        EXPECT_EQ(f.DoubleClickMode, mode);
        EXPECT_EQ(f.ddmode->Caption(), caption);
        EXPECT_EQ(f.ini->Lines()[4], line);
    }
}

TEST_F(SettingsFile, LinesAfterTheFifthAreCarriedAlong)
{
    p.settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", "-", "2", "sixth line", "", "  eighth  " });
    auto& f = p.start();
    p.click(f.ddmode);
    f.Close();
    EXPECT_EQ(iniText(), crlf({ "z:\\", f.RomDir, f.RamDir, "", "3", "sixth line", "", "  eighth  " }));
}

TEST_F(SettingsFile, AnyLineBreakIsReadAndCrLfIsWritten)
{
    writeIni("z:\\\rd:\\roms\\\rd:\\ram\\\r-\r2\r");
    auto& f = p.start();
    EXPECT_EQ(folded(f.RomDir), "d:\\roms\\");
    EXPECT_EQ(folded(f.RamDir), "d:\\ram\\");
    EXPECT_EQ(f.DoubleClickMode, 2);
    f.Close();
    EXPECT_EQ(iniText(), crlf({ "z:\\", f.RomDir, f.RamDir, "", "2" }));

    writeIni("z:\\\nd:\\roms\\\nd:\\ram\\\n-\n3");
    auto& g = p.start();
    EXPECT_EQ(g.DoubleClickMode, 3);
    EXPECT_EQ(g.ini->Lines().Count(), 5);
    g.Close();
    EXPECT_EQ(iniText(), "z:\\\r\n" + g.RomDir + "\r\n" + g.RamDir + "\r\n\r\n3");
}

TEST_F(SettingsFile, ChangesOfTheRunAreWrittenAtCloseOnly)
{
    p.drives.map('y');
    p.settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", "-", "1" });
    auto& f = p.startAndSettle();
    std::string before = iniText();
    f.zipdrive->SetDrive('y');
    p.click(f.ddmode);
    EXPECT_EQ(f.ZipRoot, "y:\\");
    EXPECT_EQ(iniText(), before);
    f.Close();
    EXPECT_EQ(iniText(), crlf({ "y:\\", f.RomDir, f.RamDir, "", "2" }));
}

TEST_F(SettingsFile, CloseButtonWritesTheFileAndEndsTheProgram)
{
    p.settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", "-", "1" });
    auto& f = p.startAndSettle();
    p.click(f.ddmode);
    f.clsClick(f.cls);
    EXPECT_EQ(iniText(), crlf({ "z:\\", f.RomDir, f.RamDir, "", "2" }));
    EXPECT_TRUE(tk::Application().Terminated());
}

// When the settings can't be written the close button says so, and ends the program all the same.
// As nobody, where the start folder is his and the file root's, or the other way round: a file he
// may not write is not replaced behind his back either (the atomic write's rename would).
class CloseUnwritable : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        if (::geteuid() != 0)
            GTEST_SKIP() << "skipped: acting as another user needs root";
        // Without a desktop, Run only starts a new run: a close button clicked before has not
        // ended this one.
        tk::Application().Run();
    }
    void closeAsNobody(const std::string& usersOwn)
    {
        p.settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", "-", "1" });
        before = iniText();
        AsNobody::letIn(p.drives.root());
        AsNobody::giveAway(p.drives.host(usersOwn));
        AsNobody nobody;
        auto& f = p.startAndSettle();
        p.click(f.ddmode);
        p.click(f.cls);
        ASSERT_EQ(p.dialogs->boxes.size(), 1u);
        EXPECT_EQ(p.dialogs->boxes[0].text, "Cannot write the settings file \"c:\\tavisco\\tavisco.ini\".");
        EXPECT_TRUE(tk::Application().Terminated());
    }
    void expectFileUntouched()
    {
        EXPECT_EQ(iniText(), before);
        struct stat st {};
        ASSERT_EQ(::stat(p.drives.host(iniFile()).c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, 0u);
    }
    std::string before;
};

TEST_F(CloseUnwritable, SettingsFileTheUserMayNotWrite)
{
    closeAsNobody("c:\\tavisco");
    expectFileUntouched();
}

TEST_F(CloseUnwritable, StartFolderTheUserMayNotWrite)
{
    closeAsNobody(iniFile());
    EXPECT_EQ(iniText(), before);
}

TEST_F(SettingsFile, SavedDirectoriesOnAnotherDriveAreRestoredWithTheirRegion)
{
    p.drives.write("d:\\roms\\usa\\.keep", "");
    p.drives.write("d:\\ram\\usa\\.keep", "");
    p.rom("d:\\roms\\usa\\", "mario.v64");
    p.settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", "usa\\", "1" });
    auto& f = p.startAndSettle();
    EXPECT_EQ(folded(f.RomDir), "d:\\roms\\");
    EXPECT_EQ(folded(f.RamDir), "d:\\ram\\");
    EXPECT_EQ(f.RegionFolder, "usa\\");
    EXPECT_EQ(folded(f.RomPath), "d:\\roms\\usa\\");
    EXPECT_EQ(folded(f.RamPath), "d:\\ram\\usa\\");
    EXPECT_EQ(f.romdrive->Drive(), 'd');
    EXPECT_EQ(f.ramdrive->Drive(), 'd');
    EXPECT_EQ(f.zipdrive->Drive(), 'z');
    EXPECT_EQ(f.disk->Cell(5, 0), "mario.v64");
}

TEST_F(SettingsFile, DirectoryOnADriveThatIsGoneFallsBackToC)
{
    p.drives.map('y');
    p.drives.removeDrive('y');
    for (const char* drive : { "y", "x" }) {
        SCOPED_TRACE(drive);
        std::string d = drive;
        p.settings({ "z:\\", d + ":\\roms\\", d + ":\\ram\\", "-", "1" });
        auto& f = p.startAndSettle();
        EXPECT_EQ(folded(f.RomDir), "c:\\");
        EXPECT_EQ(folded(f.RamDir), "c:\\");
        EXPECT_EQ(folded(f.RomPath), "c:\\");
        EXPECT_EQ(f.romdrive->Drive(), 'c');
        EXPECT_EQ(f.ramdrive->Drive(), 'c');
        EXPECT_EQ(f.StartupTicks, 15);
        EXPECT_TRUE(p.dialogs->boxes.empty());
    }
}

TEST_F(SettingsFile, EmptyPathLinesKeepTheSelectorsAndFallBackToC)
{
    p.settings({ "", "", "", "-", "1" });
    auto& f = p.startAndSettle();
    EXPECT_EQ(folded(f.RomDir), "c:\\");
    EXPECT_EQ(folded(f.RamDir), "c:\\");
    EXPECT_EQ(f.romdrive->Drive(), 'c');
    EXPECT_EQ(f.ramdrive->Drive(), 'c');
    EXPECT_EQ(f.StartupTicks, 15);
    EXPECT_TRUE(p.dialogs->boxes.empty());
}

}

// A settings file that can't be written is reported, and the old file stays as it was.
TEST_F(SettingsFile, FailedWriteAtCloseIsReportedAndKeepsTheOldFile)
{
    p.settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", "-", "2" });
    std::string before = iniText();
    auto& f = p.start();
    p.click(f.ddmode);
    platform::FileSystem::instance().injectFault(
        platform::Fault(platform::Fault::Op::Write, platform::Fault::Kind::DiskFull, "tavisco.ini", -1, 3));
    f.Close();
    ASSERT_EQ(p.dialogs->boxes.size(), 1u);
    EXPECT_NE(p.dialogs->boxes[0].text.find("tavisco.ini"), std::string::npos) << p.dialogs->boxes[0].text;
    platform::FileSystem::instance().clearFaults();
    EXPECT_EQ(iniText(), before);
}
