// SPDX-License-Identifier: MIT
#include "platform/filesystem.h"
#include "tests/support/temp_drives.h"

#include <filesystem>
#include <gtest/gtest.h>

using platform::Fault;
using Names = std::vector<std::string>;

namespace {

// A Zip disk holding an old save, and a new one twice the copy buffer's size to put over it.
struct ReplaceScene {
    TempDrives drives;
    std::string data = std::string(2 * 1024 * 1024 + 5, 'N');

    ReplaceScene()
    {
        drives.map('z');
        drives.write("c:\\save.eep", data);
        drives.write("z:\\SAVE.EEP", "old save");
    }
    void expectOldSaveIntact()
    {
        EXPECT_EQ(drives.read("z:\\SAVE.EEP"), "old save");
        EXPECT_EQ(TempDrives::entries(drives.root() + "/z"), (Names { "SAVE.EEP" })); // no temporary file left
    }
};

}

TEST(Faults, DiskFullPartWayThroughACopyLeavesTheOldFile)
{
    for (std::uint64_t allowed : { 0ull, 1000ull, 1024ull * 1024, 2ull * 1024 * 1024 + 4 }) {
        SCOPED_TRACE(allowed);
        ReplaceScene scene;
        auto& files = scene.drives.files();
        files.injectFault({ Fault::Op::Copy, Fault::Kind::DiskFull, "", -1, allowed });
        EXPECT_FALSE(platform::CopyFileA("c:\\save.eep", "z:\\save.eep", false));
        scene.expectOldSaveIntact();
    }
}

TEST(Faults, DiskWithRoomEnoughLetsTheCopyThrough)
{
    ReplaceScene scene;
    auto& files = scene.drives.files();
    files.injectFault({ Fault::Op::Copy, Fault::Kind::DiskFull, "", -1, scene.data.size() });
    EXPECT_TRUE(platform::CopyFileA("c:\\save.eep", "z:\\save.eep", false));
    EXPECT_TRUE(scene.drives.read("z:\\SAVE.EEP") == scene.data);
}

TEST(Faults, RefusedCopyChangesNothingAndHitsOnlyAsOftenAsAsked)
{
    ReplaceScene scene;
    auto& files = scene.drives.files();
    files.injectFault({ Fault::Op::Copy, Fault::Kind::Refuse, "Z:\\save", 1 });
    EXPECT_FALSE(platform::CopyFileA("c:\\save.eep", "z:\\save.eep", false));
    scene.expectOldSaveIntact();
    EXPECT_TRUE(platform::CopyFileA("c:\\save.eep", "z:\\save.eep", false)); // that was its one hit
    EXPECT_TRUE(scene.drives.read("z:\\SAVE.EEP") == scene.data);
}

TEST(Faults, PathFilterMatchesEitherSideIgnoringCase)
{
    ReplaceScene scene;
    auto& files = scene.drives.files();
    scene.drives.write("c:\\other.txt", "o");
    files.injectFault({ Fault::Op::Copy, Fault::Kind::Refuse, "SAVE.eep" });
    EXPECT_TRUE(platform::CopyFileA("c:\\other.txt", "z:\\other.txt", false));
    EXPECT_FALSE(platform::CopyFileA("c:\\save.eep", "z:\\new.eep", false)); // the source matches
    EXPECT_TRUE(platform::MoveFileA("c:\\save.eep", "c:\\kept.eep"));       // another kind of call
}

TEST(Faults, DriveGoneInTheMiddleOfACopy)
{
    ReplaceScene scene;
    auto& files = scene.drives.files();
    files.injectFault({ Fault::Op::Copy, Fault::Kind::DriveGone, "z:", 1, 4096 });
    EXPECT_FALSE(platform::CopyFileA("c:\\save.eep", "z:\\save.eep", false));
    EXPECT_FALSE(files.driveReady('z'));
    EXPECT_FALSE(platform::FileExists("z:\\save.eep"));
    EXPECT_TRUE(files.driveReady('c'));
    files.clearFaults(); // the disk goes back in
    EXPECT_TRUE(files.driveReady('z'));
    scene.expectOldSaveIntact();
}

TEST(Faults, AtomicWriteUnderFaults)
{
    TempDrives drives;
    auto& files = drives.files();
    drives.write("c:\\tavisco.ini", "old settings");
    std::string big(300000, 's');
    for (Fault::Kind kind : { Fault::Kind::DiskFull, Fault::Kind::Refuse, Fault::Kind::DriveGone }) {
        files.injectFault({ Fault::Op::Write, kind, "ini", 1, 1000 });
        EXPECT_FALSE(files.writeFileAtomic("c:\\tavisco.ini", big));
        files.clearFaults();
        EXPECT_EQ(drives.read("c:\\tavisco.ini"), "old settings");
        EXPECT_EQ(TempDrives::entries(drives.root() + "/c"), (Names { "tavisco.ini" }));
    }
    EXPECT_TRUE(files.writeFileAtomic("c:\\tavisco.ini", big));
}

