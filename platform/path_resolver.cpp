#include "platform/path_resolver.h"

#include "platform/ascii.h"
#include "platform/codepage.h"
#include "platform/posix_io.h"

#include <algorithm>
#include <string_view>
#include <unistd.h>

namespace platform {

namespace {

bool validComponent(std::string_view part)
{
    for (char c : part) {
        if (static_cast<unsigned char>(c) < 0x20 || std::string_view("<>:\"|?*").find(c) != std::string_view::npos)
            return false;
    }
    return true;
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
    for (const auto& part : parts)
        if (!validComponent(part))
            return {};
    std::string host = root;
    for (const auto& part : parts)
        host = joinHost(host, cp1252ToUtf8(part));
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
    // Most paths exist exactly as spelled: one call settles them.
    if (::lstat(exact.c_str(), &st) == 0) {
        path.exactStat = st;
        path.host = std::move(exact);
        path.parent = given.empty() ? std::string() : std::move(parent);
        path.givenName = given.empty() ? std::string() : given.back();
        path.names = std::move(given);
        return path;
    }
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
        path.parent = path.host;
        path.givenName = name;
        path.names.push_back(found ? onDisk : name);
        path.host = joinHost(path.host, path.names.back());
    }
    path.found = found;
    return path;
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
