// SPDX-License-Identifier: MIT
#pragma once

#include "platform/current_directories.h"
#include "platform/drive_map.h"
#include "platform/fault.h"
#include "platform/fault_injector.h"
#include "platform/file_operations.h"
#include "platform/file_queries.h"
#include "platform/path_resolver.h"
#include "platform/result.h"
#include "platform/volume_letters.h"
#include "platform/volume_space.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The Windows file system the program was written against, laid over the host: drive letters mapped
// to host directories, Windows-1252 names, case-insensitive lookup, per-drive current directories and
// the Windows calls with their Windows meaning. Paths in and out are Windows paths. Each job is done
// by one part (resolver, current directories, queries, operations, faults); this is the face the
// program sees.
class FileSystem {
public:
    FileSystem();                         // the standard drives, the process's current directory
    explicit FileSystem(DriveMap drives); // exactly these drives
    FileSystem(const FileSystem&) = delete;
    FileSystem& operator=(const FileSystem&) = delete;

    // The one the program's calls go to: the program's own, or one put in its place by a Scope.
    static FileSystem& instance();

    // Makes a file system the instance while the scope lives; the one before comes back after.
    class Scope {
    public:
        explicit Scope(FileSystem& files);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        FileSystem* m_previous;
    };

    // Drive map. Letters are 'a'..'z' (lower case here; paths may use either case).
    // The standard drives with the pins of drives.ini in the start directory; the volumes mounted
    // under `volumeParents` get their letters, new ones written into that drives.ini, now and
    // whenever one is mounted later. A start folder that no letter reaches gets one for the run.
    void mapDefaultDrives(const std::string& startHostDir,
        const std::vector<std::string>& volumeParents = DriveMap::volumeParents());
    void mapStandardDrives(); // c: = /, d: = home, mounted volumes from e:, remembered nowhere
    // Exactly the drives set from now on: no volumes are looked for.
    void clearDrives();
    void setDrive(char letter, const std::string& hostDir);
    // Volumes are looked for under `parents` from now on (their letters written into `iniHostPath`
    // unless it is ""), and given letters at once.
    void watchVolumes(std::vector<std::string> parents, std::string iniHostPath);
    // Gives letters to the volumes mounted since the last look. A path on a letter that has no drive
    // looks too, so the program meets a new disk wherever it reaches for one.
    void noticeVolumes() { m_volumes.notice(); }
    std::vector<char> drives() const { return m_drives.letters(); }
    std::string volumeLabel(char letter) const; // folder name of the mapped dir ("" for c:)
    bool driveReady(char letter) const { return m_resolver.readyRoot(letter).has_value(); }
    bool driveReadyFor(const std::string& winPath) const; // the drive the path names
    // nullopt when the drive is missing or not ready, or a name has characters Windows forbids
    // (a '?' only where it is no listed name).
    std::optional<std::string> hostPath(const std::string& winPath) const;
    std::optional<std::string> windowsPath(const std::string& hostPath) const { return m_resolver.windowsPath(hostPath); }

    // Current directories, as Windows paths: "C:\" at a root, else "D:\roms\n64".
    std::string currentDirectory() const { return m_directories.current(); }
    bool setCurrentDirectory(const std::string& winPath); // an existing directory only
    std::string driveCurrentDirectory(char letter) const { return m_directories.ofDrive(letter); }
    void resetCurrentDirectories(); // roots everywhere; the process's one from the host cwd
    std::string expand(const std::string& winPath) const { return m_resolver.expand(winPath); }

    // Queries.
    bool fileExists(const std::string& winPath) const { return m_queries.fileExists(winPath); }
    bool directoryExists(const std::string& winPath) const { return m_queries.directoryExists(winPath); }
    std::optional<std::vector<std::string>> listFiles(const std::string& dir, const std::string& mask) const
    {
        return m_queries.listFiles(dir, mask);
    }
    std::optional<std::vector<std::string>> listDirectories(const std::string& dir) const
    {
        return m_queries.listDirectories(dir);
    }
    bool sameEntry(const std::string& a, const std::string& b) const { return m_queries.sameEntry(a, b); }
    // The size of the volume whose root the directory is; nullopt for a folder inside a volume
    // (one standing in for a disk) and for a drive that is not ready.
    std::optional<VolumeSpace> volumeSpace(const std::string& winDir) const;
    std::optional<std::string> nameOnDisk(const std::string& winPath) const { return m_queries.nameOnDisk(winPath); }
    std::optional<FileState> fileState(const std::string& winPath) const { return m_queries.fileState(winPath); }
    std::optional<std::int64_t> folderChanged(const std::string& winDir) const { return m_queries.folderChanged(winDir); }

