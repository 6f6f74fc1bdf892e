// SPDX-License-Identifier: MIT
#include "tests/support/as_nobody.h"

#include <exception>
#include <grp.h>
#include <pwd.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const passwd* nobody()
{
    return ::getpwnam("nobody");
}

}

AsNobody::AsNobody()
{
    const passwd* user = nobody();
    if (::geteuid() != 0 || !user) {
        m_whyNot = ::geteuid() != 0 ? "skipped: acting as another user needs root" : "skipped: no user nobody";
        return;
    }
    m_groups.resize(std::size_t(::getgroups(0, nullptr)));
    m_groups.resize(std::size_t(::getgroups(int(m_groups.size()), m_groups.data())));
    // Groups first, while still root.
    if (::setgroups(0, nullptr) != 0 || ::setresgid(user->pw_gid, user->pw_gid, 0) != 0
        || ::setresuid(user->pw_uid, user->pw_uid, 0) != 0)
        throw std::runtime_error("AsNobody: cannot become nobody");
    m_active = true;
}

AsNobody::~AsNobody()
{
    if (!m_active)
        return;
    if (::setresuid(0, 0, 0) != 0 || ::setresgid(0, 0, 0) != 0 || ::setgroups(m_groups.size(), m_groups.data()) != 0)
        std::terminate(); // the rest of the run would not be root's
}

void AsNobody::letIn(const std::string& hostDir)
{
    ::chmod(hostDir.c_str(), 0755);
}

void AsNobody::giveAway(const std::string& hostPath)
{
    if (const passwd* user = nobody())
        if (::chown(hostPath.c_str(), user->pw_uid, user->pw_gid) != 0)
            throw std::runtime_error("AsNobody: cannot give " + hostPath + " to nobody");
}
