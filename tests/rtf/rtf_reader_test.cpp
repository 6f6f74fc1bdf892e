// SPDX-License-Identifier: MIT
#include "tests/rtf/rtf_fixture.h"
#include "toolkit/rtf/rtf_writer.h"

#include <QTemporaryDir>

#include <chrono>
#include <fstream>
#include <random>

#include <unistd.h>

using tk::RtfReader;
using namespace std::string_view_literals;

namespace {

// In the manner of a full word processor: tables of every kind, styles, document information,
// Unicode with ANSI fallbacks, a hyperlink field and pictures in two forms.
constexpr std::string_view kWordProcessorSample =
    R"({\rtf1\adeflang1025\ansi\ansicpg1252\uc1\adeff0\deff0\stshfdbch0\deflang1033)"
    R"({\fonttbl{\f0\froman\fcharset0\fprq2{\*\panose 02020603050405020304}Times New Roman;})"
    R"({\f1\fswiss\fcharset0\fprq2{\*\panose 020b0604020202020204}Arial;}})"
    "\r\n"
    R"({\colortbl;\red0\green0\blue0;\red255\green0\blue0;\red0\green0\blue255;})"
    R"({\*\defchp \fs24 }{\stylesheet{\ql \li0\ri0\widctlpar\rin0\lin0 \fs24\lang1033 \snext0 Normal;})"
    R"({\*\cs10 \additive \ssemihidden Default Paragraph Font;}})"
    R"({\*\rsidtbl \rsid1234\rsid5678}{\mmathPr\mmathFont34\mbrkBin0})"
    R"({\info{\title Sample title}{\author Someone}{\creatim\yr2024\mo1\dy2}})"
    R"({\*\generator Some Writer 1.0;}\paperw12240\paperh15840\margl1440\margr1440 \ltrsect)"
    "\r\n"
    R"(\pard\plain \ltrpar\qc \li0\ri0\widctlpar\rin0\lin0 \rtlch\fcs1 \af0 \ltrch\fcs0 \fs24 )"
    R"({\rtlch\fcs1 \ab\af1 \ltrch\fcs0 \b\f1\fs32\cf2 Title}{\par })"
    "\r\n"
    R"(\pard \ltrpar\ql \li720\ri360\fi-360\lin720\rin360 {\ltrch Caf\'e9 \u8364\'80 and \uc2\u945\'3f\'3f beta})"
    R"({\i  italic}\par)"
    "\r\n"
    R"({\field{\*\fldinst {HYPERLINK "http://example.com/"}}{\fldrslt {\ul\cf3 link text}}}\par)"
    "\r\n"
    R"(before{\*\shppict{\pict{\*\picprop}\pngblip 89504e470d0a1a0a0000000d49484452}})"
    R"({\nonshppict{\pict\wmetafile8 0100090000}}after{\header \pard Header text\par})"
    R"({\footnote footnote text}\par)"
    "\r\n}";

// In the manner of a small editor: everything in one group, formatting switched on and off.
constexpr std::string_view kEditorSample =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}"
    "{\\f1\\fnil\\fcharset0 Courier New;}}\r\n"
    "{\\colortbl ;\\red0\\green176\\blue80;\\red255\\green255\\blue0;}\r\n"
    "{\\*\\generator Editor 1.0}\\viewkind4\\uc1 \r\n"
    "\\pard\\sa200\\sl276\\slmult1\\f0\\fs22\\lang9 Plain \\b bold\\b0  \\i italic\\i0  \\ul under\\ulnone "
    " \\strike gone\\strike0  \\cf1 green\\cf0  \\f1\\fs20 mono\\f0\\fs22\\par\r\n"
    "\\pard\\qr\\highlight2 right\\highlight0\\par\r\n"
    "}\r\n";

}

