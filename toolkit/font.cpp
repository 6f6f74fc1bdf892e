// SPDX-License-Identifier: MIT
#include "toolkit/font.h"

#include "toolkit/font_substitutes.h"
#include "toolkit/object.h"
#include "toolkit/property.h"

#include <QFontMetricsF>

#include <cmath>

namespace tk {

TFont::TFont(const TFont& other)
{
    CopyValues(other);
}

TFont& TFont::operator=(const TFont& other)
{
    Assign(other);
    return *this;
}

void TFont::Changed()
{
    CallEvent(OnChange);
}

void TFont::SetName(const std::string& name)
{
    if (!Change(m_name, name))
        return;
    Changed();
}

void TFont::SetHeight(int height)
{
    if (!Change(m_height, height))
        return;
    Changed();
}

void TFont::SetStyle(TFontStyles style)
{
    if (!Change(m_style, style))
        return;
    Changed();
}

void TFont::SetColor(TColor color)
{
    if (!Change(m_color, color))
        return;
    Changed();
}

void TFont::SetEscapement(int escapement)
{
    if (!Change(m_escapement, escapement))
        return;
    Changed();
}

void TFont::SetCharset(int charset)
{
    if (!Change(m_charset, charset))
        return;
    Changed();
}

int TFont::Size() const
{
    return int(std::lround(-m_height * 72.0 / 96.0));
}

void TFont::SetSize(int points)
{
    SetHeight(-int(std::lround(points * 96.0 / 72.0)));
}

bool TFont::SameValues(const TFont& o) const
{
    return m_name == o.m_name && m_height == o.m_height && m_style == o.m_style
        && m_color == o.m_color && m_escapement == o.m_escapement && m_charset == o.m_charset;
}

void TFont::CopyValues(const TFont& o)
{
    m_name = o.m_name;
    m_height = o.m_height;
    m_style = o.m_style;
    m_color = o.m_color;
    m_escapement = o.m_escapement;
    m_charset = o.m_charset;
}

void TFont::Assign(const TFont& other)
{
    if (this == &other || SameValues(other))
        return;
    CopyValues(other);
    CallEvent(OnChange);
}

QFont TFont::toQFont() const
{
    QFont font(QString::fromStdString(substituteFace(m_name)));
    // Crisp one-bit glyphs, as on the classic desktop, and the same pixels on every run.
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setKerning(false);
    font.setBold(m_style & fsBold);
    font.setItalic(m_style & fsItalic);
    font.setUnderline(m_style & fsUnderline);
    font.setStrikeOut(m_style & fsStrikeOut);

    if (m_height < 0) {
        font.setPixelSize(-m_height);
    } else if (m_height > 0) {
        // A cell height: scale the em so that ascent plus descent comes out at the height asked.
        font.setPixelSize(100);
        qreal cellPer100 = QFontMetricsF(font).height();
        font.setPixelSize(std::max(1, int(std::lround(m_height * 100.0 / cellPer100))));
    } else {
        font.setPixelSize(11);
    }
    return font;
}

}
