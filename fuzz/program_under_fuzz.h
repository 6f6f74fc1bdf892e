// SPDX-License-Identifier: MIT
#pragma once

#include "tests/support/program.h"

#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <unistd.h>

// The whole program, started once on temporary drives for a fuzz target that feeds it one input at
// a time: the archive in d:\roms with its RAM files in d:\ram, the Zip disk on z:. Kept for the
// whole run and never torn down, as the program's own window is.
inline Program& programUnderFuzz()
{
    static Program* program = [] {
        // Temporary drives on tmpfs where there is one: inputs are written as files.
        if (!std::getenv("TMPDIR"))
            ::setenv("TMPDIR", "/dev/shm", 0);
        auto* p = new Program;
        p->drives.write("d:\\roms\\.keep", "");
        p->drives.write("d:\\ram\\.keep", "");
        p->settings({ "z:\\", "d:\\roms\\", "d:\\ram\\", "-", "1" });
        p->startAndSettle();
        return p;
    }();
    return *program;
}

// The program starts before the first input, so its start-up is no input's time.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    programUnderFuzz();
    return 0;
}

// Writes a new file where a Windows path names one on the temporary drives, so an input can be
// removed again without touching what was there; a path Windows can't spell, or a name in use, is
// no file. Returns the host path written, or "".
inline std::string writeInput(Program& p, const std::string& winPath, std::string_view bytes)
{
    auto host = p.drives.files().hostPath(winPath);
    if (!host || host->empty())
        return {};
    int fd = ::open(host->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return {};
    bool whole = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    ::close(fd);
    if (!whole)
        ::unlink(host->c_str());
    return whole ? *host : std::string();
}
