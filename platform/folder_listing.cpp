// SPDX-License-Identifier: MIT
#include "platform/folder_listing.h"

#include "platform/ascii.h"
#include "platform/posix_io.h"

#include <cerrno>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace platform {

namespace {

// A link's kind is its target's, and an unknown kind is only known by asking.
bool kindKnown(unsigned char type)
{
    return type != DT_LNK && type != DT_UNKNOWN;
}

std::string swappedAsciiCase(std::string name)
{
    for (char& c : name)
        c = c == asciiLower(c) ? asciiUpper(c) : asciiLower(c);
    return name;
}

}

std::optional<FolderListing> FolderListing::read(const std::string& hostDir)
{
    std::unique_ptr<DIR, int (*)(DIR*)> handle(::opendir(hostDir.c_str()), ::closedir);
    if (!handle)
        return std::nullopt;
    FolderListing listing;
    while (const dirent* entry = ::readdir(handle.get())) {
        std::string name = entry->d_name;
        listing.m_types.emplace(name, entry->d_type);
        auto [it, added] = listing.m_folded.try_emplace(asciiLowerCopy(name), name);
        if (!added && name < it->second)
            it->second = name;
    }
    listing.m_keepsCase = listing.probeKeepsCase(hostDir);
    return listing;
}

// A directory that ignores case finds a listed name asked for in the other case; one that keeps
// case does not. With no name to try, only an empty directory is sure to find nothing.
bool FolderListing::probeKeepsCase(const std::string& hostDir) const
{
    bool empty = true;
    for (const auto& [name, type] : m_types) {
        if (name == "." || name == "..")
            continue;
        empty = false;
        std::string other = swappedAsciiCase(name);
        if (other == name || m_types.count(other))
            continue;
        struct stat st {};
        return ::lstat(joinHost(hostDir, other).c_str(), &st) != 0 && errno == ENOENT;
    }
    return empty;
}

std::optional<FolderListing::Entry> FolderListing::find(const std::string& hostName) const
{
    auto exact = m_types.find(hostName);
    if (exact != m_types.end()) {
        if (!kindKnown(exact->second))
            return std::nullopt;
        return Entry { hostName, static_cast<mode_t>(DTTOIF(exact->second)) };
    }
    if (!m_keepsCase)
        return std::nullopt;
    auto folded = m_folded.find(asciiLowerCopy(hostName));
    if (folded == m_folded.end())
        return Entry {};
    unsigned char type = m_types.at(folded->second);
    if (!kindKnown(type))
        return std::nullopt;
    return Entry { folded->second, static_cast<mode_t>(DTTOIF(type)) };
}

}
