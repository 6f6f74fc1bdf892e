#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

// Where a Windows path lands on the host, found the way Windows compares names.
struct ResolvedPath {
    std::string host;               // the full host path (UTF-8)
    std::string parent;             // host directory holding the last component; "" for a drive root
    std::string givenName;          // the last component as the caller spelled it (UTF-8)
    std::vector<std::string> names; // each component as found on disk, or as given where missing

    // Resolves Windows-1252 components under `root`. Each component that exists with its exact name
    // is taken as is; otherwise the entry matching it ignoring ASCII case (first in byte order);
    // components that don't exist keep the case given. nullopt for a name Windows can't spell
    // (wildcards, reserved characters, control bytes).
    static std::optional<ResolvedPath> resolve(const std::string& root, const std::vector<std::string>& parts);
};

}
