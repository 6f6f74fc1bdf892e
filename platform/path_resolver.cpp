// SPDX-License-Identifier: MIT
#include "platform/path_resolver.h"

#include "platform/ascii.h"
#include "platform/codepage.h"
#include "platform/posix_io.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <memory>
#include <string_view>
#include <unistd.h>

namespace platform {

namespace {

// One level deeper into a path being resolved: the entry on disk, or the given name where none is.
void descend(ResolvedPath& path, const std::string& name, const std::string& onDisk)
{
    path.parent = path.host;
    path.givenName = name;
    path.names.push_back(onDisk.empty() ? name : onDisk);
    path.host = joinHost(path.host, path.names.back());
}

// A name Windows can spell; `listed` lets it hold the '?' a listing put where a host name had a
// character Windows can't hold.
bool validComponent(std::string_view part, bool listed = false)
{
    for (char c : part) {
        switch (c) {
        case '?':
            if (!listed)
                return false;
            break;
        case '<': case '>': case ':': case '"': case '|': case '*':
            return false;
        default:
            if (static_cast<unsigned char>(c) < 0x20)
                return false;
        }
    }
    return true;
}

bool listedComponent(std::string_view part)
{
    return part.find('?') != std::string_view::npos && validComponent(part, true);
}

}

PathResolver::PathResolver(const DriveMap& drives, VolumeLetters& volumes, const CurrentDirectories& directories,
    const FaultInjector& faults)
    : m_drives(drives)
    , m_volumes(volumes)
    , m_directories(directories)
    , m_faults(faults)
{
}

std::optional<std::string> PathResolver::mappedRoot(char letter) const
{
    letter = asciiLower(letter);
    auto dir = m_drives.hostDir(letter);
    if (!dir && m_volumes.notice() > 0)
        dir = m_drives.hostDir(letter);
    if (!dir || m_faults.driveGone(letter))
        return std::nullopt;
    return dir;
}

std::optional<std::string> PathResolver::readyRoot(char letter) const
{
    auto dir = mappedRoot(letter);
    struct stat st {};
    if (!dir || ::stat(dir->c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || ::access(dir->c_str(), R_OK | X_OK) != 0)
        return std::nullopt;
    return dir;
}

std::optional<ResolvedPath> PathResolver::resolve(const std::string& winPath) const
{
    if (winPath.empty())
        return std::nullopt;
    WinPath path = absolute(winPath);
    // A drive that is not ready fails by itself below: its directory can't be found.
    auto root = mappedRoot(path.drive());
    if (!root)
        return std::nullopt;
    return resolveUnder(*root, path.parts());
}

std::string PathResolver::exactHost(const std::string& root, const std::vector<std::string>& parts)
{
    std::size_t length = root.size();
    for (const auto& part : parts) {
        if (!validComponent(part))
            return {};
        length += part.size() + 1;
    }
    std::string host;
    host.reserve(length);
    host += root;
    for (const auto& part : parts) {
        if (host.empty() || host.back() != '/')
            host += '/';
        host += cp1252ToUtf8(part);
    }
    return host;
}

// The entry of `dir` called `name`, exactly or else ignoring ASCII case; "" when there is none.
std::string PathResolver::findEntry(const std::string& dir, const std::string& name) const
{
    struct stat st {};
    if (::lstat(joinHost(dir, name).c_str(), &st) == 0)
        return name;
    if (::stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return {};
    return m_listings.find(dir, st, name);
}

std::optional<ResolvedPath> PathResolver::resolveUnder(const std::string& root, const std::vector<std::string>& parts) const
{
    std::string exact = exactHost(root, parts);
    if (exact.empty())
        return resolveListed(root, parts);
    struct stat st {};
    // Most paths exist exactly as spelled: one call settles them.
    if (::lstat(exact.c_str(), &st) != 0)
        return resolveMissing(root, parts);
    ResolvedPath path;
    path.exactStat = st;
    path.host = std::move(exact);
    for (const std::string& part : parts)
        path.names.push_back(cp1252ToUtf8(part));
    if (!parts.empty()) {
        path.givenName = path.names.back();
        path.parent = parts.size() == 1 ? root : path.host.substr(0, path.host.size() - path.givenName.size() - 1);
    }
    return path;
}

mode_t PathResolver::kind(const std::string& winPath) const
{
    if (auto held = heldEntry(winPath))
        return held->kind;
    mode_t found = kindOf(winPath);
    if (!found || !onConfinedDrive(winPath))
        return found;
    auto resolved = resolve(winPath);
    return resolved && !leavesDrive(winPath, resolved->host) ? found : 0;
}

void PathResolver::holdListing(const std::string& winDir) const
{
    auto separator = [](char c) { return c == '\\' || c == '/'; };
    if (winDir.size() < 3 || winDir[1] != ':' || !separator(winDir[2]) || !separator(winDir.back()))
        return;
    auto root = mappedRoot(winDir[0]);
    auto resolved = root ? resolveUnder(*root, absolute(winDir).parts()) : std::nullopt;
    // On a confined drive a folder that lies inside holds only entries that do, links aside.
    if (!resolved || !resolved->found || leavesDrive(winDir, resolved->host))
        return;
    if (auto listing = FolderListing::read(resolved->host))
        m_held.push_back({ winDir, *root, m_confined, std::move(*listing) });
}

std::optional<FolderListing::Entry> PathResolver::heldEntry(const std::string& winPath) const
{
    if (m_held.empty())
        return std::nullopt;
    // Just past the last separator, found by hand: find_last_of searches its set at every character.
    std::size_t cut = winPath.size();
    while (cut > 0 && winPath[cut - 1] != '\\' && winPath[cut - 1] != '/')
        --cut;
    if (cut == 0)
        return std::nullopt;
    std::string_view dir = std::string_view(winPath).substr(0, cut);
    std::string_view name = std::string_view(winPath).substr(cut);
    for (const HeldListing& held : m_held) {
        if (held.winDir != dir)
            continue;
        if (name.empty() || name == "." || name == ".." || !validComponent(name) || held.confined != m_confined
            || mappedRoot(winPath[0]) != held.root)
            return std::nullopt;
        return held.listing.find(cp1252ToUtf8(name));
    }
    return std::nullopt;
}

bool PathResolver::onConfinedDrive(const std::string& winPath) const
{
    if (!m_confined || winPath.empty())
        return false;
    bool lettered = winPath.size() >= 2 && winPath[1] == ':';
    return (lettered ? asciiLower(winPath[0]) : absolute(winPath).drive()) == m_confined;
}

bool PathResolver::leavesDrive(const std::string& winPath, const std::string& host) const
{
    auto root = onConfinedDrive(winPath) ? mappedRoot(m_confined) : std::nullopt;
    char real[PATH_MAX], realRoot[PATH_MAX];
    if (!root || !::realpath(host.c_str(), real) || !::realpath(root->c_str(), realRoot))
        return false;
    std::string inside = realRoot;
    std::string at = real;
    return at != inside && !at.starts_with(inside == "/" ? inside : inside + "/");
}

mode_t PathResolver::kindOf(const std::string& winPath) const
{
    // An absolute path whose last name is a plain name goes through the directory memo.
    std::size_t split = winPath.find_last_of("\\/");
    bool plain = winPath.size() >= 3 && winPath[1] == ':' && (winPath[2] == '\\' || winPath[2] == '/')
        && split != std::string::npos && split + 1 < winPath.size();
    std::string_view name = plain ? std::string_view(winPath).substr(split + 1) : std::string_view();
    if (plain && name != "." && name != ".." && validComponent(name)) {
        auto root = mappedRoot(winPath[0]);
        if (!root)
            return 0;
        const DirectoryMemo* dir = directoryOf(std::string_view(winPath).substr(0, split + 1), *root);
        if (!dir->exactHost.empty())
            return kindAt(joinHost(dir->exactHost, cp1252ToUtf8(name)), *root, dir->parts, name);
    }
    WinPath path = absolute(winPath);
    auto root = winPath.empty() ? std::nullopt : mappedRoot(path.drive());
    if (!root)
        return 0;
    std::string exact = exactHost(*root, path.parts());
    struct stat st {};
    if (exact.empty()) {
        auto listed = resolveListed(*root, path.parts());
        return listed && listed->found && ::stat(listed->host.c_str(), &st) == 0 ? st.st_mode & S_IFMT : 0;
    }
    std::vector<std::string> dirParts = path.parts();
    std::string last = dirParts.empty() ? std::string() : dirParts.back();
    if (!dirParts.empty())
        dirParts.pop_back();
    return kindAt(exact, *root, dirParts, last);
}

const PathResolver::DirectoryMemo* PathResolver::directoryOf(std::string_view winDir, const std::string& root) const
{
    if (m_directory.winDir != winDir || m_directory.root != root) {
        WinPath path = WinPath::parse(winDir);
        m_directory = { std::string(winDir), root, path.parts(), exactHost(root, path.parts()) };
    }
    return &m_directory;
}

// What stands at `exact`, the path `dirParts` + `name` spelled as given under `root` (name "" for
// the root itself): most names are there as spelled; of a missing one, a directory read a moment
// ago says at once whether it is there in another case.
mode_t PathResolver::kindAt(const std::string& exact, const std::string& root, const std::vector<std::string>& dirParts,
    std::string_view name) const
{
    struct stat st {};
    if (::lstat(exact.c_str(), &st) == 0)
        return S_ISLNK(st.st_mode) ? (::stat(exact.c_str(), &st) == 0 ? st.st_mode & S_IFMT : 0) : st.st_mode & S_IFMT;
    if (!name.empty()) {
        std::string hostName = cp1252ToUtf8(name);
        std::string parent = dirParts.empty() ? root : exact.substr(0, exact.size() - hostName.size() - 1);
        auto recent = m_listings.findRecent(parent, hostName);
        if (recent)
            return !recent->empty() && ::stat(joinHost(parent, *recent).c_str(), &st) == 0 ? st.st_mode & S_IFMT : 0;
    }
    std::vector<std::string> parts = dirParts;
    if (!name.empty())
        parts.emplace_back(name);
    auto resolved = resolveMissing(root, parts);
    if (!resolved || !resolved->found)
        return 0;
    return ::stat(resolved->host.c_str(), &st) == 0 ? st.st_mode & S_IFMT : 0;
}

std::optional<ResolvedPath> PathResolver::resolveMissing(const std::string& root, const std::vector<std::string>& parts) const
{
    std::vector<std::string> given;
    given.reserve(parts.size());
    for (const std::string& part : parts) {
        if (!validComponent(part))
            return std::nullopt;
        given.push_back(cp1252ToUtf8(part));
    }
    ResolvedPath path;
    std::string parent = root, exact = root;
    for (std::size_t i = 0; i < given.size(); ++i) {
        parent = exact;
        exact = joinHost(exact, given[i]);
    }
    struct stat st {};
    // Next most often only the last name is missing or spelled in another case.
    auto recent = given.empty() ? std::nullopt : m_listings.findRecent(parent, given.back());
    if (recent || (!given.empty() && ::stat(parent.c_str(), &st) == 0 && S_ISDIR(st.st_mode))) {
        std::string onDisk = recent ? *recent : m_listings.find(parent, st, given.back());
        path.found = !onDisk.empty();
        path.givenName = given.back();
        if (path.found)
            given.back() = std::move(onDisk);
        path.host = joinHost(parent, given.back());
        path.parent = std::move(parent);
        path.names = std::move(given);
        return path;
    }
    path.host = root;
    bool found = true;
    for (const std::string& name : given) {
        std::string onDisk = found ? findEntry(path.host, name) : std::string();
        found = !onDisk.empty();
        descend(path, name, onDisk);
    }
    path.found = found;
    return path;
}

// A path with names a listing gave, '?' standing where the host name had a character Windows
// can't hold: each such name is the one entry of its directory that lists by it (exactly, else
// ignoring ASCII case). Where two entries list by it, nothing is guessed: the path resolves not.
std::optional<ResolvedPath> PathResolver::resolveListed(const std::string& root, const std::vector<std::string>& parts) const
{
    ResolvedPath path;
    path.host = root;
    bool found = true;
    for (const std::string& part : parts) {
        bool listed = listedComponent(part);
        if (!listed && !validComponent(part))
            return std::nullopt;
        std::string name = cp1252ToUtf8(part);
        std::string onDisk;
        if (found && listed) {
            auto entry = listedEntry(path.host, part);
            if (!entry)
                return std::nullopt;
            onDisk = *entry;
        } else if (found) {
            onDisk = findEntry(path.host, name);
        }
        found = !onDisk.empty();
        descend(path, name, onDisk);
    }
    path.found = found;
    return path;
}

// The entry of `dir` a listing names `winName`: "" for none, nullopt for more than one.
std::optional<std::string> PathResolver::listedEntry(const std::string& dir, const std::string& winName)
{
    std::unique_ptr<DIR, int (*)(DIR*)> handle(::opendir(dir.c_str()), ::closedir);
    if (!handle)
        return std::string();
    std::vector<std::string> exact, folded;
    while (const dirent* entry = ::readdir(handle.get())) {
        std::string listed = listedName(entry->d_name);
        if (listed == winName)
            exact.emplace_back(entry->d_name);
        else if (equalIgnoringAsciiCase(listed, winName))
            folded.emplace_back(entry->d_name);
    }
    const auto& matches = exact.empty() ? folded : exact;
    if (matches.size() > 1)
        return std::nullopt;
    return matches.empty() ? std::string() : matches.front();
}

std::string PathResolver::spelledAsOnDisk(const ResolvedPath& path) const
{
    std::string name = nameOf(path.host);
    struct stat st {};
    if (path.parent.empty() || hasEntryNamed(path.parent, name) || ::stat(path.parent.c_str(), &st) != 0)
        return path.host;
    std::string onDisk = m_listings.find(path.parent, st, name);
    return onDisk.empty() ? path.host : joinHost(path.parent, onDisk);
}

std::optional<std::string> PathResolver::windowsPath(const std::string& hostPath) const
{
    if (hostPath.empty() || hostPath[0] != '/')
        return std::nullopt;
    auto found = m_drives.longestPrefix(DriveMap::normalHostPath(hostPath));
    if (!found)
        return std::nullopt;
    std::string rest = utf8ToCp1252(found->second);
    std::replace(rest.begin(), rest.end(), '/', '\\');
    return std::string(1, asciiUpper(found->first)) + ":\\" + rest;
}

}
