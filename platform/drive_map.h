// SPDX-License-Identifier: MIT
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct DrivePin {
    char letter = 0;
    std::string hostDir;
};

// Which host directory stands behind each drive letter. Letters are kept lower case.
class DriveMap {
public:
    // "z=/media/alice/ZIP-100" lines; blank lines and lines starting with ';' or '#' are skipped,
    // relative directories are taken from `baseDir`. A missing file pins nothing.
    static std::vector<DrivePin> readPins(const std::string& iniPath, const std::string& baseDir);
    // One line of such a file, or nothing when it pins nothing.
    static std::optional<DrivePin> pinOf(const std::string& line, const std::string& baseDir);
    // Where the desktop mounts volumes: /media/<user>/, /run/media/<user>/ and /mnt/.
    static std::vector<std::string> volumeParents();
    // Their sub-directories, sorted by path.
    static std::vector<std::string> mountedVolumes();
    // The visible sub-directories of each of `parents`, sorted by path.
    static std::vector<std::string> volumesUnder(const std::vector<std::string>& parents);
    static std::string homeDirectory();

    // c: = "/", d: = home, each volume the next free letter from e:; pins take precedence and
    // their directories leave the automatic list.
    void mapStandard(const std::string& home, const std::vector<std::string>& volumes,
        const std::vector<DrivePin>& pins);
    // The next free letter from e: for a directory that has none yet; nothing when it has one, or
    // when every letter is taken. A letter once taken is never given again.
    std::optional<char> assignVolume(const std::string& hostDir);
    void clear();
    void set(char letter, const std::string& hostDir);

    std::vector<char> letters() const;
    std::optional<std::string> hostDir(char letter) const;
    bool hasDir(const std::string& hostDir) const;
    // The mapped letter whose directory is the longest prefix of `hostPath` (ties: lowest letter),
    // with the remainder of the path ("" or "a/b").
    std::optional<std::pair<char, std::string>> longestPrefix(const std::string& hostPath) const;

    static std::string normalHostPath(const std::string& path, const std::string& baseDir = "/");

private:
    std::map<char, std::string> m_dirs;
};

}
