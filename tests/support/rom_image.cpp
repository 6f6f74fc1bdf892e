// SPDX-License-Identifier: MIT
#include "tests/support/rom_image.h"

#include "tests/support/temp_drives.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>
#include <utility>

namespace {

constexpr std::size_t kHeaderSize = 64;
constexpr std::size_t kTitleAt = 32;
constexpr std::size_t kTitleLength = 20;
constexpr std::size_t kIdAt = 60;
constexpr std::size_t kCountryAt = 62;

}

std::string RomImage::header() const
{
    std::string h(kHeaderSize, '\0');
    h[0] = '\x80';
    h[1] = '\x37';
    h[2] = '\x12';
    h[3] = '\x40';
    std::string titleField = title.substr(0, kTitleLength);
    titleField.resize(kTitleLength, ' ');
    h.replace(kTitleAt, kTitleLength, titleField);
    h.replace(kIdAt, std::min<std::size_t>(id.size(), 2), id.substr(0, 2));
    h[kCountryAt] = country;
    if (byteSwapped) {
        for (std::size_t i = 0; i + 1 < h.size(); i += 2)
            std::swap(h[i], h[i + 1]);
    }
    if (littleEndian) {
        for (std::size_t i = 0; i + 3 < h.size(); i += 4)
            std::reverse(h.begin() + static_cast<std::ptrdiff_t>(i), h.begin() + static_cast<std::ptrdiff_t>(i + 4));
    }
    return h;
}

void RomImage::writeTo(const std::string& hostPath) const
{
    int fd = ::open(hostPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        throw std::runtime_error("RomImage: cannot create " + hostPath);
    std::string h = header();
    auto headerBytes = static_cast<std::size_t>(std::min<std::uint64_t>(size, h.size()));
    bool ok = ::write(fd, h.data(), headerBytes) == static_cast<ssize_t>(headerBytes)
        && ::ftruncate(fd, static_cast<off_t>(size)) == 0;
    ::close(fd);
    if (!ok)
        throw std::runtime_error("RomImage: cannot write " + hostPath);
}

void writeRom(TempDrives& drives, const std::string& winPath, const RomImage& rom)
{
    std::string path = drives.host(winPath);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    rom.writeTo(path);
}
