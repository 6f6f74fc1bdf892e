// SPDX-License-Identifier: MIT
#include "toolkit/glyph_properties.h"

#include "toolkit/property.h"

namespace tk {

TGlyphProperties::TGlyphProperties(std::function<void()> repaint)
    : m_repaint(std::move(repaint))
{
    m_glyph.Bitmap().OnChange = [this] { m_repaint(); };
}

void TGlyphProperties::SetNumGlyphs(int n)
{
    if (n == m_glyph.NumGlyphs())
        return;
    m_glyph.SetNumGlyphs(n);
    m_repaint();
}

void TGlyphProperties::SetLayout(TButtonLayout v)
{
    if (!Change(m_layout, v))
        return;
    m_repaint();
}

void TGlyphProperties::SetSpacing(int v)
{
    if (!Change(m_spacing, v))
        return;
    m_repaint();
}

void TGlyphProperties::SetMargin(int v)
{
    if (!Change(m_margin, v))
        return;
    m_repaint();
}

void TGlyphProperties::DrawGlyphWithCaption(TCanvas& canvas, const TRect& client, const std::string& caption,
    const TFont& font, bool enabled, TPoint offset) const
{
    m_glyph.DrawWithCaption(canvas, client, caption, font, m_layout, m_margin, m_spacing, enabled, offset);
}

}
