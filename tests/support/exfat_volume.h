// SPDX-License-Identifier: MIT
#pragma once

#include <string>

// A real exFAT file system (an image on a loop device, mounted with exfat-fuse) over a directory,
// for the duration of a test: removable media are FAT or exFAT, which ignore letter case and keep
// no permissions. Needs root, loop devices and FUSE; where they are missing, mounted() is false and
// whyNot() says what is missing, so the test can skip with that line.
class ExfatVolume {
public:
    explicit ExfatVolume(std::string mountDir, int megabytes = 32);
    ~ExfatVolume();
    ExfatVolume(const ExfatVolume&) = delete;
    ExfatVolume& operator=(const ExfatVolume&) = delete;

    bool mounted() const { return m_mounted; }
    const std::string& whyNot() const { return m_whyNot; }

private:
    bool prepare(int megabytes);

    std::string m_mountDir;
    std::string m_image;
    std::string m_device;
    bool m_mounted { false };
    std::string m_whyNot;
};
