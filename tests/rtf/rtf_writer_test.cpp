#include "platform/codepage.h"
#include "tests/rtf/rtf_fixture.h"
#include "toolkit/rtf/rtf_writer.h"

#include <QTemporaryDir>

#include <fstream>
#include <functional>

#include <unistd.h>

using tk::RtfReader;
using tk::RtfWriter;

namespace {

QTextCharFormat base(const char* family = "Arial", double points = 10)
{
    QTextCharFormat format;
    format.setFontFamilies(QStringList { family });
    format.setFontPointSize(points);
    return format;
}

QTextCharFormat with(QTextCharFormat format, const std::function<void(QTextCharFormat&)>& change)
{
    change(format);
    return format;
}

std::string describe(const QTextCharFormat& f)
{
    auto brush = [](const QBrush& b) { return b.style() == Qt::NoBrush ? std::string("none") : b.color().name().toStdString(); };
    return std::string(f.fontWeight() >= QFont::DemiBold ? "b" : "-") + (f.fontItalic() ? "i" : "-")
        + (f.fontUnderline() ? "u" : "-") + (f.fontStrikeOut() ? "s" : "-") + " "
        + f.fontFamilies().toStringList().join(',').toStdString() + " " + std::to_string(f.fontPointSize())
        + " " + brush(f.foreground()) + " " + brush(f.background());
}

std::string describe(const QTextBlockFormat& f)
{
    return std::to_string(int(f.alignment() & Qt::AlignHorizontal_Mask)) + " " + std::to_string(f.leftMargin())
        + " " + std::to_string(f.rightMargin()) + " " + std::to_string(f.textIndent());
}

// One entry per character, and one per paragraph.
std::vector<std::string> characterLooks(const QTextDocument& document)
{
    std::vector<std::string> looks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it)
            looks.insert(looks.end(), it.fragment().length(), describe(it.fragment().charFormat()));
    }
    return looks;
}

std::vector<std::string> paragraphLooks(const QTextDocument& document)
{
    std::vector<std::string> looks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        looks.push_back(describe(block.blockFormat()));
    return looks;
}

QString allCp1252Upper()
{
    std::string bytes;
    for (int b = 0x80; b <= 0xFF; ++b)
        bytes += char(b);
    return QString::fromStdString(platform::cp1252ToUtf8(bytes));
}

using Builder = std::function<void(QTextCursor&)>;

const std::vector<std::pair<const char*, Builder>> kDocuments = {
    { "empty", [](QTextCursor&) {} },
    { "runs", [](QTextCursor& c) {
         QTextCharFormat plain = base();
         QTextCharFormat bold = with(plain, [](auto& f) { f.setFontWeight(QFont::Bold); });
         QTextCharFormat red = with(plain, [](auto& f) { f.setForeground(QColor(200, 0, 0)); });
         c.insertText("plain ", plain);
         c.insertText("bold ", bold);
         c.insertText("bold italic ", with(bold, [](auto& f) { f.setFontItalic(true); }));
         c.insertText("under ", with(plain, [](auto& f) { f.setFontUnderline(true); }));
         c.insertText("struck ", with(plain, [](auto& f) { f.setFontStrikeOut(true); }));
         c.insertText("red ", red);
         c.insertText("marked ", with(red, [](auto& f) { f.setBackground(QColor(255, 255, 0)); }));
         c.insertText("mono ", base("Courier New", 10.5));
         c.insertText("big", with(base("Times New Roman", 36), [](auto& f) {
             f.setFontWeight(QFont::Bold);
             f.setForeground(QColor(0, 0, 255));
         }));
         c.insertText(" plain again", plain);
     } },
    { "paragraphs", [](QTextCursor& c) {
         QTextBlockFormat centred, right, hanging;
         centred.setAlignment(Qt::AlignHCenter);
         right.setAlignment(Qt::AlignRight);
         right.setRightMargin(15);
         hanging.setAlignment(Qt::AlignJustify);
         hanging.setLeftMargin(30);
         hanging.setTextIndent(-20);
         c.setBlockFormat(centred);
         c.insertText("centred", base());
         c.insertBlock(right, base());
         c.insertText("right", with(base(), [](auto& f) { f.setFontItalic(true); }));
         c.insertBlock(QTextBlockFormat(), base());
         c.insertBlock(hanging, base());
         c.insertText("hanging", with(base(), [](auto& f) { f.setFontWeight(QFont::Bold); }));
         c.insertText(" on", base());
         c.insertBlock(QTextBlockFormat(), base());
     } },
    { "characters", [](QTextCursor& c) {
         QTextCharFormat bold = with(base(), [](auto& f) { f.setFontWeight(QFont::Bold); });
         c.insertText(u"\\ {braces} \ttab\u2028line nbsp\u00a0soft\u00adhyphen non\u2011breaking"_qs, base());
         c.insertText(u" \u03b1"_qs, base());
         c.insertText("5 spaced", bold);
         c.insertText(u" \u6f22\u5b57 \U0001F600 ?? "_qs, base());
         c.insertText(allCp1252Upper(), base());
     } },
    { "leading empty paragraph", [](QTextCursor& c) {
         c.insertBlock(QTextBlockFormat(), base());
         c.insertText("second", base());
     } },
};

}

