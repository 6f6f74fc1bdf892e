#pragma once

#include "platform/drive_map.h"
#include "platform/fault.h"
#include "platform/fault_injector.h"
#include "platform/resolved_path.h"
#include "platform/unique_fd.h"
#include "platform/win_path.h"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

struct stat;

namespace platform {

struct HeaderRead {
    std::vector<unsigned char> bytes; // up to the n bytes asked for
    std::uint64_t length = 0;         // the whole file's length
};

// The Windows file system the program was written against, laid over the host: drive letters mapped
// to host directories, Windows-1252 names, case-insensitive lookup, per-drive current directories and
// the Windows calls with their Windows meaning. Paths in and out are Windows paths.
class FileSystem {
public:
    static FileSystem& instance();

    // Drive map. Letters are 'a'..'z' (lower case here; paths may use either case).
    void mapDefaultDrives(const std::string& startHostDir); // standard drives plus drives.ini pins
    void mapStandardDrives();                               // c: = /, d: = home, mounted volumes from e:
    void clearDrives();
    void setDrive(char letter, const std::string& hostDir);
    std::vector<char> drives() const;
    std::string volumeLabel(char letter) const; // folder name of the mapped dir ("" for c:)
    bool driveReady(char letter) const;         // mapped, and its dir exists and is readable
    bool driveReadyFor(const std::string& winPath) const; // the drive the path names
    // nullopt when the drive is missing or not ready, or a name has characters Windows forbids.
    std::optional<std::string> hostPath(const std::string& winPath) const;
    // Through the mapped directory that is the longest prefix: /home/alice/roms -> "D:\roms".
    std::optional<std::string> windowsPath(const std::string& hostPath) const;

    // Current directories, as Windows paths: "C:\" at a root, else "D:\roms\n64".
    std::string currentDirectory() const;
    bool setCurrentDirectory(const std::string& winPath);
    std::string driveCurrentDirectory(char letter) const;
    void resetCurrentDirectories(); // roots everywhere; the process's one from the host cwd
    std::string expand(const std::string& winPath) const;

    // Queries.
    bool fileExists(const std::string& winPath) const;
    bool directoryExists(const std::string& winPath) const;
    // Windows-1252 names of the visible regular files in `dir` matching `mask`, sorted ignoring
    // ASCII case; nullopt when the directory can't be listed.
    std::optional<std::vector<std::string>> listFiles(const std::string& dir, const std::string& mask) const;
    std::optional<std::vector<std::string>> listDirectories(const std::string& dir) const;
    // Both paths name one directory entry: the same file, not two hard links of it (so a change of
    // letter case only, on any file system).
    bool sameEntry(const std::string& a, const std::string& b) const;

    // The Windows calls.
    bool CopyFileA(const std::string& from, const std::string& to, bool failIfExists);
    bool MoveFileA(const std::string& from, const std::string& to); // never replaces another file
    bool DeleteFileA(const std::string& path);                      // files only
    bool CreateDirectoryA(const std::string& path);                 // one level; false if it exists

    // Case-blind lookups trust what they read of a directory for a moment; before a decision that
    // must see what other programs did meanwhile (a name in use), the program calls this.
    void forgetListings() const;

    // Partial files that copies killed part-way left in `dir` (a scan calls this); returns how many
    // were removed. Copies still running, here or in another instance, keep theirs.
    int removeAbandonedPartials(const std::string& dir);

    // Whole files. readFile refuses a file over 64 MiB (errno EFBIG) rather than allocate its size.
    std::optional<HeaderRead> readHeader(const std::string& path, std::size_t n) const;
    std::optional<std::string> readFile(const std::string& path) const;
    bool writeFileAtomic(const std::string& path, std::string_view bytes);

    // Fault injection for tests.
    void injectFault(const Fault& fault);
    void clearFaults();

private:
    FileSystem();

    WinPath absolute(const std::string& winPath) const;
    std::optional<std::string> readyRoot(char letter) const;
    std::optional<std::string> mappedRoot(char letter) const;
    std::optional<ResolvedPath> resolve(const std::string& winPath) const;
    std::optional<FaultHit> takeFault(Fault::Op op, std::initializer_list<std::string_view> winPaths) const;
    std::optional<std::vector<std::string>> list(const std::string& dir, bool directories,
        const std::string& mask) const;
    UniqueFd openForReading(const std::string& winPath, struct stat& st) const;
    bool moveByCopy(const ResolvedPath& from, const ResolvedPath& to, const std::optional<FaultHit>& fault);
    bool copyData(const std::string& fromHost, const struct stat& fromStat, const std::string& toHost,
        bool replace, const std::optional<FaultHit>& fault);

    DriveMap m_drives;
    std::string m_currentDirectory { "C:\\" };
    std::map<char, std::string> m_driveDirectories;
    // Touched by const queries too: a fault can hit a read, and a drive can vanish under it.
    mutable FaultInjector m_faults;
    mutable std::set<char> m_goneDrives;
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
