#include "toolkit/font_substitutes.h"

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

bool equalIgnoringCase(const std::string& a, const char* b)
{
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return i == a.size() && !b[i];
}

}

std::string substituteFace(const std::string& face)
{
    for (const auto& [classic, installed] : substitutes) {
        if (equalIgnoringCase(face, classic) || equalIgnoringCase(face, installed))
            return installed;
    }
    return defaultFace;
}

}
