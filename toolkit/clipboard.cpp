// SPDX-License-Identifier: MIT
#include "toolkit/clipboard.h"

#include "platform/codepage.h"

namespace tk {

void TClipboard::SetAsText(const std::string& cp1252Text)
{
    SetAsFormats(platform::cp1252ToUtf8(cp1252Text), {}, {});
}

std::string TClipboard::AsText() const
{
    return platform::utf8ToCp1252(AsUtf8Text());
}

}
