// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

class TempDrives;

// A synthetic cartridge image: a real 64-byte header, the rest a hole in a sparse file, so even
// a 64 MiB image costs nothing.
struct RomImage {
    std::string title = "TEST GAME";
    char country = 'E';
    std::string id = "TG";
    std::uint64_t size = 8 * 1024 * 1024;
    bool byteSwapped = false;  // 16-bit words exchanged: 37 80 40 12 ...
    bool littleEndian = false; // 32-bit words reversed: 40 12 37 80 ...

    std::string header() const; // 64 bytes, in the image's byte order
    void writeTo(const std::string& hostPath) const;
};

void writeRom(TempDrives& drives, const std::string& winPath, const RomImage& rom); // parent dirs created
