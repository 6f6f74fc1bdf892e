// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue/text.h"
#include "tests/support/program.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

// An archive in d:\roms with its RAM files in d:\ram, and an empty Zip disk on z:.
class ArchiveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        p.drives.write("d:\\roms\\.keep", "");
        p.drives.write("d:\\ram\\.keep", "");
        p.settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", "-", "1" });
    }

    static constexpr std::uint64_t mbit(std::uint64_t n) { return n * 131072; }

    // The cells of the row that lists fileName; empty when no row does.
    static std::vector<std::string> rowOf(const tk::TStringGrid* grid, const std::string& fileName)
    {
        for (const auto& row : Program::rows(grid))
            if (row.size() > 5 && row[5] == fileName)
                return row;
        return {};
    }

    static std::vector<std::string> errorRow() { return { "Error !!!", "", "", "", "", "", "" }; }
    static std::vector<std::string> emptyRow() { return std::vector<std::string>(7); }

    Program p;
};