TEST(RtfReaderDetect, OnlyTheRtfHeaderMakesRichText)
{
    EXPECT_TRUE(RtfReader::IsRtf("{\\rtf1\\ansi x}") && RtfReader::IsRtf("{\\rtf"));
    EXPECT_FALSE(RtfReader::IsRtf(" {\\rtf1") || RtfReader::IsRtf("{\\RTF1") || RtfReader::IsRtf("{\\rt"));
}

TEST_F(RtfTest, WordProcessorFileShowsItsBodyOnly)
{
    auto document = read(kWordProcessorSample);
    EXPECT_EQ(document->toRawText(),
        u"Title\u2029Caf\u00e9 \u20ac and \u03b1 beta italic\u2029link text\u2029beforeafter"_qs);
    EXPECT_EQ(look(*document, "Title"), "b--- Arial 16 #ff0000 -");
    EXPECT_EQ(look(*document, "Caf"), "---- Times New Roman 12 - -");
    EXPECT_EQ(look(*document, "italic"), "-i-- Times New Roman 12 - -");
    EXPECT_EQ(look(*document, "link"), "--u- Times New Roman 12 #0000ff -");
    EXPECT_EQ(describe(document->begin().blockFormat()), "centre 0 0 0");
    EXPECT_EQ(describe(document->begin().next().blockFormat()), "left 48 24 -24");
}

TEST_F(RtfTest, EditorFileSwitchesFormattingOnAndOff)
{
    auto document = read(kEditorSample);
    EXPECT_EQ(document->toRawText(), u"Plain bold italic under gone green mono\u2029right"_qs);
    const std::pair<const char*, const char*> expected[] = { { "Plain", "---- Calibri 11 - -" },
        { "bold", "b--- Calibri 11 - -" }, { " italic", "---- Calibri 11 - -" },
        { "italic", "-i-- Calibri 11 - -" }, { "under", "--u- Calibri 11 - -" },
        { " gone", "---- Calibri 11 - -" }, { "gone", "---s Calibri 11 - -" },
        { "green", "---- Calibri 11 #00b050 -" }, { " mono", "---- Calibri 11 - -" },
        { "mono", "---- Courier New 10 - -" }, { "right", "---- Calibri 11 - #ffff00" } };
    for (const auto& [word, format] : expected)
        EXPECT_EQ(look(*document, word), format) << word;
    EXPECT_EQ(describe(document->lastBlock().blockFormat()), "right 0 0 0");
}

TEST_F(RtfTest, TextPrintedAsRichTextByEnscriptReads)
{
    if (access("/usr/bin/enscript", X_OK) != 0)
        GTEST_SKIP() << "enscript is not installed";
    QTemporaryDir dir;
    std::string path = dir.filePath("listing.txt").toStdString();
    std::ofstream(path) << "Hello {world}\nsecond\tline\n";
    std::string rtf = run("enscript --quiet --language=rtf -o - '" + path + "' 2>/dev/null");
    ASSERT_TRUE(RtfReader::IsRtf(rtf)) << rtf;

    auto document = read(rtf);
    EXPECT_EQ(document->toRawText(), u"Hello {world}\u2028second\tline\u2028"_qs);
    EXPECT_EQ(look(*document, "Hello"), "---- Courier New 12 - -");
}

TEST_F(RtfTest, ControlSymbolsAndCodePages)
{
    EXPECT_EQ(text(R"({\rtf1 a\~b\-c\_d\\e\{f\}g})"), u"a\u00a0bc\u2011d\\e{f}g"_qs);
    EXPECT_EQ(text(R"({\rtf1\ansi\ansicpg1252 \'80\'e9\'93x\'94\'FF})"), u"\u20ac\u00e9\u201cx\u201d\u00ff"_qs);
    EXPECT_EQ(text("{\\rtf1 raw \xe9}"), u"raw \u00e9"_qs);
    EXPECT_EQ(text(R"({\rtf1 \emdash\lquote x\rquote\bullet})"), u"\u2014\u2018x\u2019\u2022"_qs);
    // A font's character set overrides the document's code page for its text.
    EXPECT_EQ(text(R"({\rtf1\ansi\ansicpg1251 \'e0\'e1})"), u"\u0430\u0431"_qs);
    EXPECT_EQ(text(R"({\rtf1\ansi{\fonttbl{\f0 Arial;}{\f1\fcharset204 Arial Cyr;}}\f1\'e0\f0\'e0})"),
        u"\u0430\u00e0"_qs);
}

