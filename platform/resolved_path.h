// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <sys/stat.h>
#include <string>
#include <vector>

namespace platform {

// Where a Windows path lands on the host, found the way Windows compares names.
struct ResolvedPath {
    std::string host;               // the full host path (UTF-8)
    std::string parent;             // host directory holding the last component; "" for a drive root
    std::string givenName;          // the last component as the caller spelled it (UTF-8)
    std::vector<std::string> names; // each component as found on disk, or as given where missing
    bool found { true };            // every component exists
    std::optional<struct stat> exactStat; // lstat of the path when it exists exactly as spelled
};

// Two names are one directory entry when they name one file (same device and inode), or when a
// file system that ignores case takes the second for the first: it has no entry of its own and
// differs from the first only in letter case (exfat-fuse even gives each spelling its own inode).
// Where both names stand in the directory each as itself, they are two entries (hard links, or
// two files on a file system that keeps case), and neither is the other. `as` and `bs` are the
// lstat of each.
bool oneEntry(const ResolvedPath& a, const struct stat& as, const ResolvedPath& b, const struct stat& bs);

}
