// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace tk {

// Toolkit texts are Windows-1252; Qt wants Unicode.
QString fromWinText(std::string_view cp1252);
// The other way; characters Windows-1252 lacks become "?".
std::string toWinText(const QString& text);

}
