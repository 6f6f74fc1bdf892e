// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

namespace platform {

// The program a bare name means, found as a desktop launcher finds it: the first executable
// regular file of that name in the directories of PATH, as a host path. Entries of PATH that are
// empty or relative are passed over, since they would find a program in whatever folder is current.
std::optional<std::string> programOnPath(const std::string& name);

}
