// SPDX-License-Identifier: MIT
#include "platform/program_path.h"

#include <cstdlib>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

std::optional<std::string> programOnPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    if (name.empty() || name.find('/') != std::string::npos || !path)
        return std::nullopt;
    std::stringstream dirs(path);
    for (std::string dir; std::getline(dirs, dir, ':');) {
        if (dir.empty() || dir[0] != '/')
            continue;
        std::string candidate = dir + "/" + name;
        struct stat st {};
        if (::stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return std::nullopt;
}

}
