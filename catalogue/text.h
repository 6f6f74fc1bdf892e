// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

// Text rules shared by the handlers: single-byte text, only A..Z folded.

// Removes leading and trailing characters with codes 0 to 32.
std::string trim(const std::string& text);
// Turns A..Z into a..z and leaves every other byte.
std::string lowerAZ(const std::string& text);
// Turns a..z into A..Z and leaves every other byte.
std::string upperAZ(const std::string& text);
// A whole number with optional leading blanks and sign, as the number conversion of the tables
// reads it; nothing else may follow. Empty when the text is no such number.
std::optional<int> readInteger(const std::string& text);
// The number padded with leading blanks (or zeros) to at least width characters.
std::string padLeft(long long number, std::size_t width, char pad = ' ');
// The file name after a path's last backslash.
std::string fileNameOf(const std::string& path);
// The path up to and with its last backslash.
std::string folderOf(const std::string& path);
