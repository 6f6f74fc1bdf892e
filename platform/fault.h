// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace platform {

// A failure the file system is told to produce, so tests can walk every failure path on real files.
struct Fault {
    enum class Op { Copy, Move, Delete, CreateDirectory, Open, List, Write };
    // Copies and whole-file writes really write their temporary file before a fault stops them, so
    // the clean-up is what gets tested. Calls that write no data (delete, create directory, open,
    // list) simply fail, whatever the kind; a move hit by DiskFull goes the copy-and-delete way.
    enum class Kind {
        Refuse,    // the call fails at the step that would make its change visible
        DiskFull,  // data writes fail with ENOSPC after `bytesBeforeFailure` bytes
        DriveGone, // the drive stops resolving from this call on (writes fail with EIO after
                   // `bytesBeforeFailure` bytes); clearFaults() or setDrive() brings it back
        Slow,      // a copy or whole-file write succeeds, its data going at `bytesPerSecond`
                   // (a slow medium); meant for those two calls only, any other call it hits fails
    };

    // A copy whose data goes at this pace, as onto a slow stick.
    static Fault slowed(Op op, std::uint64_t bytesPerSecond, std::string pathContains = {})
    {
        Fault fault(op, Kind::Slow, std::move(pathContains));
        fault.bytesPerSecond = bytesPerSecond;
        return fault;
    }

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
    std::uint64_t bytesPerSecond = 0;
};

}