TEST(Faults, MoveThatRunsOutOfRoomLeavesTheSource)
{
    TempDrives drives;
    auto& files = drives.files();
    drives.map('z');
    drives.write("c:\\game.v64", std::string(100000, 'g'));
    files.injectFault({ Fault::Op::Move, Fault::Kind::DiskFull, "", 1, 5000 });
    EXPECT_FALSE(platform::MoveFileA("c:\\game.v64", "z:\\game.v64"));
    EXPECT_EQ(TempDrives::entries(drives.root() + "/z"), Names {});
    EXPECT_EQ(drives.read("c:\\game.v64").size(), 100000u);
    files.injectFault({ Fault::Op::Move, Fault::Kind::DiskFull, "", 1, 100000 });
    EXPECT_TRUE(platform::MoveFileA("c:\\game.v64", "z:\\game.v64")); // room enough, through a copy
    EXPECT_EQ(drives.read("z:\\game.v64"), std::string(100000, 'g'));
    EXPECT_FALSE(drives.exists("c:\\game.v64"));
}

TEST(Faults, RefusedCallsLeaveEverythingAsItWas)
{
    TempDrives drives;
    auto& files = drives.files();
    drives.write("c:\\a.txt", "a");
    for (Fault::Op op : { Fault::Op::Move, Fault::Op::Delete, Fault::Op::CreateDirectory, Fault::Op::Open,
             Fault::Op::List })
        files.injectFault(op);
    EXPECT_FALSE(platform::MoveFileA("c:\\a.txt", "c:\\b.txt"));
    EXPECT_FALSE(platform::DeleteFileA("c:\\a.txt"));
    EXPECT_FALSE(platform::CreateDirectoryA("c:\\dir"));
    EXPECT_FALSE(files.readFile("c:\\a.txt"));
    EXPECT_FALSE(files.readHeader("c:\\a.txt", 1));
    EXPECT_EQ(files.listFiles("c:\\", "*"), std::nullopt);
    EXPECT_TRUE(platform::FileExists("c:\\a.txt")); // queries are not faulted
    files.clearFaults();
    EXPECT_EQ(files.listFiles("c:\\", "*"), (Names { "a.txt" }));
}

TEST(Faults, DriveGoneStaysGoneForLaterCalls)
{
    TempDrives drives;
    auto& files = drives.files();
    drives.map('z');
    drives.write("z:\\a.txt", "a");
    files.injectFault({ Fault::Op::List, Fault::Kind::DriveGone, "z:", 1 });
    EXPECT_EQ(files.listFiles("z:\\", "*"), std::nullopt);
    EXPECT_FALSE(platform::FileExists("z:\\a.txt"));
    EXPECT_FALSE(platform::CopyFileA("z:\\a.txt", "c:\\a.txt", false));
    EXPECT_EQ(files.listFiles("c:\\", "*"), Names {});
    files.setDrive('z', drives.root() + "/z"); // mapped again: a fresh disk
    EXPECT_TRUE(platform::FileExists("z:\\a.txt"));
}

// The numbering a fault-at-every-step loop runs on: every call a fault could hit counts, and the
// one named fails whatever it is, alone.
TEST(Faults, CountedCallsFailByNumberWhateverTheyAre)
{
    TempDrives drives;
    auto& files = drives.files();
    drives.map('z');
    drives.write("c:\\a.txt", "a");
    auto calls = [&] {
        return std::vector<bool> { platform::CopyFileA("c:\\a.txt", "z:\\a.txt", false),
            files.listFiles("z:\\", "*").has_value(), platform::FileExists("z:\\a.txt"),
            files.writeFileAtomic("z:\\b.txt", "bb"), platform::DeleteFileA("z:\\a.txt"),
            platform::DeleteFileA("z:\\b.txt") };
    };
    files.countCalls();
    EXPECT_EQ(calls(), std::vector<bool>(6, true));
    EXPECT_EQ(files.callsCounted(), 5); // the query is no call a fault can hit
    files.countCalls();
    files.failCall(3, Fault::Kind::Refuse);
    EXPECT_EQ(calls(), (std::vector<bool> { true, true, true, false, true, false }));
    EXPECT_EQ(TempDrives::entries(drives.root() + "/z"), Names {});

    files.countCalls();
    files.failCall(1, Fault::Kind::DriveGone, 0);
    EXPECT_EQ(calls(), std::vector<bool>(6, false)); // the copy's target drive went with it
    EXPECT_EQ(files.callsCounted(), 1);              // nothing resolves on a drive that is gone
    files.clearFaults();
    EXPECT_TRUE(files.driveReady('z'));
    EXPECT_EQ(files.callsCounted(), 0);
}
