// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// The size of a mounted volume, for a directory that is the volume's root: what a removable
// medium really holds, where a folder standing in for one has no size of its own.
struct VolumeSpace {
    std::uint64_t capacity { 0 }; // bytes the file system has
    std::uint64_t available { 0 }; // bytes an unprivileged writer may still fill
    std::uint64_t used { 0 };      // bytes in use, by any program's files

    // nullopt unless `hostDir` is a mount point: its device differs from its parent's, or it is
    // listed in /proc/self/mountinfo (a bind mount of the same device).
    static std::optional<VolumeSpace> ofMountPoint(const std::string& hostDir);
    static bool isMountPoint(const std::string& hostDir);
};

}
