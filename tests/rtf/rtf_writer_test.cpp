// SPDX-License-Identifier: MIT
#include "platform/codepage.h"
#include "tests/rtf/rtf_fixture.h"
#include "toolkit/rtf/rtf_writer.h"

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

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

QTextCharFormat bold(QTextCharFormat format = base())
{
    format.setFontWeight(QFont::Bold);
    return format;
}

QString allCp1252Upper()
{
    std::string bytes;
    for (int b = 0x80; b <= 0xFF; ++b)
        bytes += char(b);
    return QString::fromStdString(platform::cp1252ToUtf8(bytes));
}

const std::vector<std::pair<const char*, std::function<void(QTextCursor&)>>> kDocuments = {
    { "empty", [](QTextCursor&) {} },
    { "runs", [](QTextCursor& c) {
         QTextCharFormat italic = bold(), under = base(), struck = base(), red = base(), big = bold(base("Times New Roman", 36));
         italic.setFontItalic(true);
         under.setFontUnderline(true);
         struck.setFontStrikeOut(true);
         red.setForeground(QColor(200, 0, 0));
         QTextCharFormat marked = red;
         marked.setBackground(QColor(255, 255, 0));
         big.setForeground(QColor(0, 0, 255));
         for (const auto& [text, format] : { std::pair { "plain ", base() }, { "bold ", bold() },
                  { "bold italic ", italic }, { "under ", under }, { "struck ", struck }, { "red ", red },
                  { "marked ", marked }, { "mono ", base("Courier New", 10.5) }, { "big", big },
                  { " plain again", base() } })
             c.insertText(text, format);
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
         c.insertText("right", bold());
         c.insertBlock(QTextBlockFormat(), base());
         c.insertBlock(hanging, base());
         c.insertText("hanging", bold());
         c.insertText(" on", base());
         c.insertBlock(QTextBlockFormat(), base());
     } },
    { "characters", [](QTextCursor& c) {
         c.insertText(u"\\ {braces} \ttab\u2028line nbsp\u00a0soft\u00adhyphen non\u2011breaking \u03b1"_qs, base());
         c.insertText("5 spaced", bold());
         c.insertText(u" \u6f22\u5b57 \U0001F600 ?? "_qs + allCp1252Upper(), base());
     } },
    { "leading empty paragraph", [](QTextCursor& c) {
         c.insertBlock(QTextBlockFormat(), base());
         c.insertText("second", base());
     } },
};

std::vector<std::string> looks(const QTextDocument& document)
{
    std::vector<std::string> looks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        looks.push_back("paragraph " + RtfTest::describe(block.blockFormat()));
        for (auto it = block.begin(); !it.atEnd(); ++it)
            looks.insert(looks.end(), it.fragment().length(), RtfTest::describe(it.fragment().charFormat()));
    }
    return looks;
}

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
        EXPECT_EQ(looks(*back), looks(original)) << rtf;
    }
}

TEST_F(RtfTest, UnsetFormattingWritesAsTheDocumentDefault)
{
    QTextDocument original;
    original.setDefaultFont(QFont("Courier New", 10));
    QTextCursor cursor(&original);
    cursor.insertText("default ");
    QTextCharFormat onlyBold;
    onlyBold.setFontWeight(QFont::Bold);
    cursor.insertText("bold", onlyBold);

    auto back = read(RtfWriter::Write(original));
    EXPECT_EQ(look(*back, "default"), "---- Courier New 10 - -");
    EXPECT_EQ(look(*back, "bold"), "b--- Courier New 10 - -");
}

TEST_F(RtfTest, OutputIsSevenBitWithWindows1252AsHexEscapes)
{
    QTextDocument document;
    QTextCursor(&document).insertText(allCp1252Upper() + u"\u03b1\U0001F600\\{}\t\u2028"_qs);
    std::string rtf = RtfWriter::Write(document);

    EXPECT_TRUE(rtf.starts_with("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil ")) << rtf;
    EXPECT_TRUE(rtf.ends_with("}"));
    EXPECT_TRUE(std::all_of(rtf.begin(), rtf.end(), [](char c) { return (c >= 0x20 && c < 0x7F) || c == '\r' || c == '\n'; }));
    for (const char* escaped : { "{\\colortbl ;}", "\\'80", "\\'9f", "\\'e9", "\\'ff",
             "\\u945?\\u-10179?\\u-8704?\\\\\\{\\}\\tab \\line " })
        EXPECT_NE(rtf.find(escaped), std::string::npos) << escaped << " in " << rtf;
    // Every Windows-1252 character went as \'hh: the only \u are the three units above.
    std::size_t units = 0;
    for (std::size_t at = rtf.find("\\u"); at != std::string::npos; at = rtf.find("\\u", at + 1))
        ++units;
    EXPECT_EQ(units, 3u);
}

