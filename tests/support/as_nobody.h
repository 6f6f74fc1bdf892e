// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// While it lives the process is the unprivileged user nobody, real and effective ids both, as
// setpriv would make it (root stays the saved id, so root comes back after): permissions hold as
// they do for a user, where root reads and writes everything. Needs root; where it can't be had,
// active() is false and whyNot() says why.
class AsNobody {
public:
    AsNobody();
    ~AsNobody();
    AsNobody(const AsNobody&) = delete;
    AsNobody& operator=(const AsNobody&) = delete;

    bool active() const { return m_active; }
    const std::string& whyNot() const { return m_whyNot; }

    // Before one is made, as root: nobody may enter `hostDir` (a temporary root is 0700), and
    // `hostPath` becomes nobody's own.
    static void letIn(const std::string& hostDir);
    static void giveAway(const std::string& hostPath);

private:
    bool m_active { false };
    std::string m_whyNot;
    std::vector<gid_t> m_groups;
};
