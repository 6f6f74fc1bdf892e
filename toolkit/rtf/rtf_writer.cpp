// SPDX-License-Identifier: MIT
#include "toolkit/rtf/rtf_writer.h"

#include "toolkit/win_text.h"

#include <QBrush>
#include <QBuffer>
#include <QImage>
#include <QPixmap>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace tk {

namespace {

// The Windows-1252 byte of a character above ASCII, or -1 when it has none.
int cp1252Byte(char16_t unit)
{
    if (unit >= 0xA0 && unit <= 0xFF)
        return unit;
    std::string byte = toWinText(QString(QChar(unit)));
    return byte.size() == 1 && byte[0] != '?' ? static_cast<unsigned char>(byte[0]) : -1;
}

void appendHexByte(std::string& out, int byte)
{
    static constexpr char digits[] = "0123456789abcdef";
    out += "\\'";
    out += digits[byte >> 4];
    out += digits[byte & 0xF];
}

// Text as RTF: 7-bit ASCII, Windows-1252 as \'hh, everything else as UTF-16 units \uN with a "?"
// for readers that lack Unicode.
void appendEscaped(std::string& out, QStringView text)
{
    for (QChar c : text) {
        char16_t unit = c.unicode();
        if (unit == '\\' || unit == '{' || unit == '}') {
            out += '\\';
            out += char(unit);
        } else if (unit == '\t') {
            out += "\\tab ";
        } else if (unit == QChar::LineSeparator) {
            out += "\\line ";
        } else if (unit >= 0x20 && unit < 0x80) {
            out += char(unit);
        } else if (int byte = unit >= 0x80 ? cp1252Byte(unit) : -1; byte >= 0) {
            appendHexByte(out, byte);
        } else {
            out += "\\u";
            out += std::to_string(int(std::int16_t(unit)));
            out += '?';
        }
    }
}

int twips(double pixels)
{
    return int(std::lround(std::clamp(pixels, -1e6, 1e6) * 15.0));
}

// Tables get equal columns over a page's width, 6.5 inches.
constexpr int kTableTwips = 9360;

// The marker a list item shows: its number as the list counts, or a bullet.
std::string listMarker(const QTextList& list, const QTextBlock& block)
{
    int number = list.itemNumber(block) + 1;
    switch (list.format().style()) {
    case QTextListFormat::ListDecimal: return std::to_string(number) + ".";
    case QTextListFormat::ListLowerAlpha: return std::string(1, char('a' + (number - 1) % 26)) + ".";
    case QTextListFormat::ListUpperAlpha: return std::string(1, char('A' + (number - 1) % 26)) + ".";
    case QTextListFormat::ListCircle: return "o";
    case QTextListFormat::ListSquare: return "\\'a7";
    default: return "\\'95";
    }
}

// A picture's bytes as the file will hold them: PNG or JPEG as they came, anything else as PNG.
QByteArray pictureBytes(const QVariant& resource, bool& jpeg)
{
    QByteArray bytes;
    if (resource.userType() == QMetaType::QByteArray)
        bytes = resource.toByteArray();
    jpeg = bytes.startsWith("\xFF\xD8");
    if (jpeg || bytes.startsWith("\x89PNG"))
        return bytes;
    QImage image;
    if (resource.userType() == QMetaType::QImage)
        image = resource.value<QImage>();
    else if (resource.userType() == QMetaType::QPixmap)
        image = resource.value<QPixmap>().toImage();
    else
        image.loadFromData(bytes);
    bytes.clear();
    if (!image.isNull()) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
    }
    return bytes;
}

}

std::string RtfWriter::Write(const QTextDocument& document, const QString& face)
{
    return RtfWriter(document, face).WriteRange(0, document.characterCount() - 1);
}

std::string RtfWriter::WriteSelection(const QTextCursor& cursor, const QString& face)
{
    if (!cursor.document()) {
        QTextDocument empty;
        return Write(empty, face);
    }
    return RtfWriter(*cursor.document(), face).WriteRange(cursor.selectionStart(), cursor.selectionEnd());
}

