// SPDX-License-Identifier: MIT
#pragma once

#include "platform/drive_map.h"

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Gives mounted volumes their drive letters and keeps them. The first letter a volume (a mount
// folder) gets is written into drives.ini as a pin, so that letter names the same volume at every
// later start, whatever else is mounted first; while the volume is away its letter is a drive
// without a disk. The pins a user wrote are left exactly as they are.
class VolumeLetters {
public:
    explicit VolumeLetters(DriveMap& drives);

    // From now on volumes are the sub-directories of `parents`, and the letters they get are
    // remembered in `iniPath` ("" remembers nothing).
    void watch(std::vector<std::string> parents, std::string iniPath);
    // No more volumes are looked for.
    void stop();
    bool watching() const { return !m_parents.empty(); }

    // Gives a letter to each volume mounted since the last look, in path order, and remembers it;
    // returns how many got one.
    int notice();

    // The text of a drives.ini with `pins` added below the comment that marks the ones the program
    // wrote (the comment too, the first time). Every other line stays as it was, in its place.
    static std::string withPins(std::string_view text, const std::vector<DrivePin>& pins);
    static const char* const addedComment;

private:
    void remember(const std::vector<DrivePin>& pins) const;

    DriveMap& m_drives;
    std::vector<std::string> m_parents;
    std::string m_iniPath;
};

}
