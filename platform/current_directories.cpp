// SPDX-License-Identifier: MIT
#include "platform/current_directories.h"

#include "platform/ascii.h"

namespace platform {

std::string CurrentDirectories::ofDrive(char letter) const
{
    auto it = m_ofDrive.find(asciiLower(letter));
    return it != m_ofDrive.end() ? it->second : std::string(1, asciiUpper(letter)) + ":\\";
}

void CurrentDirectories::set(const std::string& winPath)
{
    WinPath path = absolute(winPath);
    std::string text = path.text();
    if (winPath.size() >= 2 && winPath[1] == ':')
        text[0] = winPath[0];
    m_current = text;
    m_ofDrive[path.drive()] = text;
}

void CurrentDirectories::forgetDrive(char letter)
{
    m_ofDrive.erase(asciiLower(letter));
}

void CurrentDirectories::reset()
{
    m_ofDrive.clear();
    m_current = "C:\\";
}

WinPath CurrentDirectories::absolute(const std::string& winPath) const
{
    WinPath path = WinPath::parse(winPath);
    if (path.absolute())
        return path;
    WinPath current = WinPath::parse(m_current);
    if (!path.drive() || path.drive() == current.drive())
        return path.resolvedAgainst(current);
    return path.resolvedAgainst(WinPath::parse(ofDrive(path.drive())));
}

}