TEST_F(RtfTest, CopiedSelectionPastesWithItsBreaksAndFormatting)
{
    QTextDocument source;
    QTextCursor s(&source);
    s.insertText("Alpha ", base());
    s.insertText("bold", bold());
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    s.insertBlock(centred, base());
    s.insertText("Beta", base());

    // Copies source[from, to) over the "---" of a right-aligned "x---y".
    auto paste = [&](int from, int to) {
        auto target = std::make_unique<QTextDocument>();
        QTextCursor t(target.get());
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
        EXPECT_EQ(t.position(), 1 + to - from) << "caret after what was pasted";
        return target;
    };

    // Across a break, the first paragraph takes the copied one's format and the rest keeps its own.
    auto across = paste(2, 13);
    EXPECT_EQ(across->toRawText(), u"xpha bold\u2029Bey"_qs);
    EXPECT_EQ(describe(across->begin().blockFormat()), "left 0 0 0");
    EXPECT_EQ(describe(across->lastBlock().blockFormat()), "right 0 0 0");
    EXPECT_EQ(look(*across, "bold"), "b--- Arial 10 - -");
    EXPECT_EQ(look(*across, "y"), "---- Times New Roman 20 - -");

    EXPECT_EQ(paste(0, 11)->toRawText(), u"xAlpha bold\u2029y"_qs); // the break after "bold" is in it
    EXPECT_EQ(paste(2, 5)->toRawText(), u"xphay"_qs);
    EXPECT_EQ(paste(3, 3)->toRawText(), u"xy"_qs);
}

TEST_F(RtfTest, AnIndependentReaderReadsTheSameText)
{
    if (access("/usr/bin/unrtf", X_OK) != 0)
        GTEST_SKIP() << "unrtf is not installed";
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText("Caf\u00e9 au lait, ", base());
    cursor.insertText("strong", bold(base("Courier New", 14)));
    cursor.insertBlock();
    cursor.insertText("{braces} and back\\slash", base());

    QTemporaryDir dir;
    std::string path = dir.filePath("text.rtf").toStdString();
    std::ofstream(path, std::ios::binary) << RtfWriter::Write(document);
    std::string printed = run("unrtf --text '" + path + "' 2>/dev/null");

    // Its header lines begin with ###; it prints Windows-1252 text in that code page.
    std::string body;
    std::size_t start = 0;
    for (std::size_t end; (end = printed.find('\n', start)) != std::string::npos; start = end + 1) {
        if (printed.compare(start, 3, "###") != 0)
            body += printed.substr(start, end - start + 1);
    }
    EXPECT_TRUE(body.find("Caf\xe9 au lait, strong") != std::string::npos
        || body.find("Caf\xc3\xa9 au lait, strong") != std::string::npos)
        << body;
    EXPECT_NE(body.find("{braces} and back\\slash"), std::string::npos) << body;
}

