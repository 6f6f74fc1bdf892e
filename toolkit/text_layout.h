// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QString>

#include <string>
#include <vector>

class QPainter;

namespace tk {

// Lays out text the way formatted text drawing does: accelerator ampersands, line breaks,
// word breaking, tab stops every eight average characters, end ellipsis. Flags are the DT_ ones.
class TextLayout {
public:
    struct Line {
        QString text;
        int accel { -1 }; // index of the underlined character, or -1
    };

    TextLayout(const QFont& font, unsigned format);

    // Breaks the text into lines for a box of the given width.
    void layout(const QString& text, int boxWidth);

    const std::vector<Line>& lines() const { return m_lines; }
    int lineHeight() const { return m_metrics.height(); }
    int height() const { return lineHeight() * int(m_lines.size()); }
    int maxWidth() const;
    int width(const QString& text) const;

    // Draws one line with its top left at (x, y), in the painter's pen and font.
    void drawLine(QPainter&, int x, int y, const Line&) const;

private:
    void AddParagraph(const QString& text, int accel, int boxWidth);
    void AddLine(const QString& text, int accel, int boxWidth);
    Line WithEllipsis(const Line&, int boxWidth) const;
    bool Has(unsigned flag) const { return (m_format & flag) != 0; }

    QFontMetrics m_metrics;
    unsigned m_format { 0 };
    std::vector<Line> m_lines;
};

}