RtfWriter::RtfWriter(const QTextDocument& document, const QString& face)
    : m_document(document)
    , m_defaultFont(document.defaultFont())
    , m_defaultFamily(m_defaultFont.families().value(0, m_defaultFont.family()))
{
    // Font 0 (\deff0) is the document's own, so runs that name no font get it back.
    QString name = face.isEmpty() ? m_defaultFamily : face;
    m_fonts.push_back(name.isEmpty() ? QStringLiteral("Arial") : name);
}

// Characters start..end of the document. Every paragraph met is written with its \par, the one
// holding `end` too: a selection that takes a paragraph break must paste that break.
std::string RtfWriter::WriteRange(int start, int end)
{
    for (QTextBlock block = m_document.findBlock(start); block.isValid() && block.position() <= end;
         block = block.next()) {
        // A table is written whole, row by row; its cells' paragraphs are not met again.
        if (QTextTable* table = QTextCursor(block).currentTable()) {
            WriteTable(*table, start, end);
            block = table->lastCursorPosition().block();
            continue;
        }
        WriteBlock(block, start, end);
    }
    return Header() + m_body + "}";
}

void RtfWriter::WriteBlock(const QTextBlock& block, int start, int end, const char* ending)
{
    Control("pard");
    if (std::string_view(ending) == "cell")
        Control("intbl");
    WriteParagraphFormat(block.blockFormat());
    if (block.textList())
        WriteListMarker(block);
    QString link;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        QTextFragment fragment = it.fragment();
        int from = std::max(fragment.position(), start);
        int to = std::min(fragment.position() + fragment.length(), end);
        if (from >= to)
            continue;
        QTextCharFormat format = fragment.charFormat();
        QString target = format.isAnchor() ? format.anchorHref() : QString();
        if (target != link) {
            if (!link.isEmpty())
                CloseLink();
            if (!target.isEmpty())
                OpenLink(target);
            link = target;
        }
        if (format.isImageFormat()) {
            for (int i = from; i < to; ++i)
                WritePicture(format.toImageFormat());
            continue;
        }
        WriteRun(QStringView(fragment.text()).mid(from - fragment.position(), to - from), format);
    }
    if (!link.isEmpty())
        CloseLink();
    Control(ending);
    m_body += "\r\n";
    m_delimit = false;
}

// Each row defines its cells, then holds their paragraphs; a cell's last paragraph ends with
// \cell. A place a merged cell spans is written as an empty cell, so every row has them all.
void RtfWriter::WriteTable(const QTextTable& table, int start, int end)
{
    int columns = std::max(1, table.columns());
    bool border = table.format().border() > 0;
    for (int row = 0; row < table.rows(); ++row) {
        Control("trowd");
        for (int column = 0; column < columns; ++column) {
            if (border)
                m_body += "\\clbrdrt\\brdrs\\clbrdrl\\brdrs\\clbrdrb\\brdrs\\clbrdrr\\brdrs";
            Control("cellx", kTableTwips * (column + 1) / columns);
        }
        m_body += "\r\n";
        m_delimit = false;
        for (int column = 0; column < columns; ++column) {
            QTextTableCell cell = table.cellAt(row, column);
            if (cell.row() != row || cell.column() != column) {
                Control("pard");
                Control("intbl");
                Control("cell");
                continue;
            }
            QTextBlock last = cell.lastCursorPosition().block();
            for (QTextBlock block = cell.firstCursorPosition().block(); block.isValid(); block = block.next()) {
                WriteBlock(block, start, end, block == last ? "cell" : "par");
                if (block == last)
                    break;
            }
        }
        Control("row");
        m_body += "\r\n";
        m_delimit = false;
    }
}

