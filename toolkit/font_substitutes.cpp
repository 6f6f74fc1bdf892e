// SPDX-License-Identifier: MIT
#include "toolkit/font_substitutes.h"

#include "platform/ascii.h"

#include <array>
#include <utility>

namespace tk {

namespace {

constexpr const char* defaultFace = "Liberation Sans";

constexpr std::array<std::pair<const char*, const char*>, 9> substitutes { {
    { "Arial", "Liberation Sans" },
    { "Helvetica", "Liberation Sans" },
    { "MS Sans Serif", "Liberation Sans" },
    { "Microsoft Sans Serif", "Liberation Sans" },
    { "Tahoma", "DejaVu Sans" },
    { "Verdana", "DejaVu Sans" },
    { "Times New Roman", "Liberation Serif" },
    { "Courier New", "Liberation Mono" },
    { "Courier", "Liberation Mono" },
} };

}

std::string substituteFace(const std::string& face)
{
    for (const auto& [classic, installed] : substitutes) {
        if (platform::equalIgnoringAsciiCase(face, classic) || platform::equalIgnoringAsciiCase(face, installed))
            return installed;
    }
    return defaultFace;
}

}