TEST_F(RtfTest, WrittenDocumentsReadBackTheSame)
{
    for (const auto& [name, build] : kDocuments) {
        SCOPED_TRACE(name);
        QTextDocument original;
        QTextCursor cursor(&original);
        build(cursor);
        std::string rtf = RtfWriter::Write(original);
        auto back = read(rtf);
        EXPECT_EQ(back->toRawText(), original.toRawText()) << rtf;
        EXPECT_EQ(paragraphLooks(*back), paragraphLooks(original)) << rtf;
        EXPECT_EQ(characterLooks(*back), characterLooks(original)) << rtf;
    }
}

TEST_F(RtfTest, UnsetFormattingWritesAsTheDocumentDefault)
{
    QTextDocument original;
    original.setDefaultFont(QFont("Courier New", 10));
    QTextCursor cursor(&original);
    cursor.insertText("default ");
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText("bold", bold);

    auto back = read(RtfWriter::Write(original));
    EXPECT_EQ(describe(formatOf(*back, "default")), "---- Courier New 10.000000 none none");
    EXPECT_EQ(describe(formatOf(*back, "bold")), "b--- Courier New 10.000000 none none");
}

TEST_F(RtfTest, OutputIsSevenBitWithWindows1252AsHexEscapes)
{
    QTextDocument document;
    QTextCursor(&document).insertText(allCp1252Upper() + u"\u03b1\U0001F600\\{}\t\u2028"_qs);
    std::string rtf = RtfWriter::Write(document);

    EXPECT_TRUE(rtf.starts_with("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil ")) << rtf;
    EXPECT_TRUE(rtf.find("{\\colortbl ;") != std::string::npos) << rtf;
    EXPECT_EQ(rtf.back(), '}');
    for (char c : rtf)
        ASSERT_TRUE((c >= 0x20 && c < 0x7F) || c == '\r' || c == '\n') << int(c);
    for (const char* escaped : { "\\'80", "\\'9f", "\\'e9", "\\'ff", "\\u945?\\u-10179?\\u-8704?",
             "\\\\\\{\\}\\tab \\line " })
        EXPECT_NE(rtf.find(escaped), std::string::npos) << escaped << " in " << rtf;
    // Every Windows-1252 character went as \'hh: the only \u are the three units above.
    std::size_t units = 0;
    for (std::size_t at = rtf.find("\\u"); at != std::string::npos; at = rtf.find("\\u", at + 1))
        units += rtf.compare(at, 3, "\\ul") != 0;
    EXPECT_EQ(units, 3u);
}

