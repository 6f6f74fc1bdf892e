// SPDX-License-Identifier: MIT
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unordered_map>

namespace platform {

// What case-blind look-ups remember of directory contents: per directory, its entries' lower-cased
// names, each with the first matching entry in byte order. An index is kept while the directory's
// modification time stays the same, so a scan of many missing companion files reads a large
// directory once instead of once per file.
class DirectoryIndexCache {
public:
    // The entry of `dir` (whose stat is `st`) matching `name` ignoring ASCII case; "" for none.
    std::string find(const std::string& dir, const struct stat& st, const std::string& name);
    // The same from an index of `dir` that was checked a moment ago, without asking the directory;
    // nullopt when there is no such index.
    std::optional<std::string> findRecent(const std::string& dir, const std::string& name) const;
    void clear() { m_indexes.clear(); }

private:
    struct Index {
        dev_t device {};
        ino_t inode {};
        timespec modified {};
        long long checkedAt { 0 }; // monotonic time the directory was last seen unchanged
        std::unordered_map<std::string, std::string> names;
    };

    static std::optional<Index> read(const std::string& dir, const struct stat& st);
    static std::string lookUp(const Index& index, const std::string& name);

    std::unordered_map<std::string, Index> m_indexes;
};

}