TEST_F(RtfTest, UnicodeSkipsItsFallbackWithinItsGroup)
{
    EXPECT_EQ(text(R"({\rtf1 \u945?\u-10179?\u-8704?})"), u"\u03b1\U0001F600"_qs);
    EXPECT_EQ(text(R"({\rtf1\uc0\u945 b})"), u"\u03b1b"_qs);
    EXPECT_EQ(text(R"({\rtf1\uc2\u945\'e9x y})"), u"\u03b1 y"_qs);
    EXPECT_EQ(text(R"({\rtf1{\uc3 \u945 abc}\u946?d})"), u"\u03b1\u03b2d"_qs);
    EXPECT_EQ(text(R"({\rtf1\uc3\u945{x}})"), u"\u03b1x"_qs);
    EXPECT_EQ(text(R"({\rtf1\uc99999999999\u945 abcdefghijklmnopqrstuvwxyz})"), u"\u03b1qrstuvwxyz"_qs);
}

TEST_F(RtfTest, ParagraphBreaksAndTheFinalPar)
{
    EXPECT_EQ(text(R"({\rtf1 one})"), "one");
    EXPECT_EQ(text(R"({\rtf1 one\par})"), "one");
    EXPECT_EQ(text(R"({\rtf1 one\par\par})"), u"one\u2029"_qs);
    EXPECT_EQ(text(R"({\rtf1 \par one})"), u"\u2029one"_qs);
    EXPECT_EQ(text("{\\rtf1 one\\\r\ntwo\\line three\\tab four}"), u"one\u2029two\u2028three\tfour"_qs);
    EXPECT_EQ(text("{\\rtf1 a\r\nb\nc\0d}"sv), "abcd");
    EXPECT_EQ(text(R"({\rtf1 a\page b\column c\sect d})"), u"a\u2029b\u2029c\u2029d"_qs);
    // Hidden text, its paragraph marks too, stays out of the view.
    EXPECT_EQ(text(R"({\rtf1 shown{\v  hidden\par more} too\v0  end})"), "shown too end");

    // A paragraph takes the formatting in effect at its \par, which \pard resets.
    auto document = read(R"({\rtf1 \pard one\qr\par\pard\li300 two\par})");
    ASSERT_EQ(document->blockCount(), 2);
    EXPECT_EQ(describe(document->begin().blockFormat()), "right 0 0 0");
    EXPECT_EQ(describe(document->lastBlock().blockFormat()), "left 20 0 0");
}

TEST_F(RtfTest, GroupsRestoreTheFormattingAroundThem)
{
    auto document = read(R"({\rtf1 \b B{\i BI\b0 I}B\plain P\ul U\ul0 P})");
    ASSERT_EQ(document->toRawText(), "BBIIBPUP");
    std::string looks;
    for (int at = 0; at < 8; ++at) {
        QTextCursor cursor(document.get());
        cursor.setPosition(at + 1);
        looks += describe(cursor.charFormat()).substr(0, 3) + " ";
    }
    EXPECT_EQ(looks, "b-- bi- bi- -i- b-- --- --u --- ");
}

TEST_F(RtfTest, BinaryDataIsSkippedByCount)
{
    EXPECT_EQ(text(R"({\rtf1 a{\pict\bin4 }}{{}b})"), "ab");
    EXPECT_EQ(text(R"({\rtf1 x\bin3 abcy})"), "xy");
    // A count past the end is damage: the rest is read as RTF.
    EXPECT_EQ(text(R"({\rtf1 keep\bin999999999 kept})"), "keepkept");
}

