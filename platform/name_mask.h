// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A file mask as a file dialog takes it: "*.v64;*.rom", "*.*", "GAME?.*". `*` and `?` are wildcards,
// letters compare ignoring ASCII case, "*.*" matches every name, and a pattern ending in ".*"
// also matches the name without an extension. An empty mask matches everything.
class NameMask {
public:
    explicit NameMask(std::string_view mask);

    bool matches(std::string_view name) const;

private:
    static bool globMatch(std::string_view pattern, std::string_view name);

    std::vector<std::string> m_patterns;
};

}
