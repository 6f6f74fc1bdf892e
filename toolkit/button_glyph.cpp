// SPDX-License-Identifier: MIT
#include "toolkit/button_glyph.h"

#include "toolkit/canvas.h"
#include "toolkit/font.h"

#include <QImage>

namespace tk {

int TButtonGlyph::CellWidth() const
{
    return m_bitmap.Empty() ? 0 : m_bitmap.Width() / m_numGlyphs;
}

int TButtonGlyph::CellHeight() const
{
    return m_bitmap.Empty() ? 0 : m_bitmap.Height();
}

bool TButtonGlyph::IsFace(const std::string& caption, int width, int height) const
{
    return caption.empty() && CellWidth() >= width && CellHeight() >= height;
}

void TButtonGlyph::DrawOpaqueCell(TCanvas& canvas, int x, int y, bool enabled) const
{
    int index = enabled || m_numGlyphs < 2 ? 0 : 1;
    TBitmap cell;
    cell.LoadFromImage(m_bitmap.Image().copy(index * CellWidth(), 0, CellWidth(), CellHeight()));
    canvas.Draw(x, y, cell);
}

void TButtonGlyph::DrawCell(TCanvas& canvas, int x, int y, bool enabled) const
{
    if (m_bitmap.Empty() || CellWidth() == 0)
        return;
    if (!enabled && m_numGlyphs < 2) {
        DrawEtched(canvas, x, y);
        return;
    }
    int index = enabled ? 0 : 1;
    TBitmap cell;
    cell.LoadFromImage(m_bitmap.Image().copy(index * CellWidth(), 0, CellWidth(), CellHeight()));
    // Every cell shares the colour of the whole bitmap's bottom-left pixel (or the one set).
    cell.SetTransparentColor(m_bitmap.TransparentColor());
    cell.SetTransparent(true);
    canvas.Draw(x, y, cell);
}

// The dark parts of the glyph in shadow grey over a white copy one pixel down and right.
void TButtonGlyph::DrawEtched(TCanvas& canvas, int x, int y) const
{
    const QImage& image = m_bitmap.Image();
    TColor transparent = ColorToRGB(m_bitmap.TransparentColor());
    for (TColor colour : { clBtnHighlight, clBtnShadow }) {
        int shift = colour == clBtnHighlight ? 1 : 0;
        for (int py = 0; py < CellHeight(); ++py) {
            for (int px = 0; px < CellWidth(); ++px) {
                QColor c(image.pixel(px, py));
                if (fromQColor(c) == transparent || c.lightness() >= 160)
                    continue;
                canvas.SetPixel(x + px + shift, y + py + shift, colour);
            }
        }
    }
}

void TButtonGlyph::DrawWithCaption(TCanvas& canvas, const TRect& client, const std::string& caption,
    const TFont& font, TButtonLayout layout, int margin, int spacing, bool enabled, TPoint offset) const
{
    const int glyphW = CellWidth(), glyphH = CellHeight();
    int textW = 0, textH = 0;
    if (!caption.empty()) {
        canvas.Font().Assign(font);
        TRect calc = Rect(0, 0, 0, 0);
        canvas.DrawText(caption, calc, DT_SINGLELINE | DT_CALCRECT);
        textW = calc.Width();
        textH = calc.Height();
    }
    const int clientW = client.Width(), clientH = client.Height();
    TPoint glyphPos, textPos;

    if (IsFace(caption, clientW, clientH)) {
        DrawCell(canvas, client.Left + offset.X, client.Top + offset.Y, enabled);
        return;
    }

    bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    if (horizontal) {
        glyphPos.Y = (clientH - glyphH + 1) / 2;
        textPos.Y = (clientH - textH + 1) / 2;
    } else {
        glyphPos.X = (clientW - glyphW + 1) / 2;
        textPos.X = (clientW - textW + 1) / 2;
    }
    if (textW == 0 || glyphW == 0)
        spacing = 0;
    int room = horizontal ? clientW : clientH;
    int glyphSize = horizontal ? glyphW : glyphH;
    int textSize = horizontal ? textW : textH;
    if (margin == -1) {
        if (spacing == -1) {
            spacing = (room - glyphSize - textSize) / 3;
            margin = spacing;
        } else {
            margin = (room - (glyphSize + spacing + textSize) + 1) / 2;
        }
    } else if (spacing == -1) {
        spacing = (room - margin - glyphSize - textSize) / 2;
    }

    // Along the layout's axis the glyph stands at the margin from its edge, the text beyond it.
    bool fromFarEdge = layout == blGlyphRight || layout == blGlyphBottom;
    int glyphAt = fromFarEdge ? room - margin - glyphSize : margin;
    int textAt = fromFarEdge ? glyphAt - spacing - textSize : glyphAt + glyphSize + spacing;
    (horizontal ? glyphPos.X : glyphPos.Y) = glyphAt;
    (horizontal ? textPos.X : textPos.Y) = textAt;
    int dx = client.Left + offset.X, dy = client.Top + offset.Y;
    DrawCell(canvas, glyphPos.X + dx, glyphPos.Y + dy, enabled);
    if (!caption.empty()) {
        TRect r = Bounds(textPos.X + dx, textPos.Y + dy, textW, textH);
        DrawButtonCaption(canvas, r, caption, font, enabled, DT_LEFT | DT_SINGLELINE | DT_NOCLIP);
    }
}

void DrawButtonCaption(TCanvas& canvas, TRect r, const std::string& caption, const TFont& font, bool enabled,
    unsigned format)
{
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().Assign(font);
    if (!enabled) {
        TRect shadow = Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
        canvas.Font().SetColor(clBtnHighlight);
        canvas.DrawText(caption, shadow, format);
        canvas.Font().SetColor(clBtnShadow);
    }
    canvas.DrawText(caption, r, format);
}

}
