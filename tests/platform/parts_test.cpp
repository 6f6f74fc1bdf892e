// SPDX-License-Identifier: MIT
// The file system's parts, each built fresh over its own drive map.
#include "platform/ascii.h"
#include "platform/current_directories.h"
#include "platform/drive_map.h"
#include "platform/fault_injector.h"
#include "platform/file_operations.h"
#include "platform/filesystem.h"
#include "platform/path_resolver.h"
#include "platform/volume_letters.h"
#include "platform/volume_space.h"
#include "tests/support/temp_drives.h"

#include <filesystem>
#include <gtest/gtest.h>

using platform::Fault;
using platform::FaultPaths;

namespace {

// One drive d: over a temporary folder, with the parts the file system builds over it.
struct Parts {
    TempDrives temp;
    std::string d = temp.map('d');
    platform::DriveMap drives;
    platform::CurrentDirectories directories;
    platform::FaultInjector faults;
    platform::VolumeLetters volumes { drives };
    platform::PathResolver resolver { drives, volumes, directories, faults };
    platform::FileOperations operations { resolver, faults };

    Parts() { drives.set('d', d); }
};

// A directory last changed long ago, as a scanned archive folder is: its index is worth keeping.
void ageDirectory(const std::string& dir)
{
    std::filesystem::last_write_time(dir, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
}

}

TEST(PathResolverPart, EachResolverKeepsItsOwnListingsUntilToldToForget)
{
    Parts parts;
    parts.temp.write("d:\\roms\\Game.v64", "g");
    std::string roms = parts.d + "/roms";
    ageDirectory(roms);
    auto before = std::filesystem::last_write_time(roms);
    EXPECT_EQ(parts.resolver.resolve("d:\\roms\\GAME.V64")->host, roms + "/Game.v64");

    // Another program adds a file within the same clock tick: the directory's time does not move.
    parts.temp.write("d:\\roms\\NEW.V64", "n");
    std::filesystem::last_write_time(roms, before);
    EXPECT_FALSE(parts.resolver.resolve("d:\\roms\\new.v64")->found); // what it read a moment ago
    platform::PathResolver fresh(parts.drives, parts.volumes, parts.directories, parts.faults);
    EXPECT_EQ(fresh.resolve("d:\\roms\\new.v64")->host, roms + "/NEW.V64"); // shares no cache
    parts.resolver.forgetListings();
    EXPECT_EQ(parts.resolver.resolve("d:\\roms\\new.v64")->host, roms + "/NEW.V64");
}

TEST(PathResolverPart, CompletesFromTheCurrentDirectoriesAndSkipsPulledOutDrives)
{
    Parts parts;
    parts.temp.write("d:\\roms\\game.v64", "g");
    parts.directories.set("d:\\ROMS");
    EXPECT_EQ(parts.resolver.resolve("game.v64")->host, parts.d + "/roms/game.v64");
    EXPECT_EQ(parts.resolver.expand("..\\x"), "D:\\x");

    parts.drives.set('q', parts.temp.root() + "/missing");
    EXPECT_TRUE(parts.resolver.mappedRoot('Q'));
    EXPECT_FALSE(parts.resolver.readyRoot('q')); // mapped, but no disk in it
    EXPECT_TRUE(parts.resolver.readyRoot('d'));

    parts.faults.add({ Fault::Op::List, Fault::Kind::DriveGone, "d:", 1 });
    ASSERT_TRUE(parts.faults.take(Fault::Op::List, [] { return FaultPaths { "D:\\roms" }; }));
    EXPECT_FALSE(parts.resolver.resolve("d:\\roms\\game.v64"));
    EXPECT_FALSE(parts.resolver.readyRoot('d'));
    parts.faults.bringBack('D');
    EXPECT_TRUE(parts.resolver.resolve("d:\\roms\\game.v64")->found);
}

TEST(FaultInjectorPart, SpellsNoPathWhileNothingIsArmed)
{
    platform::FaultInjector faults;
    int spelled = 0;
    auto paths = [&] {
        ++spelled;
        return FaultPaths { "Z:\\save.eep", "C:\\save.eep" };
    };
    EXPECT_FALSE(faults.armed());
    EXPECT_FALSE(faults.take(Fault::Op::Copy, paths));
    EXPECT_EQ(spelled, 0);

    faults.add({ Fault::Op::Copy, Fault::Kind::Refuse, "c:/SAVE", 1 });
    EXPECT_FALSE(faults.take(Fault::Op::Move, paths)); // armed for another call
    auto hit = faults.take(Fault::Op::Copy, paths);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->winPath, "C:\\save.eep"); // the second path matched
    EXPECT_EQ(spelled, 2);
    EXPECT_FALSE(faults.armed()); // its one hit is used up
    EXPECT_FALSE(faults.take(Fault::Op::Copy, paths));
    EXPECT_EQ(spelled, 2);
}

TEST(FaultInjectorPart, ADriveGoneHitPullsOutOnlyThatDriveUntilCleared)
{
    platform::FaultInjector faults;
    faults.add({ Fault::Op::Open, Fault::Kind::DriveGone, "z:" });
    EXPECT_FALSE(faults.take(Fault::Op::Open, [] { return FaultPaths { "C:\\a.txt" }; }));
    EXPECT_TRUE(faults.take(Fault::Op::Open, [] { return FaultPaths { "Z:\\a.txt" }; }));
    EXPECT_TRUE(faults.driveGone('z'));
    EXPECT_FALSE(faults.driveGone('c'));
    faults.clear();
    EXPECT_FALSE(faults.armed());
    EXPECT_FALSE(faults.driveGone('z'));
}