TEST_F(RtfTest, CopiedSelectionPastesWithItsBreaksAndFormatting)
{
    QTextDocument source;
    QTextCursor s(&source);
    s.insertText("Alpha ", base());
    s.insertText("bold", with(base(), [](auto& f) { f.setFontWeight(QFont::Bold); }));
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    s.insertBlock(centred, base());
    s.insertText("Beta", base());

    auto paste = [&](int from, int to) {
        QTextDocument target;
        QTextCursor t(&target);
        QTextBlockFormat right;
        right.setAlignment(Qt::AlignRight);
        t.setBlockFormat(right);
        t.insertText("x---y", base("Times New Roman", 20));
        t.setPosition(1);
        t.setPosition(4, QTextCursor::KeepAnchor);
        QTextCursor selection(&source);
        selection.setPosition(from);
        selection.setPosition(to, QTextCursor::KeepAnchor);
        RtfReader::Insert(RtfWriter::WriteSelection(selection), t);
        return std::make_pair(target.toRawText(), paragraphLooks(target));
    };

    // Across a break: the first paragraph takes the copied one's format, the rest keeps its own.
    auto [across, acrossLooks] = paste(2, 13);
    EXPECT_EQ(across, u"xpha bold\u2029Bey"_qs);
    ASSERT_EQ(acrossLooks.size(), 2u);
    EXPECT_EQ(acrossLooks[0].substr(0, 2), std::to_string(int(Qt::AlignLeft)) + " ");
    EXPECT_EQ(acrossLooks[1].substr(0, 2), std::to_string(int(Qt::AlignRight)) + " ");

    EXPECT_EQ(paste(0, 11).first, u"xAlpha bold\u2029y"_qs); // the break after "bold" is in it
    EXPECT_EQ(paste(2, 5).first, u"xphay"_qs);
    EXPECT_EQ(paste(3, 3).first, u"xy"_qs);

    QTextDocument target;
    QTextCursor t(&target);
    t.insertText("[]");
    t.setPosition(1);
    QTextCursor word(&source);
    word.setPosition(6);
    word.setPosition(10, QTextCursor::KeepAnchor);
    RtfReader::Insert(RtfWriter::WriteSelection(word), t);
    EXPECT_EQ(target.toRawText(), "[bold]");
    EXPECT_EQ(formatOf(target, "bold").fontWeight(), QFont::Bold);
    EXPECT_EQ(t.position(), 5); // after what was pasted
}

TEST_F(RtfTest, AnIndependentReaderReadsTheSameText)
{
    if (access("/usr/bin/unrtf", X_OK) != 0)
        GTEST_SKIP() << "unrtf is not installed";
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText("Caf\u00e9 au lait, ", base());
    cursor.insertText("strong", with(base("Courier New", 14), [](auto& f) { f.setFontWeight(QFont::Bold); }));
    cursor.insertBlock();
    cursor.insertText("{braces} and back\\slash", base());

    QTemporaryDir dir;
    std::string path = dir.filePath("text.rtf").toStdString();
    std::ofstream(path, std::ios::binary) << RtfWriter::Write(document);
    std::string printed = run("unrtf --text '" + path + "' 2>/dev/null");

    // Its header lines begin with ###, and it prints Windows-1252 text in that code page.
    std::string body;
    std::size_t start = 0;
    for (std::size_t end; (end = printed.find('\n', start)) != std::string::npos; start = end + 1) {
        if (printed.compare(start, 3, "###") != 0)
            body += printed.substr(start, end - start + 1);
    }
    body += printed.substr(start);
    EXPECT_TRUE(body.find("Caf\xe9 au lait, strong") != std::string::npos
        || body.find("Caf\xc3\xa9 au lait, strong") != std::string::npos)
        << body;
    EXPECT_NE(body.find("{braces} and back\\slash"), std::string::npos) << body;
}
