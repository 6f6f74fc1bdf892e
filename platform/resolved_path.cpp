#include "platform/resolved_path.h"

#include "platform/ascii.h"
#include "platform/codepage.h"
#include "platform/posix_io.h"

#include <dirent.h>
#include <memory>
#include <string_view>
#include <sys/stat.h>
#include <ctime>
#include <unordered_map>

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

// Lower-cased names of a directory's entries, each with the first matching entry in byte order.
// Kept per directory while the directory's modification time stays the same, so a scan of many
// missing companion files reads a large directory once instead of once per file. An index read
// within a few milliseconds of the directory's last change is not kept: a file created in the
// same clock tick would not move the time.
struct DirIndex {
    dev_t device {};
    ino_t inode {};
    timespec modified {};
    long long checkedAt { 0 }; // monotonic time the directory was last seen unchanged
    std::unordered_map<std::string, std::string> names;
};

// Within this time of the last check a cached index is trusted without asking the directory
// again; the program's own changes drop the indexes at once (forgetIndexes).
constexpr long long recheckNs = 100'000'000;

long long monotonicNow()
{
    timespec now {};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

constexpr long long settleNs = 50'000'000;

long long nanoseconds(const timespec& t)
{
    return static_cast<long long>(t.tv_sec) * 1'000'000'000LL + t.tv_nsec;
}

std::unordered_map<std::string, DirIndex>& indexCache()
{
    static std::unordered_map<std::string, DirIndex> cache;
    return cache;
}

std::optional<DirIndex> readIndex(const std::string& dir, const struct stat& st)
{
    std::unique_ptr<DIR, int (*)(DIR*)> handle(::opendir(dir.c_str()), ::closedir);
    if (!handle)
        return std::nullopt;
    DirIndex index { st.st_dev, st.st_ino, st.st_mtim, {} };
    while (const dirent* entry = ::readdir(handle.get())) {
        std::string name = entry->d_name;
        auto [it, added] = index.names.try_emplace(asciiLowerCopy(name), name);
        if (!added && name < it->second)
            it->second = name;
    }
    return index;
}

std::string lookUp(const DirIndex& index, const std::string& name)
{
    auto found = index.names.find(asciiLowerCopy(name));
    return found == index.names.end() ? std::string() : found->second;
}

// The entry of the directory `dir` (whose stat is `st`) matching `name` ignoring ASCII case.
std::string findInIndex(const std::string& dir, const struct stat& st, const std::string& name)
{
    auto& cache = indexCache();
    auto cached = cache.find(dir);
    bool fresh = cached != cache.end() && cached->second.device == st.st_dev && cached->second.inode == st.st_ino
        && nanoseconds(cached->second.modified) == nanoseconds(st.st_mtim);
    if (fresh)
        cached->second.checkedAt = monotonicNow();
    const DirIndex* index = fresh ? &cached->second : nullptr;
    std::optional<DirIndex> uncached;
    if (!index) {
        uncached = readIndex(dir, st);
        if (!uncached)
            return {};
        timespec now {};
        ::clock_gettime(CLOCK_REALTIME, &now);
        if (nanoseconds(now) - nanoseconds(st.st_mtim) >= settleNs) {
            if (cache.size() >= 64)
                cache.clear();
            uncached->checkedAt = monotonicNow();
            index = &(cache[dir] = std::move(*uncached));
        } else {
            index = &*uncached;
        }
    }
    return lookUp(*index, name);
}

// A cached index of `dir` checked a moment ago, or nullptr.
const DirIndex* recentIndex(const std::string& dir)
{
    auto& cache = indexCache();
    auto cached = cache.find(dir);
    if (cached == cache.end() || monotonicNow() - cached->second.checkedAt > recheckNs)
        return nullptr;
    return &cached->second;
}

// The entry of `dir` called `name`, exactly or else ignoring ASCII case; "" when there is none.
std::string findEntry(const std::string& dir, const std::string& name)
{
    struct stat st {};
    if (::lstat(joinHost(dir, name).c_str(), &st) == 0)
        return name;
    if (::stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return {};
    return findInIndex(dir, st, name);
}

}

void ResolvedPath::forgetIndexes()
{
    indexCache().clear();
}

std::string ResolvedPath::exactHost(const std::string& root, const std::vector<std::string>& parts)
{
    for (const auto& part : parts)
        if (!validComponent(part))
            return {};
    std::string host = root;
    for (const auto& part : parts)
        host = joinHost(host, cp1252ToUtf8(part));
    return host;
}

std::optional<ResolvedPath> ResolvedPath::resolve(const std::string& root, const std::vector<std::string>& parts)
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
    const DirIndex* recent = given.empty() ? nullptr : recentIndex(parent);
    if (recent || (!given.empty() && ::stat(parent.c_str(), &st) == 0 && S_ISDIR(st.st_mode))) {
        std::string onDisk = recent ? lookUp(*recent, given.back()) : findInIndex(parent, st, given.back());
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

}
