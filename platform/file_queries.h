// SPDX-License-Identifier: MIT
#pragma once

#include "platform/fault_injector.h"
#include "platform/path_resolver.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>
#include <sys/stat.h>

namespace platform {

// A file's length and when it was last written (nanoseconds since the epoch).
struct FileState {
    std::uint64_t length = 0;
    std::int64_t modified = 0;
};

// What the program asks of files and directories without changing them. Only listings can be
// faulted; a listing's fault can pull its drive out, which is why the injector is not const here.
class FileQueries {
public:
    FileQueries(const PathResolver& resolver, FaultInjector& faults);

    bool fileExists(const std::string& winPath) const;
    bool directoryExists(const std::string& winPath) const;
    // Windows-1252 names of the visible regular files in `dir` matching `mask`, sorted ignoring
    // ASCII case; nullopt when the directory can't be listed.
    std::optional<std::vector<std::string>> listFiles(const std::string& dir, const std::string& mask) const;
    std::optional<std::vector<std::string>> listDirectories(const std::string& dir) const;
    // Both paths name one directory entry: the same file, not two hard links of it (so a change of
    // letter case only, on any file system).
    bool sameEntry(const std::string& a, const std::string& b) const;
    // The Windows-1252 name its directory holds an existing entry by: the name as given where it
    // exists so spelled (a file system that ignores case answers every spelling), else the entry
    // found ignoring case. nullopt when nothing is there.
    std::optional<std::string> nameOnDisk(const std::string& winPath) const;
    // nullopt when the path names no regular file.
    std::optional<FileState> fileState(const std::string& winPath) const;
    // When an entry was last added to, removed from or renamed in the directory (nanoseconds);
    // nullopt when the path names no directory.
    std::optional<std::int64_t> folderChanged(const std::string& winDir) const;

private:
    std::optional<struct stat> hostStat(const std::string& winPath) const;
    std::optional<std::vector<std::string>> list(const std::string& dir, bool directories,
        const std::string& mask) const;

    const PathResolver& m_resolver;
    FaultInjector& m_faults;
};

}