TEST_F(RtfTest, DamagedInputReadsWhatItCan)
{
    EXPECT_EQ(text(R"({\rtf1 Hello \b wor)"), "Hello wor");
    EXPECT_EQ(text(R"({\rtf1 a}}}} b\par c})"), u"a b\u2029c"_qs);
    EXPECT_EQ(text(R"({\rtf1 a{{{{b)"), "ab");
    EXPECT_EQ(text(R"(junk {\rtf1 a})"), "a");
    for (std::string_view truncated : { "{\\rtf1 x\\", "{\\rtf1 x\\b", "{\\rtf1 x\\fs2", "{\\rtf1 x\\'",
             "{\\rtf1 x\\'e", "{\\rtf1 x\\u", "{\\rtf1 x\\bin" })
        EXPECT_EQ(text(truncated), "x") << truncated;
    EXPECT_EQ(text(""), "");
    EXPECT_EQ(text("}"), "");

    auto huge = read(R"({\rtf1\fs99999999999999\li-99999999999999\cf99999999999 big})");
    EXPECT_EQ(look(*huge, "big"), "---- - 1638 - -");
    EXPECT_EQ(describe(huge->begin().blockFormat()), "left -2112 0 0");
}

TEST_F(RtfTest, NestingBeyondTheLimitIsReadFlat)
{
    std::string deep = "{\\rtf1 " + std::string(100000, '{') + "\\b deep" + std::string(100000, '}') + " after}";
    auto start = std::chrono::steady_clock::now();
    auto document = read(deep);
    EXPECT_EQ(document->toRawText(), "deep after");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

    std::string unclosed = "{\\rtf1 ";
    for (int i = 0; i < 100000; ++i)
        unclosed += "{\\i x";
    EXPECT_EQ(read(unclosed)->toRawText().size(), 100000);
}

// Laying the paragraph out again after every run would make this take minutes.
TEST_F(RtfTest, ManySmallRunsReadInLinearTime)
{
    std::string rtf = "{\\rtf1 ";
    for (int i = 0; i < 20000; ++i)
        rtf += "\\b a\\b0 b";
    rtf += "}";
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(read(rtf)->characterCount(), 40001);
    QTextDocument document;
    QTextCursor cursor(&document);
    RtfReader::Insert(rtf, cursor);
    EXPECT_EQ(document.characterCount(), 40001);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

// Random bytes and random sequences of RTF tokens: each must read promptly, and what is read must
// write out and read back the same.
TEST_F(RtfTest, RandomInputReadsAndRoundTrips)
{
    const std::vector<std::string> tokens = { "{", "}", "\\par ", "\\pard", "\\b", "\\b0", "\\i ",
        "\\ul", "\\f1 ", "\\fs48", "\\cf2", "\\highlight1", "\\qc", "\\li-300", "\\u-5", "\\u945",
        "\\uc2", "\\'e9", "\\'8", "\\bin2 ", "\\*", "\\fonttbl", "\\colortbl", "\\red255", ";",
        "\\pict", "\\line", "\\tab", "\\~", "\\\\", "\\{", "x", "yz ", "\xe9", "\r\n", std::string(1, '\0'),
        "\\ansicpg1251", "\\fcharset204", "\\fldrslt", "\\", "9", "-" };
    std::mt19937 random(20240611);
    for (int round = 0; round < 400; ++round) {
        std::string input = round % 2 ? "{\\rtf1 " : "";
        int length = int(random() % 300);
        for (int i = 0; i < length; ++i) {
            if (round % 4 == 0)
                input += char(random());
            else
                input += tokens[random() % tokens.size()];
        }
        auto document = read(input);
        QTextDocument again;
        RtfReader::Read(tk::RtfWriter::Write(*document), again);
        ASSERT_EQ(again.toRawText(), document->toRawText()) << "round " << round;
    }
}
