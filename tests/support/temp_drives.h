// SPDX-License-Identifier: MIT
#pragma once

#include "platform/filesystem.h"

#include <string>
#include <string_view>
#include <vector>

// A fresh temporary directory standing in for the machine's drives, and a fresh file system over
// them that the program's calls reach while the object lives: c: is mapped to <tmp>/c and is the
// current directory; more letters come with map(). Everything goes when the object does, and the
// file system that was there before comes back.
class TempDrives {
public:
    TempDrives();
    ~TempDrives();
    TempDrives(const TempDrives&) = delete;
    TempDrives& operator=(const TempDrives&) = delete;

    const std::string& root() const { return m_root; }
    platform::FileSystem& files() { return m_files; }

    std::string map(char letter);                  // creates <tmp>/<letter>, maps it, returns it
    std::string host(const std::string& winPath) const;
    void write(const std::string& winPath, std::string_view bytes); // parent dirs created
    std::string read(const std::string& winPath) const;
    bool exists(const std::string& winPath) const;
    void remove(const std::string& winPath);       // a file or a whole tree
    void removeDrive(char letter);                 // the drive stays mapped but is not ready
    // Every entry of a host directory, hidden ones (temporary files) included, sorted.
    static std::vector<std::string> entries(const std::string& hostDir);

private:
    std::string driveDir(char letter) const;

    std::string m_root;
    platform::FileSystem m_files { platform::DriveMap() };
    platform::FileSystem::Scope m_scope { m_files };
};
