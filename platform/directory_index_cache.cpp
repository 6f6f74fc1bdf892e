// SPDX-License-Identifier: MIT
#include "platform/directory_index_cache.h"

#include "platform/ascii.h"

#include <dirent.h>
#include <memory>

namespace platform {

namespace {

// Within this time of the last check a cached index is trusted without asking the directory
// again; the program's own changes clear the cache at once.
constexpr long long kRecheckNs = 100'000'000;
// An index read within this time of the directory's last change is not kept: a file created in
// the same clock tick would not move the time.
constexpr long long kSettleNs = 50'000'000;
constexpr std::size_t kMaxIndexes = 64;

long long nanoseconds(const timespec& t)
{
    return static_cast<long long>(t.tv_sec) * 1'000'000'000LL + t.tv_nsec;
}

long long clockNow(clockid_t clock)
{
    timespec now {};
    ::clock_gettime(clock, &now);
    return nanoseconds(now);
}

}

std::optional<DirectoryIndexCache::Index> DirectoryIndexCache::read(const std::string& dir, const struct stat& st)
{
    std::unique_ptr<DIR, int (*)(DIR*)> handle(::opendir(dir.c_str()), ::closedir);
    if (!handle)
        return std::nullopt;
    Index index;
    index.device = st.st_dev;
    index.inode = st.st_ino;
    index.modified = st.st_mtim;
    while (const dirent* entry = ::readdir(handle.get())) {
        std::string name = entry->d_name;
        auto [it, added] = index.names.try_emplace(asciiLowerCopy(name), name);
        if (!added && name < it->second)
            it->second = name;
    }
    return index;
}

std::string DirectoryIndexCache::lookUp(const Index& index, const std::string& name)
{
    auto found = index.names.find(asciiLowerCopy(name));
    return found == index.names.end() ? std::string() : found->second;
}

std::string DirectoryIndexCache::find(const std::string& dir, const struct stat& st, const std::string& name)
{
    auto cached = m_indexes.find(dir);
    bool fresh = cached != m_indexes.end() && cached->second.device == st.st_dev && cached->second.inode == st.st_ino
        && nanoseconds(cached->second.modified) == nanoseconds(st.st_mtim);
    if (fresh) {
        cached->second.checkedAt = clockNow(CLOCK_MONOTONIC);
        return lookUp(cached->second, name);
    }
    auto index = read(dir, st);
    if (!index)
        return {};
    if (clockNow(CLOCK_REALTIME) - nanoseconds(st.st_mtim) < kSettleNs)
        return lookUp(*index, name);
    if (m_indexes.size() >= kMaxIndexes)
        m_indexes.clear();
    index->checkedAt = clockNow(CLOCK_MONOTONIC);
    return lookUp(m_indexes[dir] = std::move(*index), name);
}

std::optional<std::string> DirectoryIndexCache::findRecent(const std::string& dir, const std::string& name) const
{
    auto cached = m_indexes.find(dir);
    if (cached == m_indexes.end() || clockNow(CLOCK_MONOTONIC) - cached->second.checkedAt > kRecheckNs)
        return std::nullopt;
    return lookUp(cached->second, name);
}

}