    // The Windows calls: true on success, as they answer.
    bool CopyFileA(const std::string& from, const std::string& to, bool failIfExists);
    bool MoveFileA(const std::string& from, const std::string& to); // never replaces another file
    bool DeleteFileA(const std::string& path);                      // files only
    bool CreateDirectoryA(const std::string& path);                 // one level; false if it exists

    // The drive of `winDir` is a removable disk: its entries whose location, links followed, lies
    // outside the drive's directory are no files there (not listed, read or copied). One drive at a
    // time; links elsewhere are followed as the host follows them.
    void keepLinksWithin(const std::string& winDir) { m_resolver.keepLinksWithin(m_resolver.absolute(winDir).drive()); }

    // Case-blind lookups trust what they read of a directory for a moment; before a decision that
    // must see what other programs did meanwhile (a name in use), the program calls this.
    void forgetListings() const { m_resolver.forgetListings(); }

    // While the hold lives, the kinds and names on disk of files in these folders (absolute, each
    // ending in a separator) come from one listing of each, read when it is made: a scan asks for
    // every game's companion files. A change the program makes, or forgetListings, ends it early.
    class ListingHold {
    public:
        ListingHold(const PathResolver& resolver, const std::vector<std::string>& winDirs);
        ~ListingHold() { m_resolver.releaseListings(); }
        ListingHold(const ListingHold&) = delete;
        ListingHold& operator=(const ListingHold&) = delete;

    private:
        const PathResolver& m_resolver;
    };
    [[nodiscard]] ListingHold holdListings(const std::vector<std::string>& winDirs) const
    {
        return ListingHold(m_resolver, winDirs);
    }

    // While set, copies run beside the calling thread, which hears how far each file is (see
    // FileOperations::watchCopies); an empty function ends it.
    void watchCopies(FileOperations::CopyProgress observer) { m_operations.watchCopies(std::move(observer)); }

    // Partial files that copies killed part-way left in `dir` (a scan calls this); returns how many
    // were removed.
    int removeAbandonedPartials(const std::string& dir);

    // Whole files; a failed read says why (a file over 64 MiB is refused as too large).
    Result<HeaderRead> readHeader(const std::string& path, std::size_t n) const
    {
        return m_operations.readHeader(path, n);
    }
    Result<std::string> readFile(const std::string& path) const { return m_operations.readFile(path); }
    bool writeFileAtomic(const std::string& path, std::string_view bytes);

    // Fault injection for tests.
    void injectFault(const Fault& fault) { m_faults.add(fault); }
    void clearFaults() { m_faults.clear(); }
    void countCalls() { m_faults.startCounting(); }
    int callsCounted() const { return m_faults.callsCounted(); }
    void failCall(int n, Fault::Kind kind, std::uint64_t bytesBeforeFailure = 0)
    {
        m_faults.failCall(n, kind, bytesBeforeFailure);
    }

private:
    void remap(const std::vector<DrivePin>& pins);

    DriveMap m_drives;
    VolumeLetters m_volumes { m_drives };
    CurrentDirectories m_directories;
    // Touched by const queries too: a fault can hit a read, and a drive can vanish under it.
    mutable FaultInjector m_faults;
    PathResolver m_resolver { m_drives, m_volumes, m_directories, m_faults };
    FileQueries m_queries { m_resolver, m_faults };
    FileOperations m_operations { m_resolver, m_faults };
};

// The Windows names the program calls, forwarding to FileSystem::instance().
bool CopyFileA(const std::string& from, const std::string& to, bool failIfExists);
bool MoveFileA(const std::string& from, const std::string& to);
bool DeleteFileA(const std::string& path);
bool CreateDirectoryA(const std::string& path);
bool CreateDirectoryA(const std::string& path, const void* securityAttributes); // must be null
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
std::string GetCurrentDir();
bool SetCurrentDir(const std::string& path);

}
