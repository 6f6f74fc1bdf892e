// SPDX-License-Identifier: MIT
#include "toolkit/win_text.h"

#include "platform/codepage.h"

namespace tk {

QString fromWinText(std::string_view cp1252)
{
    return QString::fromStdString(platform::cp1252ToUtf8(cp1252));
}

std::string toWinText(const QString& text)
{
    return platform::utf8ToCp1252(text.toStdString());
}

}
