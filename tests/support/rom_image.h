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
    bool byteSwapped = false;

    std::string header() const; // 64 bytes, in the image's byte order
    void writeTo(const std::string& hostPath) const;
};

void writeRom(TempDrives& drives, const std::string& winPath, const RomImage& rom); // parent dirs created
