// SPDX-License-Identifier: MIT
#include "tests/support/exfat_volume.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

bool run(const std::string& command)
{
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

// The first line a command prints, or nothing when it fails.
std::string firstLine(const std::string& command)
{
    std::FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r");
    if (!pipe)
        return {};
    char buffer[256] = {};
    std::string line = std::fgets(buffer, sizeof buffer, pipe) ? buffer : "";
    if (::pclose(pipe) != 0)
        return {};
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    return line;
}

bool exists(const char* path)
{
    struct stat st {};
    return ::stat(path, &st) == 0;
}

}

ExfatVolume::ExfatVolume(std::string mountDir, int megabytes)
    : m_mountDir(std::move(mountDir))
{
    m_mounted = prepare(megabytes);
}

bool ExfatVolume::prepare(int megabytes)
{
    if (::geteuid() != 0) {
        m_whyNot = "exFAT volume skipped: loop devices need root";
        return false;
    }
    if (!exists("/dev/loop-control") || !exists("/dev/fuse")) {
        m_whyNot = "exFAT volume skipped: no loop devices or no FUSE on this machine";
        return false;
    }
    if (!run("command -v mkfs.exfat") || !run("command -v mount.exfat-fuse") || !run("command -v losetup")) {
        m_whyNot = "exFAT volume skipped: mkfs.exfat, mount.exfat-fuse or losetup missing (scripts/deps installs them)";
        return false;
    }
    m_image = m_mountDir + ".exfat.img";
    std::filesystem::create_directories(m_mountDir);
    if (!run("truncate -s " + std::to_string(megabytes) + "M '" + m_image + "'") || !run("mkfs.exfat '" + m_image + "'")) {
        m_whyNot = "exFAT volume skipped: could not make the image";
        return false;
    }
    m_device = firstLine("losetup -f --show '" + m_image + "'");
    if (m_device.empty()) {
        m_whyNot = "exFAT volume skipped: no free loop device";
        return false;
    }
    if (!run("mount.exfat-fuse '" + m_device + "' '" + m_mountDir + "'")) {
        m_whyNot = "exFAT volume skipped: mounting with exfat-fuse failed";
        return false;
    }
    return true;
}

ExfatVolume::~ExfatVolume()
{
    if (m_mounted)
        run("umount '" + m_mountDir + "'");
    if (!m_device.empty())
        run("losetup -d '" + m_device + "'");
    if (!m_image.empty())
        std::remove(m_image.c_str());
}