// The marker as text for every reader, and the list's kind for those that number by themselves.
void RtfWriter::WriteListMarker(const QTextBlock& block)
{
    const QTextList& list = *block.textList();
    QTextListFormat::Style style = list.format().style();
    bool numbered = style == QTextListFormat::ListDecimal || style == QTextListFormat::ListLowerAlpha
        || style == QTextListFormat::ListUpperAlpha;
    m_body += "{\\pntext " + listMarker(list, block) + "\\tab}{\\*\\pn";
    if (!numbered) {
        m_body += "\\pnlvlblt{\\pntxtb " + listMarker(list, block) + "}}";
    } else {
        m_body += style == QTextListFormat::ListDecimal ? "\\pnlvlbody\\pndec"
            : style == QTextListFormat::ListLowerAlpha ? "\\pnlvlbody\\pnlcltr" : "\\pnlvlbody\\pnucltr";
        m_body += "\\pnstart1{\\pntxta .}}";
    }
    m_delimit = false;
}

void RtfWriter::WritePicture(const QTextImageFormat& format)
{
    bool jpeg = false;
    QByteArray bytes = pictureBytes(m_document.resource(QTextDocument::ImageResource, QUrl(format.name())), jpeg);
    QImage image;
    if (bytes.isEmpty() || !image.loadFromData(bytes))
        return;
    double width = format.width() > 0 ? format.width() : image.width();
    double height = format.height() > 0 ? format.height() : image.height();
    m_body += jpeg ? "{\\pict\\jpegblip" : "{\\pict\\pngblip";
    m_body += "\\picw" + std::to_string(image.width()) + "\\pich" + std::to_string(image.height());
    m_body += "\\picwgoal" + std::to_string(twips(width)) + "\\pichgoal" + std::to_string(twips(height));
    QByteArray hex = bytes.toHex();
    for (qsizetype at = 0; at < hex.size(); at += 128) {
        m_body += "\r\n";
        m_body.append(hex.constData() + at, std::size_t(std::min<qsizetype>(128, hex.size() - at)));
    }
    m_body += "}";
    m_delimit = false;
}

// A link is a HYPERLINK field; its result's formatting ends with its group.
void RtfWriter::OpenLink(const QString& target)
{
    QString quoted = target;
    quoted.replace(u'"', QStringLiteral("%22"));
    m_body += "{\\field{\\*\\fldinst HYPERLINK \"";
    appendEscaped(m_body, quoted);
    m_body += "\"}{\\fldrslt ";
    m_beforeLink = m_written;
    m_delimit = false;
}

void RtfWriter::CloseLink()
{
    m_body += "}}";
    m_written = m_beforeLink;
    m_delimit = false;
}

void RtfWriter::WriteParagraphFormat(const QTextBlockFormat& format)
{
    Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
    if (alignment & Qt::AlignHCenter)
        Control("qc");
    else if (alignment & Qt::AlignJustify)
        Control("qj");
    else if (alignment & Qt::AlignRight)
        Control("qr");
    // Qt's indent levels are whole steps of the document's indent width; RTF has only margins.
    if (int left = twips(format.leftMargin() + format.indent() * m_document.indentWidth()); left != 0)
        Control("li", left);
    if (int right = twips(format.rightMargin()); right != 0)
        Control("ri", right);
    if (int first = twips(format.textIndent()); first != 0)
        Control("fi", first);
    if (int before = twips(format.topMargin()); before > 0)
        Control("sb", before);
    if (int after = twips(format.bottomMargin()); after > 0)
        Control("sa", after);
    switch (format.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        if (int percent = int(std::lround(format.lineHeight())); percent > 0 && percent != 100) {
            Control("sl", percent * 240 / 100);
            Control("slmult", 1);
        }
        break;
    case QTextBlockFormat::MinimumHeight: Control("sl", twips(format.lineHeight())); break;
    case QTextBlockFormat::FixedHeight: Control("sl", -twips(format.lineHeight())); break;
    default: break;
    }
}

void RtfWriter::WriteRun(QStringView text, const QTextCharFormat& format)
{
    WriteLook(LookOf(format));
    if (m_delimit)
        m_body += ' ';
    m_delimit = false;
    appendEscaped(m_body, text);
}

