// SPDX-License-Identifier: MIT
#include "platform/win_path.h"

#include "platform/ascii.h"

#include <algorithm>

namespace platform {

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isSeparator(char c)
{
    return c == '\\' || c == '/';
}

}

WinPath WinPath::parse(std::string_view text)
{
    WinPath path;
    if (text.size() >= 2 && isLetter(text[0]) && text[1] == ':') {
        path.m_drive = asciiLower(text[0]);
        text.remove_prefix(2);
    }
    path.m_rooted = !text.empty() && isSeparator(text.front());
    path.m_parts.reserve(std::size_t(std::count_if(text.begin(), text.end(), isSeparator)) + 1);
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || isSeparator(text[i])) {
            path.append(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return path;
}

void WinPath::append(std::string_view part)
{
    if (part.empty() || part == ".")
        return;
    if (part == "..") {
        if (!m_parts.empty() && m_parts.back() != "..")
            m_parts.pop_back();
        else if (!m_rooted)
            m_parts.emplace_back(part);
        return;
    }
    m_parts.emplace_back(part);
}

WinPath WinPath::resolvedAgainst(const WinPath& base) const
{
    WinPath result;
    result.m_drive = m_drive ? m_drive : base.m_drive;
    result.m_rooted = true;
    if (!m_rooted)
        result.m_parts = base.m_parts;
    for (const std::string& part : m_parts)
        result.append(part);
    return result;
}

WinPath WinPath::withDrive(char letter) const
{
    WinPath result = *this;
    result.m_drive = asciiLower(letter);
    return result;
}

std::string WinPath::text() const
{
    std::string out;
    if (m_drive) {
        out += asciiUpper(m_drive);
        out += ':';
    }
    if (m_rooted)
        out += '\\';
    for (std::size_t i = 0; i < m_parts.size(); ++i) {
        if (i > 0)
            out += '\\';
        out += m_parts[i];
    }
    return out;
}

}
