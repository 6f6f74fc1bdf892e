// SPDX-License-Identifier: MIT
#pragma once

#include <ctime>
#include <optional>
#include <string>

// Before a file is replaced with other bytes it is kept whole in a backup folder, as
// <name>.<ext>.<YYYYMMDD-HHMMSS> (local time; "-2", "-3" … when two fall in one second). The copy
// is made crash-safe by the platform's copy, and only the ten newest copies of each file stay.
// Returns the copy's path, or nothing when no copy could be made: then the file must not be
// touched. Missing levels of `folder` are created.
std::optional<std::string> keepBackup(const std::string& file, const std::string& folder,
    std::time_t now = std::time(nullptr));
