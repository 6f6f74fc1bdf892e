// SPDX-License-Identifier: MIT
#include "platform/file_queries.h"

#include "platform/ascii.h"
#include "platform/codepage.h"
#include "platform/name_mask.h"
#include "platform/posix_io.h"

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>

namespace platform {

namespace {

// In the order lessIgnoringAsciiCase gives, folding each name once instead of at every comparison.
void sortIgnoringAsciiCase(std::vector<std::string>& names)
{
    std::vector<std::pair<std::string, std::string>> keyed;
    keyed.reserve(names.size());
    for (auto& name : names)
        keyed.emplace_back(asciiLowerCopy(name), std::move(name));
    std::sort(keyed.begin(), keyed.end());
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = std::move(keyed[i].second);
}

}

FileQueries::FileQueries(const PathResolver& resolver, FaultInjector& faults)
    : m_resolver(resolver)
    , m_faults(faults)
{
}

bool FileQueries::fileExists(const std::string& winPath) const
{
    return m_resolver.kind(winPath) == S_IFREG;
}

bool FileQueries::directoryExists(const std::string& winPath) const
{
    return m_resolver.kind(winPath) == S_IFDIR;
}

std::optional<std::vector<std::string>> FileQueries::listFiles(const std::string& dir, const std::string& mask) const
{
    return list(dir, false, mask);
}

std::optional<std::vector<std::string>> FileQueries::listDirectories(const std::string& dir) const
{
    return list(dir, true, "*");
}

std::optional<std::vector<std::string>> FileQueries::list(const std::string& dir, bool directories,
    const std::string& mask) const
{
    auto resolved = m_resolver.resolve(dir);
    if (!resolved || m_resolver.leavesDrive(dir, resolved->host)
        || m_faults.take(Fault::Op::List, [&] { return FaultPaths { m_resolver.expand(dir) }; }))
        return std::nullopt;
    std::unique_ptr<DIR, int (*)(DIR*)> handle(::opendir(resolved->host.c_str()), ::closedir);
    if (!handle)
        return std::nullopt;
    NameMask filter(mask);
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(handle.get())) {
        if (entry->d_name[0] == '.')
            continue;
        std::string name = listedName(entry->d_name);
        if (!filter.matches(name))
            continue;
        // The directory tells the kind of most entries; links and unknown kinds are looked at.
        mode_t kind = entry->d_type == DT_REG ? S_IFREG : entry->d_type == DT_DIR ? S_IFDIR : 0;
        struct stat st {};
        if (!kind && ::fstatat(::dirfd(handle.get()), entry->d_name, &st, 0) == 0)
            kind = st.st_mode & S_IFMT;
        // A link out of a removable disk is not on it.
        struct stat own {};
        bool link = entry->d_type == DT_LNK
            || (entry->d_type == DT_UNKNOWN && ::fstatat(::dirfd(handle.get()), entry->d_name, &own, AT_SYMLINK_NOFOLLOW) == 0
                && S_ISLNK(own.st_mode));
        if (link && m_resolver.leavesDrive(dir, joinHost(resolved->host, entry->d_name)))
            continue;
        if (kind == (directories ? S_IFDIR : S_IFREG))
            names.push_back(std::move(name));
    }
    sortIgnoringAsciiCase(names);
    return names;
}

bool FileQueries::sameEntry(const std::string& a, const std::string& b) const
{
    auto first = m_resolver.resolve(a);
    auto second = m_resolver.resolve(b);
    struct stat as {}, bs {};
    return first && second && ::lstat(first->host.c_str(), &as) == 0 && ::lstat(second->host.c_str(), &bs) == 0
        && oneEntry(*first, as, *second, bs);
}

std::optional<std::string> FileQueries::nameOnDisk(const std::string& winPath) const
{
    if (auto held = m_resolver.heldEntry(winPath))
        return held->kind ? std::optional(utf8ToCp1252(held->name)) : std::nullopt;
    auto resolved = m_resolver.resolve(winPath);
    if (!resolved || !resolved->found || resolved->names.empty())
        return std::nullopt;
    return utf8ToCp1252(resolved->names.back());
}

std::optional<struct stat> FileQueries::hostStat(const std::string& winPath) const
{
    auto resolved = m_resolver.resolve(winPath);
    struct stat st {};
    if (!resolved || m_resolver.leavesDrive(winPath, resolved->host) || ::stat(resolved->host.c_str(), &st) != 0)
        return std::nullopt;
    return st;
}

std::optional<FileState> FileQueries::fileState(const std::string& winPath) const
{
    auto st = hostStat(winPath);
    if (!st || !S_ISREG(st->st_mode))
        return std::nullopt;
    return FileState { static_cast<std::uint64_t>(st->st_size),
        std::int64_t(st->st_mtim.tv_sec) * 1'000'000'000 + st->st_mtim.tv_nsec };
}

std::optional<std::int64_t> FileQueries::folderChanged(const std::string& winDir) const
{
    auto st = hostStat(winDir);
    if (!st || !S_ISDIR(st->st_mode))
        return std::nullopt;
    return std::int64_t(st->st_mtim.tv_sec) * 1'000'000'000 + st->st_mtim.tv_nsec;
}

}
