// SPDX-License-Identifier: MIT
#include "toolkit/dialogs.h"

namespace tk {

int TDialogs::MessageBox(const std::string&, const std::string&, int flags)
{
    return (flags & 0xF) == MB_OK ? IDOK : IDCANCEL;
}

bool TDialogs::InputQuery(const std::string&, const std::string&, std::string&)
{
    return false;
}

}
