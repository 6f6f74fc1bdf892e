// SPDX-License-Identifier: MIT
#include "platform/codepage.h"

#include <gtest/gtest.h>

using platform::cp1252ToUtf8;
using platform::utf8ToCp1252;

TEST(Codepage, EveryByteSurvivesARoundTrip)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
}

TEST(Codepage, HighBytesFollowTheWindowsTable)
{
    EXPECT_EQ(cp1252ToUtf8("\x80"), "\u20AC");
    EXPECT_EQ(cp1252ToUtf8("\x92"), "\u2019");
    EXPECT_EQ(cp1252ToUtf8("\x9F"), "\u0178");
    EXPECT_EQ(cp1252ToUtf8("caf\xE9"), "caf\u00E9");
    EXPECT_EQ(cp1252ToUtf8("\x81"), "\u0081"); // undefined in the table: its C1 code point
    EXPECT_EQ(utf8ToCp1252("\u20AC 5"), "\x80 5");
    EXPECT_EQ(utf8ToCp1252("Pok\u00E9mon"), "Pok\xE9mon");
}

TEST(Codepage, WhatWindows1252CannotSayBecomesAQuestionMark)
{
    EXPECT_EQ(utf8ToCp1252("\u30BC\u30EB\u30C0.v64"), "???.v64"); // one '?' per character
    EXPECT_EQ(utf8ToCp1252("\U0001F600"), "?");
    EXPECT_EQ(utf8ToCp1252("a\xFF" "b"), "a?b");         // a stray byte
    EXPECT_EQ(utf8ToCp1252("\xC3"), "?");                 // cut short
    EXPECT_EQ(utf8ToCp1252("\xC0\xAF"), "??");            // overlong '/'
    EXPECT_EQ(utf8ToCp1252("\xED\xA0\x80"), "???");       // a surrogate
    EXPECT_EQ(utf8ToCp1252("\u0080"), "?");               // a C1 code the table gives a character
}
