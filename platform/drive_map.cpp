// SPDX-License-Identifier: MIT
#include "platform/drive_map.h"

#include "platform/ascii.h"
#include "platform/posix_io.h"

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// 'a'..'z' for a letter of either case, 0 for anything else.
char lowerLetter(char c)
{
    c = asciiLower(c);
    return (c >= 'a' && c <= 'z') ? c : 0;
}

std::string userName()
{
    if (const passwd* pw = getpwuid(geteuid()))
        return pw->pw_name;
    const char* user = std::getenv("USER");
    return user ? user : "";
}

// The visible sub-directories of `parent`, as far as it can be listed: a mount folder that can't
// be read, or stops part-way (a medium going bad), gives what it gave and the scan goes on.
void addSubdirectories(const std::string& parent, std::vector<std::string>& out)
{
    std::unique_ptr<DIR, int (*)(DIR*)> handle(::opendir(parent.c_str()), ::closedir);
    if (!handle)
        return;
    while (const dirent* entry = ::readdir(handle.get())) {
        if (entry->d_name[0] == '.')
            continue;
        struct stat st {};
        bool directory = entry->d_type == DT_DIR
            || ((entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK)
                && ::fstatat(::dirfd(handle.get()), entry->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode));
        if (directory)
            out.push_back(joinHost(parent, entry->d_name));
    }
}

}

std::optional<DrivePin> DriveMap::pinOf(const std::string& rawLine, const std::string& baseDir)
{
    std::string line = trimmed(rawLine);
    if (line.empty() || line[0] == ';' || line[0] == '#')
        return std::nullopt;
    auto eq = line.find('=');
    if (eq == std::string::npos)
        return std::nullopt;
    std::string key = trimmed(line.substr(0, eq));
    if (key.size() == 2 && key[1] == ':')
        key.pop_back();
    std::string dir = trimmed(line.substr(eq + 1));
    if (key.size() != 1 || !lowerLetter(key[0]) || dir.empty())
        return std::nullopt;
    return DrivePin { lowerLetter(key[0]), normalHostPath(dir, baseDir) };
}

std::string DriveMap::normalHostPath(const std::string& path, const std::string& baseDir)
{
    std::filesystem::path p(path);
    if (p.is_relative())
        p = std::filesystem::path(baseDir) / p;
    std::string s = p.lexically_normal().string();
    while (s.size() > 1 && s.back() == '/')
        s.pop_back();
    return s;
}

std::vector<DrivePin> DriveMap::readPins(const std::string& iniPath, const std::string& baseDir)
{
    std::vector<DrivePin> pins;
    std::ifstream in(iniPath);
    std::string line;
    while (std::getline(in, line)) {
        if (auto pin = pinOf(line, baseDir))
            pins.push_back(*pin);
    }
    return pins;
}

std::string DriveMap::homeDirectory()
{
    const char* home = std::getenv("HOME");
    if (home && *home)
        return home;
    const passwd* pw = getpwuid(geteuid());
    return pw ? pw->pw_dir : "/";
}

std::vector<std::string> DriveMap::volumeParents()
{
    std::vector<std::string> parents;
    std::string user = userName();
    if (!user.empty()) {
        parents.push_back("/media/" + user);
        parents.push_back("/run/media/" + user);
    }
    parents.push_back("/mnt");
    return parents;
}

std::vector<std::string> DriveMap::mountedVolumes()
{
    return volumesUnder(volumeParents());
}

std::vector<std::string> DriveMap::volumesUnder(const std::vector<std::string>& parents)
{
    std::vector<std::string> volumes;
    for (const std::string& parent : parents)
        addSubdirectories(parent, volumes);
    std::sort(volumes.begin(), volumes.end());
    return volumes;
}

void DriveMap::mapStandard(const std::string& home, const std::vector<std::string>& volumes,
    const std::vector<DrivePin>& pins)
{
    m_dirs.clear();
    set('c', "/");
    set('d', home);
    for (const DrivePin& pin : pins)
        set(pin.letter, pin.hostDir);
    for (const std::string& volume : volumes)
        assignVolume(volume);
}

std::optional<char> DriveMap::assignVolume(const std::string& hostDir)
{
    std::string dir = normalHostPath(hostDir);
    if (hasDir(dir))
        return std::nullopt;
    for (char letter = 'e'; letter <= 'z'; ++letter) {
        if (!m_dirs.count(letter)) {
            m_dirs[letter] = dir;
            return letter;
        }
    }
    return std::nullopt;
}

void DriveMap::clear()
{
    m_dirs.clear();
}

void DriveMap::set(char letter, const std::string& hostDir)
{
    if (char l = lowerLetter(letter))
        m_dirs[l] = normalHostPath(hostDir);
}

std::vector<char> DriveMap::letters() const
{
    std::vector<char> out;
    for (const auto& [letter, dir] : m_dirs)
        out.push_back(letter);
    return out;
}

std::optional<std::string> DriveMap::hostDir(char letter) const
{
    auto it = m_dirs.find(lowerLetter(letter));
    if (it == m_dirs.end())
        return std::nullopt;
    return it->second;
}

bool DriveMap::hasDir(const std::string& hostDir) const
{
    std::string dir = normalHostPath(hostDir);
    return std::any_of(m_dirs.begin(), m_dirs.end(), [&](const auto& entry) { return entry.second == dir; });
}

std::optional<std::pair<char, std::string>> DriveMap::longestPrefix(const std::string& hostPath) const
{
    std::optional<std::pair<char, std::string>> best;
    std::size_t bestLength = 0;
    for (const auto& [letter, dir] : m_dirs) {
        bool isRoot = dir == "/";
        bool under = hostPath == dir || (hostPath.starts_with(dir) && (isRoot || hostPath[dir.size()] == '/'));
        if (!under || (best && dir.size() <= bestLength))
            continue;
        std::string rest = hostPath.size() > dir.size() ? hostPath.substr(isRoot ? 1 : dir.size() + 1) : "";
        best = std::make_pair(letter, rest);
        bestLength = dir.size();
    }
    return best;
}

}
