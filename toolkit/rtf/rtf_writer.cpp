// SPDX-License-Identifier: MIT
#include "toolkit/rtf/rtf_writer.h"

#include "toolkit/win_text.h"

#include <QBrush>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cmath>
#include <cstdint>

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

}

std::string RtfWriter::Write(const QTextDocument& document)
{
    return RtfWriter(document).WriteRange(0, document.characterCount() - 1);
}

std::string RtfWriter::WriteSelection(const QTextCursor& cursor)
{
    if (!cursor.document()) {
        QTextDocument empty;
        return Write(empty);
    }
    return RtfWriter(*cursor.document()).WriteRange(cursor.selectionStart(), cursor.selectionEnd());
}

RtfWriter::RtfWriter(const QTextDocument& document)
    : m_document(document)
    , m_defaultFont(document.defaultFont())
{
    // Font 0 (\deff0) is the document's own, so runs that name no font get it back.
    QString family = m_defaultFont.families().value(0, m_defaultFont.family());
    m_fonts.push_back(family.isEmpty() ? QStringLiteral("Arial") : family);
}

// Characters start..end of the document. Every paragraph met is written with its \par, the one
// holding `end` too: a selection that takes a paragraph break must paste that break.
std::string RtfWriter::WriteRange(int start, int end)
{
    for (QTextBlock block = m_document.findBlock(start); block.isValid() && block.position() <= end;
         block = block.next())
        WriteBlock(block, start, end);
    return Header() + m_body + "}";
}

void RtfWriter::WriteBlock(const QTextBlock& block, int start, int end)
{
    Control("pard");
    WriteParagraphFormat(block.blockFormat());
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        QTextFragment fragment = it.fragment();
        int from = std::max(fragment.position(), start);
        int to = std::min(fragment.position() + fragment.length(), end);
        if (from < to)
            WriteRun(QStringView(fragment.text()).mid(from - fragment.position(), to - from),
                fragment.charFormat());
    }
    Control("par");
    m_body += "\r\n";
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
    return look;
}

int RtfWriter::FontIndex(const QString& family)
{
    if (family.isEmpty())
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
