// SPDX-License-Identifier: MIT
#include "platform/name_mask.h"

#include "platform/ascii.h"

namespace platform {

NameMask::NameMask(std::string_view mask)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i <= mask.size(); ++i) {
        if (i < mask.size() && mask[i] != ';')
            continue;
        std::string pattern = trimmed(mask.substr(start, i - start), " ");
        if (!pattern.empty())
            m_patterns.push_back(pattern == "*.*" ? "*" : pattern);
        start = i + 1;
    }
    if (m_patterns.empty())
        m_patterns.push_back("*");
}

bool NameMask::matches(std::string_view name) const
{
    for (const std::string& pattern : m_patterns) {
        if (globMatch(pattern, name))
            return true;
        std::string_view p = pattern;
        if (p.size() > 2 && p.ends_with(".*") && globMatch(p.substr(0, p.size() - 2), name))
            return true;
    }
    return false;
}

// Iterative matching with one backtrack point: the last `*` seen.
bool NameMask::globMatch(std::string_view pattern, std::string_view name)
{
    std::size_t p = 0, n = 0;
    std::size_t starAt = std::string_view::npos, resumeAt = 0;
    while (n < name.size()) {
        // A star is a wildcard first, even where the name holds a star too.
        if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeAt = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || asciiLower(pattern[p]) == asciiLower(name[n]))) {
            ++p;
            ++n;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

}
