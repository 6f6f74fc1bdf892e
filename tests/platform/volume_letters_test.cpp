// SPDX-License-Identifier: MIT
#include "platform/filesystem.h"
#include "platform/volume_letters.h"
#include "tests/support/temp_drives.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>

using platform::DrivePin;
using platform::VolumeLetters;
namespace fs = std::filesystem;

namespace {

// A temporary tree standing for /media/<user>, and a start directory with its drives.ini. Each
// start() is a new run of the program over them.
class Volumes : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(media);
        fs::create_directories(startDir);
    }

    platform::FileSystem& start()
    {
        files.reset();
        files = std::make_unique<platform::FileSystem>(platform::DriveMap());
        files->mapDefaultDrives(startDir, { media });
        return *files;
    }
    std::string mount(const std::string& name)
    {
        fs::create_directories(media + "/" + name);
        return media + "/" + name;
    }
    void unmount(const std::string& name) { fs::remove_all(media + "/" + name); }

    // The folder behind a letter, mounted or not.
    std::string at(char letter) const
    {
        auto dir = files->hostPath(std::string(1, letter) + ":\\");
        return dir.value_or("(no drive)");
    }
    std::string ini() const
    {
        std::ifstream in(startDir + "/drives.ini", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void writeIni(const std::string& text) const { std::ofstream(startDir + "/drives.ini", std::ios::binary) << text; }
    std::size_t count(const std::string& text, const std::string& what) const
    {
        std::size_t n = 0;
        for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
            ++n;
        return n;
    }

    TempDrives temp;
    std::string media = temp.root() + "/media/alice";
    std::string startDir = temp.root() + "/config/tavisco";
    std::unique_ptr<platform::FileSystem> files;
    const std::string comment = VolumeLetters::addedComment;
};

}

TEST_F(Volumes, FirstStartLettersEveryVolumeAndWritesItsPinsBelowTheUsersOwn)
{
    std::string zip = mount("ZIP-100");
    std::string sd = mount("SD"), stick = mount("STICK");
    std::string user = "; my zip drive\nz=" + zip + "\n";
    writeIni(user);
    start();
    EXPECT_EQ(at('c'), "/");
    EXPECT_EQ(at('e'), sd);
    EXPECT_EQ(at('f'), stick);
    EXPECT_EQ(at('z'), zip);
    EXPECT_EQ(ini(), user + "\n" + comment + "\ne=" + sd + "\nf=" + stick + "\n");

    // No file yet: it is made, holding the program's part alone, in path order.
    fs::remove(startDir + "/drives.ini");
    start();
    EXPECT_EQ(ini(), comment + "\ne=" + sd + "\nf=" + stick + "\ng=" + zip + "\n");
}

TEST_F(Volumes, LettersSurviveAnotherVolumeMountedFirst)
{
    std::string sd = mount("SD"), stick = mount("STICK");
    start();
    std::string first = ini();

    std::string early = mount("AAA-CARD"); // sorts before both
    start();
    EXPECT_EQ(at('e'), sd);
    EXPECT_EQ(at('f'), stick);
    EXPECT_EQ(at('g'), early);
    EXPECT_EQ(ini(), first + "g=" + early + "\n") << "each pin line added once, after the others";

    start();
    EXPECT_EQ(count(ini(), "=" + sd + "\n"), 1u);
    EXPECT_EQ(count(ini(), comment), 1u);
}

TEST_F(Volumes, VolumeThatIsAwayIsADriveWithoutADiskNeverAnother)
{
    std::string sd = mount("SD"), stick = mount("STICK");
    start();
    unmount("SD");
    std::string other = mount("OTHER");
    auto& files = start();
    EXPECT_EQ(at('e'), sd);
    EXPECT_FALSE(files.driveReady('e'));
    EXPECT_FALSE(files.directoryExists("e:\\"));
    EXPECT_EQ(at('g'), other);

    mount("SD");
    EXPECT_TRUE(files.driveReady('e'));
    EXPECT_EQ(at('f'), stick);
}

TEST_F(Volumes, VolumeMountedWhileRunningGetsTheNextFreeLetterWhenLookedFor)
{
    mount("SD");
    auto& files = start();
    std::string stick = mount("STICK");
    EXPECT_EQ(files.drives(), (std::vector<char> { 'c', 'd', 'e' })) << "not looked for yet";

    // A path on a letter that has no drive looks: the new volume may be the one it names.
    EXPECT_TRUE(files.directoryExists("F:\\"));
    EXPECT_EQ(at('f'), stick);
    EXPECT_EQ(count(ini(), "f=" + stick + "\n"), 1u);

    // A drive selector opening looks too.
    std::string card = mount("CARD");
    files.noticeVolumes();
    EXPECT_EQ(at('g'), card);
    std::string written = ini();
    files.noticeVolumes();
    EXPECT_FALSE(files.driveReady('q'));
    EXPECT_EQ(ini(), written) << "nothing new, nothing written";
}

