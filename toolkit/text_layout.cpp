// SPDX-License-Identifier: MIT
#include "toolkit/text_layout.h"

#include "toolkit/canvas.h"

#include <QPainter>

#include <algorithm>

namespace tk {

namespace {

// Removes accelerator marks: "&x" underlines x, "&&" stands for one ampersand.
QString stripPrefixes(const QString& text, int& accel)
{
    QString out;
    accel = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'&') {
            out += text[i];
            continue;
        }
        if (++i >= text.size())
            break;
        if (text[i] != u'&')
            accel = int(out.size());
        out += text[i];
    }
    return out;
}

QString unifyBreaks(const QString& text)
{
    QString unified = text;
    return unified.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

// End of the next word after pos, spaces before it included.
qsizetype nextWordEnd(const QString& text, qsizetype pos)
{
    while (pos < text.size() && text[pos] == u' ')
        ++pos;
    while (pos < text.size() && text[pos] != u' ')
        ++pos;
    return pos;
}

}

TextLayout::TextLayout(const QFont& font, unsigned format)
    : m_metrics(font)
    , m_format(format)
{
}

void TextLayout::layout(const QString& text, int boxWidth)
{
    m_lines.clear();
    int accel = -1;
    if (Has(DT_SINGLELINE)) {
        QString shown = Has(DT_NOPREFIX) ? text : stripPrefixes(text, accel);
        AddLine(shown, accel, boxWidth);
        return;
    }
    QString unified = unifyBreaks(text);
    QString shown = Has(DT_NOPREFIX) ? unified : stripPrefixes(unified, accel);
    int offset = 0;
    for (const QString& paragraph : shown.split(u'\n')) {
        int local = accel - offset;
        AddParagraph(paragraph, local >= 0 && local < paragraph.size() ? local : -1, boxWidth);
        offset += int(paragraph.size()) + 1;
    }
}

void TextLayout::AddParagraph(const QString& text, int accel, int boxWidth)
{
    if (!Has(DT_WORDBREAK) || text.isEmpty()) {
        AddLine(text, accel, boxWidth);
        return;
    }
    qsizetype start = 0;
    while (start < text.size()) {
        // Take whole words while they fit; a word wider than the box gets a line of its own.
        qsizetype end = nextWordEnd(text, start);
        for (qsizetype next = nextWordEnd(text, end); next > end; next = nextWordEnd(text, end)) {
            if (width(text.mid(start, next - start)) > boxWidth)
                break;
            end = next;
        }
        int local = accel - int(start);
        AddLine(text.mid(start, end - start), local >= 0 && local < end - start ? local : -1, boxWidth);
        start = end;
        while (start < text.size() && text[start] == u' ')
            ++start;
    }
}

void TextLayout::AddLine(const QString& text, int accel, int boxWidth)
{
    Line line { text, accel };
    if (Has(DT_END_ELLIPSIS) && width(text) > boxWidth)
        line = WithEllipsis(line, boxWidth);
    m_lines.push_back(line);
}

TextLayout::Line TextLayout::WithEllipsis(const Line& line, int boxWidth) const
{
    const QString dots = QStringLiteral("...");
    QString kept = line.text;
    while (!kept.isEmpty() && width(kept + dots) > boxWidth)
        kept.chop(1);
    return Line { kept + dots, line.accel < kept.size() ? line.accel : -1 };
}

int TextLayout::width(const QString& text) const
{
    if (!Has(DT_EXPANDTABS))
        return m_metrics.horizontalAdvance(text);
    const int tab = std::max(1, 8 * m_metrics.averageCharWidth());
    int x = 0;
    const QStringList parts = text.split(u'\t');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        x += m_metrics.horizontalAdvance(parts[i]);
        if (i + 1 < parts.size())
            x = (x / tab + 1) * tab;
    }
    return x;
}

int TextLayout::maxWidth() const
{
    int widest = 0;
    for (const Line& line : m_lines)
        widest = std::max(widest, width(line.text));
    return widest;
}

void TextLayout::drawLine(QPainter& painter, int x, int y, const Line& line) const
{
    const int baseline = y + m_metrics.ascent();
    if (Has(DT_EXPANDTABS) && line.text.contains(u'\t')) {
        // Each piece starts where the text before it, tabs expanded, ends.
        qsizetype start = 0;
        for (const QString& piece : line.text.split(u'\t')) {
            painter.drawText(x + width(line.text.left(start)), baseline, piece);
            start += piece.size() + 1;
        }
    } else {
        painter.drawText(x, baseline, line.text);
    }
    if (line.accel >= 0 && line.accel < line.text.size()) {
        // The accelerator again, underlined: the same mark as an underlined font makes.
        QFont underlined = painter.font();
        underlined.setUnderline(true);
        painter.save();
        painter.setFont(underlined);
        painter.drawText(x + width(line.text.left(line.accel)), baseline, QString(line.text[line.accel]));
        painter.restore();
    }
}

}