TEST(FileOperationsPart, EachFailureSaysWhy)
{
    Parts parts;
    auto& ops = parts.operations;
    parts.temp.write("d:\\a.txt", "a");
    parts.temp.write("d:\\b.txt", "b");
    EXPECT_FALSE(ops.copyFile("d:\\a.txt", "d:\\c.txt", true));
    EXPECT_EQ(ops.copyFile("d:\\a.txt", "d:\\b.txt", true), std::errc::permission_denied);
    EXPECT_EQ(ops.copyFile("d:\\none.txt", "d:\\x.txt", false), std::errc::no_such_file_or_directory);
    EXPECT_EQ(ops.copyFile("d:\\a.txt", "q:\\x.txt", false), std::errc::no_such_file_or_directory);
    EXPECT_EQ(ops.moveFile("d:\\a.txt", "d:\\B.TXT"), std::errc::file_exists);
    EXPECT_EQ(ops.createDirectory("d:\\a.txt"), std::errc::file_exists);
    EXPECT_FALSE(ops.createDirectory("d:\\dir"));
    EXPECT_EQ(ops.deleteFile("d:\\dir"), std::errc::is_a_directory);
    EXPECT_EQ(ops.readFile("d:\\dir").error(), std::errc::is_a_directory);
    EXPECT_EQ(ops.readHeader("d:\\gone.v64", 4).error(), std::errc::no_such_file_or_directory);
    EXPECT_EQ(ops.writeFileAtomic("d:\\dir", "x"), std::errc::is_a_directory);
    EXPECT_EQ(*ops.readFile("d:\\c.txt"), "a");
    EXPECT_FALSE(ops.readFile("d:\\c.txt").error()); // no reason where nothing failed
    EXPECT_EQ(ops.removeAbandonedPartials("d:\\nowhere").error(), std::errc::no_such_file_or_directory);
}

TEST(FileOperationsPart, FaultsGiveTheReasonOfWhatTheyStandFor)
{
    Parts parts;
    auto& ops = parts.operations;
    parts.temp.write("d:\\a.txt", "a");
    parts.faults.add({ Fault::Op::Delete, Fault::Kind::Refuse });
    parts.faults.add({ Fault::Op::Write, Fault::Kind::DiskFull, "", -1, 1 });
    parts.faults.add({ Fault::Op::Open, Fault::Kind::DriveGone });
    EXPECT_EQ(ops.deleteFile("d:\\a.txt"), std::errc::permission_denied);
    EXPECT_EQ(ops.writeFileAtomic("d:\\a.txt", "more than one byte"), std::errc::no_space_on_device);
    EXPECT_EQ(ops.readFile("d:\\a.txt").error(), std::errc::io_error);
    EXPECT_EQ(ops.readFile("d:\\a.txt").error(), std::errc::no_such_file_or_directory); // the drive is gone
    parts.faults.clear();
    EXPECT_EQ(*ops.readFile("d:\\a.txt"), "a");
}

TEST(FileSystemScope, InstallsAFreshFileSystemAndPutsTheOneBeforeBack)
{
    platform::FileSystem& standard = platform::FileSystem::instance();
    {
        platform::FileSystem outer { platform::DriveMap() };
        platform::FileSystem::Scope outerScope(outer);
        EXPECT_EQ(&platform::FileSystem::instance(), &outer);
        EXPECT_TRUE(outer.drives().empty());
        {
            TempDrives drives; // a scope of its own
            EXPECT_EQ(&platform::FileSystem::instance(), &drives.files());
            drives.write("c:\\x.txt", "x");
            EXPECT_TRUE(platform::FileExists("c:\\x.txt"));
        }
        EXPECT_EQ(&platform::FileSystem::instance(), &outer);
        EXPECT_FALSE(platform::FileExists("c:\\x.txt"));
    }
    EXPECT_EQ(&platform::FileSystem::instance(), &standard);
}

// Only the root of a mounted volume has a size of its own; a folder inside one stands in for a disk.
TEST(VolumeSpacePart, OnlyAVolumesRootHasASize)
{
    TempDrives temp;
    EXPECT_FALSE(platform::VolumeSpace::ofMountPoint(temp.map('z')));
    EXPECT_FALSE(temp.files().volumeSpace("z:\\"));
    EXPECT_TRUE(platform::VolumeSpace::isMountPoint("/proc"));
    auto root = platform::VolumeSpace::ofMountPoint("/");
    ASSERT_TRUE(root);
    EXPECT_GT(root->capacity, 0u);
    EXPECT_LE(root->available, root->capacity);
    EXPECT_LE(root->used, root->capacity);
}

TEST(TextHelpers, TrimmedCutsOnlyTheBlanksAskedFor)
{
    EXPECT_EQ(platform::trimmed(" \tz = /media/ZIP \r\n"), "z = /media/ZIP");
    EXPECT_EQ(platform::trimmed(" \t*.v64 ", " "), "\t*.v64");
    EXPECT_EQ(platform::trimmed(" \r\n"), "");
}
