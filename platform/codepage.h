// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Names travel through the program as Windows-1252 bytes; the host speaks UTF-8.
// The five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to their
// C1 control code points, so every byte string survives a round trip.
std::string cp1252ToUtf8(std::string_view bytes);

// A code point with no Windows-1252 form, and every byte of malformed UTF-8, becomes '?'.
std::string utf8ToCp1252(std::string_view utf8);

// The name a directory listing gives a host entry: its Windows-1252 form, with a backslash (which
// would name another path) shown as a character Windows can't hold.
std::string listedName(std::string_view utf8);

}