namespace {

QByteArray encoded(const char* format)
{
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(QColor(200, 30, 30));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// Everything the editor shows beyond runs and paragraphs: spacing, scripts, a link, two lists, a
// bordered table and a PNG and a JPEG picture.
void buildRich(QTextDocument& document)
{
    QTextCursor c(&document);
    QTextBlockFormat spaced;
    spaced.setTopMargin(10);
    spaced.setBottomMargin(4);
    spaced.setLineHeight(150, QTextBlockFormat::ProportionalHeight);
    c.setBlockFormat(spaced);
    QTextCharFormat sub = base(), super = base(), link = base();
    sub.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    super.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    link.setAnchor(true);
    link.setAnchorHref("http://example.com/a?b=1&c=%22x%22");
    c.insertText("H", base());
    c.insertText("2", sub);
    c.insertText("O m", base());
    c.insertText("2", super);
    c.insertText(" ", base());
    c.insertText("site", link);
    for (auto style : { QTextListFormat::ListDisc, QTextListFormat::ListDecimal }) {
        c.insertBlock(QTextBlockFormat(), base());
        c.createList(style);
        c.insertText("one", base());
        c.insertBlock(c.blockFormat(), base());
        c.insertText("two", base());
    }
    c.insertBlock(QTextBlockFormat(), base());
    c.setBlockFormat(QTextBlockFormat());
    c.insertText("before", base());
    QTextTableFormat bordered;
    bordered.setBorder(1);
    QTextTable* table = c.insertTable(2, 2, bordered);
    for (int cell = 0; cell < 4; ++cell) {
        table->cellAt(cell / 2, cell % 2).firstCursorPosition().insertText(QString("cell %1").arg(cell), base());
    }
    c = table->lastCursorPosition();
    c.movePosition(QTextCursor::NextBlock);
    c.insertText("after ", base());
    for (const char* format : { "PNG", "JPEG" }) {
        document.addResource(QTextDocument::ImageResource, QUrl(format), encoded(format));
        QTextImageFormat image;
        image.setName(format);
        image.setWidth(8);
        image.setHeight(6);
        c.insertImage(image);
    }
}

std::vector<std::string> structure(QTextDocument& document)
{
    std::vector<std::string> seen;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat f = block.blockFormat();
        std::string line = block.text().toStdString() + " |";
        if (f.topMargin() || f.bottomMargin() || f.lineHeightType())
            line += " spacing " + std::to_string(int(f.topMargin())) + "/" + std::to_string(int(f.bottomMargin()))
                + "/" + std::to_string(int(f.lineHeight()));
        if (QTextList* list = block.textList())
            line += " list " + std::to_string(list->format().style()) + " #" + std::to_string(list->itemNumber(block));
        if (QTextTable* table = QTextCursor(block).currentTable()) {
            QTextTableCell cell = table->cellAt(block.position());
            line += " cell " + std::to_string(cell.row()) + "," + std::to_string(cell.column()) + " of "
                + std::to_string(table->rows()) + "x" + std::to_string(table->columns())
                + (table->format().border() > 0 ? " bordered" : "");
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            QTextCharFormat f = it.fragment().charFormat();
            if (f.verticalAlignment())
                line += " script " + std::to_string(f.verticalAlignment());
            if (f.isAnchor())
                line += " link " + f.anchorHref().toStdString();
            if (f.isImageFormat()) {
                QTextImageFormat image = f.toImageFormat();
                QByteArray bytes = document.resource(QTextDocument::ImageResource, QUrl(image.name())).toByteArray();
                line += " picture " + std::to_string(int(image.width())) + "x" + std::to_string(int(image.height()))
                    + (bytes.startsWith("\xFF\xD8") ? " jpeg" : bytes.startsWith("\x89PNG") ? " png" : " ?");
            }
        }
        seen.push_back(line);
    }
    return seen;
}

}

TEST_F(RtfTest, ListsTablesPicturesLinksScriptsAndSpacingRoundTrip)
{
    QTextDocument original;
    buildRich(original);
    std::string rtf = RtfWriter::Write(original, "MS Sans Serif");
    EXPECT_NE(rtf.find("{\\f0\\fnil MS Sans Serif;}"), std::string::npos);
    auto back = read(rtf);
    EXPECT_EQ(back->toRawText(), original.toRawText()) << rtf;
    EXPECT_EQ(structure(*back), structure(original)) << rtf;
    // What was read writes out as it came: an unchanged file needs no rewriting.
    EXPECT_EQ(RtfWriter::Write(*back, "MS Sans Serif"), rtf);

    QTemporaryDir dir;
    std::string path = dir.filePath("rich.rtf").toStdString();
    std::ofstream(path, std::ios::binary) << rtf;
    if (access("/usr/bin/unrtf", X_OK) == 0) {
        std::string printed = run("cd '" + dir.path().toStdString() + "' && unrtf --text rich.rtf 2>/dev/null");
        for (const char* text : { "site", "one", "two", "before", "cell 0", "cell 3", "after" })
            EXPECT_NE(printed.find(text), std::string::npos) << text << " in " << printed;
    }
    if (access("/usr/bin/soffice", X_OK) != 0)
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    run("cd '" + dir.path().toStdString() + "' && soffice --headless --convert-to html rich.rtf >/dev/null 2>&1");
    // The converter breaks its HTML lines anywhere, inside a text too: one blank for each run.
    std::string html = run("tr -s ' \\t\\n' ' ' < '" + dir.filePath("rich.html").toStdString() + "'");
    for (const char* text : { "<table", "<img", "<sub>", "<sup>", "http://example.com/a", "<ul", "<ol", "cell 3" })
        EXPECT_NE(html.find(text), std::string::npos) << text;
}