TEST_F(Volumes, UserPinsAreNeverChangedOrReordered)
{
    std::string stick = mount("STICK"), zip = mount("ZIP");
    // A user pin on a volume's folder and on the first free letter; odd spacing and CR LF lines.
    std::string user = "# mine\r\n  E:= /srv/n64  \r\nz=" + zip + "/\r\n;end";
    writeIni(user);
    start();
    EXPECT_EQ((std::vector<std::string> { at('e'), at('f'), at('z') }), (std::vector<std::string> { "/srv/n64", stick, zip }));
    EXPECT_EQ(ini(), user + "\r\n\r\n" + comment + "\r\nf=" + stick + "\r\n");
}

TEST_F(Volumes, LaterPinsGoBelowTheProgramsCommentWhateverTheUserWroteAfterIt)
{
    std::string text = "a=/x\n\n" + comment + "\ne=/media/alice/SD\n\n; my own\nq=/srv\n";
    EXPECT_EQ(VolumeLetters::withPins(text, { { 'f', "/media/alice/STICK" } }),
        "a=/x\n\n" + comment + "\ne=/media/alice/SD\nf=/media/alice/STICK\n\n; my own\nq=/srv\n");
    // The program's part at the very end, its last line unfinished.
    EXPECT_EQ(VolumeLetters::withPins(comment + "\r\ne=/m/SD", { { 'f', "/m/S T" } }),
        comment + "\r\ne=/m/SD\r\nf=/m/S T\r\n");
    EXPECT_EQ(VolumeLetters::withPins("", { { 'e', "/m/SD" }, { 'g', "/m/X" } }), comment + "\ne=/m/SD\ng=/m/X\n");
}

TEST_F(Volumes, WhenTheLettersRunOutFurtherVolumesGetNone)
{
    std::string user;
    for (char letter = 'e'; letter <= 'x'; ++letter)
        user += std::string(1, letter) + "=/srv/" + letter + "\n";
    writeIni(user);
    std::string a = mount("A"), b = mount("B");
    mount("C");
    auto& files = start();
    EXPECT_EQ(at('y'), a);
    EXPECT_EQ(at('z'), b);
    EXPECT_EQ(files.drives().size(), 24u);
    EXPECT_EQ(at('c'), "/") << "c: and d: are never given away";
    EXPECT_EQ(ini(), user + "\n" + comment + "\ny=" + a + "\nz=" + b + "\n");
}

TEST_F(Volumes, FolderThatNoPinLineCanSpellKeepsItsLetterForThisRunOnly)
{
    std::string spaced = mount("Trailing ");
    std::string broken = mount("Two\nLines");
    start();
    std::vector<std::string> mapped { at('e'), at('f') };
    std::sort(mapped.begin(), mapped.end());
    EXPECT_EQ(mapped, (std::vector<std::string> { spaced, broken }));
    EXPECT_FALSE(fs::exists(startDir + "/drives.ini"));
}

TEST_F(Volumes, ReadOnlyDrivesIniIsNotReplaced)
{
    std::string sd = mount("SD");
    writeIni("; mine\n");
    fs::permissions(startDir + "/drives.ini", fs::perms::owner_read);
    start();
    EXPECT_EQ(at('e'), sd) << "the letter holds for this run";
    EXPECT_EQ(ini(), "; mine\n");
}

TEST_F(Volumes, DrivesIniThatIsALinkIsRewrittenWhereItPoints)
{
    std::string sd = mount("SD");
    std::string shared = temp.root() + "/shared.ini";
    std::ofstream(shared) << "r=/srv/roms\n";
    fs::create_symlink(shared, startDir + "/drives.ini");
    start();
    EXPECT_TRUE(fs::is_symlink(startDir + "/drives.ini"));
    EXPECT_EQ(ini(), "r=/srv/roms\n\n" + comment + "\ne=" + sd + "\n");
    EXPECT_EQ(at('r'), "/srv/roms");
}

TEST_F(Volumes, ExactlyTheDrivesSetLookForNoVolumes)
{
    auto& files = start();
    files.clearDrives();
    files.setDrive('c', temp.root());
    mount("LATE");
    EXPECT_FALSE(files.directoryExists("e:\\"));
    files.noticeVolumes();
    EXPECT_EQ(files.drives(), (std::vector<char> { 'c' }));
}
