// SPDX-License-Identifier: MIT
#include "platform/volume_space.h"

#include "platform/posix_io.h"

#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/statvfs.h>

namespace platform {

namespace {

// mountinfo writes blanks, tabs, newlines and backslashes in a path as three octal digits.
std::string unescapeMountPath(const std::string& field)
{
    auto octal = [&](std::size_t i) { return i < field.size() && field[i] >= '0' && field[i] <= '7'; };
    std::string path;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && octal(i + 1) && octal(i + 2) && octal(i + 3)) {
            path += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
            i += 3;
        } else {
            path += field[i];
        }
    }
    return path;
}

bool listedAsMountPoint(const std::string& realDir)
{
    std::ifstream mounts("/proc/self/mountinfo");
    std::string line;
    while (std::getline(mounts, line)) {
        std::istringstream fields(line);
        std::string id, parent, device, root, mountPoint;
        if (fields >> id >> parent >> device >> root >> mountPoint && unescapeMountPath(mountPoint) == realDir)
            return true;
    }
    return false;
}

}

bool VolumeSpace::isMountPoint(const std::string& hostDir)
{
    char resolved[PATH_MAX];
    if (!::realpath(hostDir.c_str(), resolved))
        return false;
    std::string dir = resolved;
    struct stat self {}, parent {};
    if (::stat(dir.c_str(), &self) != 0 || !S_ISDIR(self.st_mode))
        return false;
    if (dir == "/")
        return true;
    if (::stat(parentOf(dir).c_str(), &parent) != 0)
        return false;
    return self.st_dev != parent.st_dev || listedAsMountPoint(dir);
}

std::optional<VolumeSpace> VolumeSpace::ofMountPoint(const std::string& hostDir)
{
    struct statvfs vfs {};
    if (!isMountPoint(hostDir) || ::statvfs(hostDir.c_str(), &vfs) != 0)
        return std::nullopt;
    std::uint64_t unit = vfs.f_frsize ? vfs.f_frsize : vfs.f_bsize;
    VolumeSpace space;
    space.capacity = static_cast<std::uint64_t>(vfs.f_blocks) * unit;
    space.available = static_cast<std::uint64_t>(vfs.f_bavail) * unit;
    space.used = static_cast<std::uint64_t>(vfs.f_blocks - vfs.f_bfree) * unit;
    return space;
}

}
