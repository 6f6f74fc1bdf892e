// SPDX-License-Identifier: MIT
// drives.ini, whatever it holds: the pins read from it, the drive map built from them and the
// Windows paths that map gives host paths. Inputs are kept to 512 bytes (drive_pins.flags): room
// for a full map of short lines or a few long paths; the reading is line by line, so longer inputs
// only repeat lines while every run gets slower.
#include "platform/drive_map.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

const std::string& iniPath()
{
    static const std::string path = [] {
        const char* tmp = std::getenv("TMPDIR");
        return std::string(tmp && *tmp ? tmp : "/dev/shm") + "/tavisco-fuzz-drives-" + std::to_string(::getpid()) + ".ini";
    }();
    return path;
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using platform::DriveMap;
    if (std::FILE* file = std::fopen(iniPath().c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    auto pins = DriveMap::readPins(iniPath(), "/home/alice/tavisco");
    DriveMap map;
    map.mapStandard("/home/alice", { "/media/alice/ZIP-100", "/mnt/card" }, pins);
    for (char letter : map.letters()) {
        auto dir = map.hostDir(letter);
        if (!dir || dir->empty() || (*dir)[0] != '/')
            std::abort(); // every mapped directory is an absolute host path
        // A path under it maps back to a letter: its own, or one pinned deeper inside it.
        auto back = map.longestPrefix(DriveMap::normalHostPath(*dir + "/roms/a.v64"));
        if (!back || (back->first == letter && back->second != "roms/a.v64"))
            std::abort();
    }
    for (const auto& pin : pins)
        (void)map.longestPrefix(DriveMap::normalHostPath(pin.hostDir + "/../x", "/"));
    return 0;
}
