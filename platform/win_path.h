// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A Windows path taken apart lexically: "d:roms", "\x\y", "C:\a\..\b". Nothing here touches the disk.
// `.` components vanish and `..` removes the one before it; on a rooted path it stops at the root,
// on a relative one it is kept until the path is joined to a base.
class WinPath {
public:
    static WinPath parse(std::string_view text);

    char drive() const { return m_drive; } // 'a'..'z', or 0 when the text names no drive
    bool rooted() const { return m_rooted; }
    bool absolute() const { return m_drive != 0 && m_rooted; }
    const std::vector<std::string>& parts() const { return m_parts; }

    // This path completed from `base` (an absolute path): drive and leading directories come from
    // the base where this path leaves them out.
    WinPath resolvedAgainst(const WinPath& base) const;
    WinPath withDrive(char letter) const;

    // "X:\a\b": upper-case letter, no trailing backslash except at the root.
    std::string text() const;

private:
    void append(std::string_view part);

    char m_drive { 0 };
    bool m_rooted { false };
    std::vector<std::string> m_parts;
};

}
