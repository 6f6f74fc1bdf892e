// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace tk {

// The installed face that stands in for a classic face name (case-insensitive); unknown names
// get the sans-serif default.
std::string substituteFace(const std::string& face);

}
