// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <sys/types.h>
#include <unordered_map>

namespace platform {

// One reading of a directory, asked about many names in a row (a scan asks for every game's
// companion files): whether an entry is there exactly, or ignoring ASCII case, and its kind as the
// listing gives it. Where the listing can't tell without asking the host (a link, a kind it did not
// give, another spelling in a directory that ignores case), it says so and the caller asks.
class FolderListing {
public:
    struct Entry {
        std::string name; // as the directory holds it; "" for none
        mode_t kind { 0 }; // S_IFREG, S_IFDIR …; 0 for none
    };

    // nullopt when the directory can't be read.
    static std::optional<FolderListing> read(const std::string& hostDir);

    // The entry `hostName` stands for: itself, else the first in byte order that matches it
    // ignoring ASCII case. nullopt where only the host can tell.
    std::optional<Entry> find(const std::string& hostName) const;

private:
    FolderListing() = default;
    bool probeKeepsCase(const std::string& hostDir) const;

    std::unordered_map<std::string, unsigned char> m_types; // each entry's d_type
    std::unordered_map<std::string, std::string> m_folded;  // lower-cased -> first entry in byte order
    bool m_keepsCase { false };
};

}
