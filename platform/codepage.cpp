// SPDX-License-Identifier: MIT
#include "platform/codepage.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace platform {

namespace {

// Code points of bytes 0x80..0x9F; the undefined ones keep their C1 code point.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t codePointOf(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls[byte - 0x80];
    return byte;
}

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::optional<unsigned char> cp1252ByteOf(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<unsigned char>(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == cp)
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

struct Decoded {
    char32_t cp = 0;
    std::size_t length = 0; // 0: malformed
};

// Strict decoding: overlong forms, surrogates and values past U+10FFFF are malformed.
Decoded decodeUtf8(std::string_view s, std::size_t at)
{
    auto lead = static_cast<unsigned char>(s[at]);
    std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || at + length > s.size())
        return {};
    char32_t cp = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (std::size_t i = 1; i < length; ++i) {
        auto next = static_cast<unsigned char>(s[at + i]);
        if ((next & 0xC0) != 0x80)
            return {};
        cp = (cp << 6) | (next & 0x3F);
    }
    static constexpr char32_t kSmallest[] = { 0, 0, 0x80, 0x800, 0x10000 };
    if (cp < kSmallest[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return {};
    return { cp, length };
}

// Names are nearly always plain ASCII, which is the same text in both encodings.
bool isAscii(std::string_view text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

}

std::string cp1252ToUtf8(std::string_view bytes)
{
    if (isAscii(bytes))
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes)
        appendUtf8(out, codePointOf(static_cast<unsigned char>(c)));
    return out;
}

std::string utf8ToCp1252(std::string_view utf8)
{
    if (isAscii(utf8))
        return std::string(utf8);
    std::string out;
    out.reserve(utf8.size());
    std::size_t at = 0;
    while (at < utf8.size()) {
        Decoded d = decodeUtf8(utf8, at);
        if (d.length == 0) {
            out += '?';
            ++at;
            continue;
        }
        auto byte = cp1252ByteOf(d.cp);
        out += byte ? static_cast<char>(*byte) : '?';
        at += d.length;
    }
    return out;
}

std::string listedName(std::string_view utf8)
{
    std::string name = utf8ToCp1252(utf8);
    std::replace(name.begin(), name.end(), '\\', '?');
    return name;
}

}
