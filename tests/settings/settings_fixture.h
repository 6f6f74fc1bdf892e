// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue/text.h"
#include "tests/support/program.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

// Lines as the settings file holds them, each one ended by CR LF.
inline std::string crlf(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

// Drive letters are the file system's to spell; the rest of a path is compared exactly.
inline std::string folded(const std::string& path)
{
    return lowerAZ(path.substr(0, 1)) + path.substr(std::min<std::size_t>(1, path.size()));
}

// The program started from c:\tavisco (where tavisco.ini lives), an archive in d:\roms with its RAM
// files in d:\ram, and an empty Zip disk on z:.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        p.startIn("c:\\tavisco");
        p.drives.write("d:\\roms\\.keep", "");
        p.drives.write("d:\\ram\\.keep", "");
    }

    std::string iniFile() const { return p.startDir() + "tavisco.ini"; }
    std::string iniText() const { return p.drives.read(iniFile()); }
    void writeIni(const std::string& bytes) { p.drives.write(iniFile(), bytes); }
    Program p;
};
