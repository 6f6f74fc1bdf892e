// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Windows compares file names ignoring the case of ASCII letters only; so does everything here.

inline char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline char asciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string asciiLowerCopy(std::string_view text)
{
    std::string lower(text);
    for (auto& c : lower)
        c = asciiLower(c);
    return lower;
}

inline bool equalIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    }
    return true;
}

// `text` without the `blanks` at either end.
inline std::string trimmed(std::string_view text, std::string_view blanks = " \t\r\n")
{
    auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(blanks) - first + 1));
}

// Ignoring ASCII case, with byte order breaking ties, so the order is total.
inline bool lessIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        auto x = static_cast<unsigned char>(asciiLower(a[i]));
        auto y = static_cast<unsigned char>(asciiLower(b[i]));
        if (x != y)
            return x < y;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

}
