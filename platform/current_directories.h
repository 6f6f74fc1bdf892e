// SPDX-License-Identifier: MIT
#pragma once

#include "platform/win_path.h"

#include <map>
#include <string>

namespace platform {

// The process's current directory and each drive's own, as Windows paths ("C:\" at a root, else
// "D:\roms\n64"), and relative paths completed from them. Nothing here looks at the disk: the
// caller makes sure a directory exists before it becomes current.
class CurrentDirectories {
public:
    const std::string& current() const { return m_current; }
    std::string ofDrive(char letter) const; // its root until one was set

    // Kept as it was given, letter case included, as Windows does: the program compares the
    // directory it set with the one it reads back.
    void set(const std::string& winPath);
    void forgetDrive(char letter); // back to its root
    void reset();                  // roots everywhere, the process at "C:\"

    WinPath absolute(const std::string& winPath) const;

private:
    std::string m_current { "C:\\" };
    std::map<char, std::string> m_ofDrive;
};

}
