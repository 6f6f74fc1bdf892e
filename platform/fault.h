#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace platform {

// A failure the file system is told to produce, so tests can walk every failure path on real files.
struct Fault {
    enum class Op { Copy, Move, Delete, CreateDirectory, Open, List, Write };
    enum class Kind {
        Refuse,    // the call fails at the step that would make its change visible
        DiskFull,  // data writes fail with ENOSPC after `bytesBeforeFailure` bytes
        DriveGone, // the drive letter stops resolving from this call on
    };

    // Positional like the fields, so `{ Op::Copy, Kind::DiskFull, "z:", 1, 4096 }` can stop anywhere
    // without tripping -Wmissing-field-initializers.
    Fault() = default;
    Fault(Op op, Kind kind = Kind::Refuse, std::string pathContains = {}, int times = -1,
        std::uint64_t bytesBeforeFailure = 0)
        : op(op)
        , kind(kind)
        , pathContains(std::move(pathContains))
        , times(times)
        , bytesBeforeFailure(bytesBeforeFailure)
    {
    }

    Op op = Op::Copy;
    Kind kind = Kind::Refuse;
    std::string pathContains; // matched against the Windows path, ignoring case; empty matches any
    int times = -1;           // how many calls it hits; -1 = every call
    std::uint64_t bytesBeforeFailure = 0;
};

}
