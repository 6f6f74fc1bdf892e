// SPDX-License-Identifier: MIT
#include "platform/resolved_path.h"

#include "platform/ascii.h"
#include "platform/posix_io.h"

namespace platform {

bool oneEntry(const ResolvedPath& a, const struct stat& as, const ResolvedPath& b, const struct stat& bs)
{
    struct stat ap {}, bp {};
    bool sameParent = a.parent == b.parent
        || (::stat(a.parent.c_str(), &ap) == 0 && ::stat(b.parent.c_str(), &bp) == 0 && sameFile(ap, bp));
    if (!sameParent)
        return false;
    std::string aName = nameOf(a.host), bName = b.givenName;
    if (aName == bName)
        return true;
    bool ownEntry = hasEntryNamed(b.parent, bName);
    if (ownEntry && hasEntryNamed(a.parent, aName))
        return false;
    return sameFile(as, bs) || (!ownEntry && equalIgnoringAsciiCase(aName, bName));
}

}