// Only what changed since the last run: character formatting carries on across \pard.
void RtfWriter::WriteLook(const Look& look)
{
    const Look& was = m_written;
    if (look.bold != was.bold)
        look.bold ? Control("b") : Control("b", 0);
    if (look.italic != was.italic)
        look.italic ? Control("i") : Control("i", 0);
    if (look.underline != was.underline)
        look.underline ? Control("ul") : Control("ulnone");
    if (look.strike != was.strike)
        look.strike ? Control("strike") : Control("strike", 0);
    if (look.font != was.font)
        Control("f", look.font);
    if (look.halfPoints != was.halfPoints)
        Control("fs", look.halfPoints);
    if (look.foreground != was.foreground)
        Control("cf", look.foreground);
    if (look.background != was.background)
        Control("highlight", look.background);
    if (look.vertical != was.vertical)
        Control(look.vertical == 1 ? "super" : look.vertical == 2 ? "sub" : "nosupersub");
    m_written = look;
}

void RtfWriter::Control(const char* word)
{
    m_body += '\\';
    m_body += word;
    m_delimit = true;
}

void RtfWriter::Control(const char* word, int param)
{
    Control(word);
    m_body += std::to_string(param);
}

// What the run looks like, with what it leaves unset taken from the document's default font.
RtfWriter::Look RtfWriter::LookOf(const QTextCharFormat& format)
{
    QFont font = format.font().resolve(m_defaultFont);
    Look look;
    look.bold = font.weight() >= QFont::DemiBold;
    look.italic = font.italic();
    look.underline = font.underline();
    look.strike = font.strikeOut();
    look.font = FontIndex(font.families().value(0, font.family()));
    double points = font.pointSizeF();
    if (points <= 0 && font.pixelSize() > 0)
        points = font.pixelSize() * 72.0 / 96.0;
    if (points <= 0)
        points = 12;
    look.halfPoints = std::clamp(int(std::lround(points * 2)), 2, 3276);
    look.foreground = ColorIndex(format.foreground());
    look.background = ColorIndex(format.background());
    QTextCharFormat::VerticalAlignment vertical = format.verticalAlignment();
    look.vertical = vertical == QTextCharFormat::AlignSuperScript ? 1 : vertical == QTextCharFormat::AlignSubScript ? 2 : 0;
    return look;
}

int RtfWriter::FontIndex(const QString& family)
{
    if (family.isEmpty() || family == m_defaultFamily)
        return 0;
    auto found = std::find(m_fonts.begin(), m_fonts.end(), family);
    if (found != m_fonts.end())
        return int(found - m_fonts.begin());
    m_fonts.push_back(family);
    return int(m_fonts.size()) - 1;
}

// Entry 0 of the colour table is "auto", for runs with no brush of their own.
int RtfWriter::ColorIndex(const QBrush& brush)
{
    if (brush.style() == Qt::NoBrush)
        return 0;
    QRgb rgb = brush.color().rgb();
    auto found = std::find(m_colors.begin(), m_colors.end(), rgb);
    if (found != m_colors.end())
        return int(found - m_colors.begin()) + 1;
    m_colors.push_back(rgb);
    return int(m_colors.size());
}

std::string RtfWriter::Header() const
{
    std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
    for (std::size_t i = 0; i < m_fonts.size(); ++i) {
        out += "{\\f" + std::to_string(i) + "\\fnil ";
        // A semicolon would end the name early.
        QString name = m_fonts[i];
        appendEscaped(out, name.remove(u';'));
        out += ";}";
    }
    out += "}{\\colortbl ;";
    for (QRgb rgb : m_colors)
        out += "\\red" + std::to_string(qRed(rgb)) + "\\green" + std::to_string(qGreen(rgb))
            + "\\blue" + std::to_string(qBlue(rgb)) + ";";
    out += "}\r\n";
    return out;
}

}
