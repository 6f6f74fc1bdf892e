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
// Plain text as today's desktops write it: valid UTF-8 that holds more than ASCII is UTF-8 (a
// leading byte-order mark dropped), anything else Windows-1252. `utf8` says which it was.
QString fromPlainText(std::string_view bytes, bool* utf8 = nullptr);
// True when every character has a Windows-1252 form.
bool fitsWinText(const QString& text);

}
