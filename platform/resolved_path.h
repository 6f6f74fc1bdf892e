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

    // Resolves Windows-1252 components under `root`. Each component that exists with its exact name
    // is taken as is; otherwise the entry matching it ignoring ASCII case (first in byte order);
    // components that don't exist keep the case given. nullopt for a name Windows can't spell
    // (wildcards, reserved characters, control bytes).
    static std::optional<ResolvedPath> resolve(const std::string& root, const std::vector<std::string>& parts);
    // The host path of the components spelled exactly as given (no look-up); "" for a name
    // Windows can't spell.
    static std::string exactHost(const std::string& root, const std::vector<std::string>& parts);
    // Drops what is remembered of directory contents; called after every change the program makes.
    static void forgetIndexes();
};

}
