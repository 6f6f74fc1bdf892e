// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/button_glyph.h"

#include <functional>
#include <string>

namespace tk {

// The glyph properties the two glyph buttons share. Loading or changing the glyph, or any of
// these, repaints the button.
class TGlyphProperties {
public:
    TBitmap& Glyph() { return m_glyph.Bitmap(); }
    const TBitmap& Glyph() const { return m_glyph.Bitmap(); }
    int NumGlyphs() const { return m_glyph.NumGlyphs(); }
    void SetNumGlyphs(int);
    TButtonLayout Layout() const { return m_layout; }
    void SetLayout(TButtonLayout);
    // Pixels between glyph and caption; -1 spreads them evenly.
    int Spacing() const { return m_spacing; }
    void SetSpacing(int);
    // Pixels from the edge to the glyph; -1 centres glyph and caption together.
    int Margin() const { return m_margin; }
    void SetMargin(int);

protected:
    // `repaint` is the button's Invalidate.
    explicit TGlyphProperties(std::function<void()> repaint);

    const TButtonGlyph& ButtonGlyph() const { return m_glyph; }
    void DrawGlyphWithCaption(TCanvas&, const TRect& client, const std::string& caption, const TFont&,
        bool enabled, TPoint offset) const;

private:
    TButtonGlyph m_glyph;
    TButtonLayout m_layout { blGlyphLeft };
    int m_spacing { 4 };
    int m_margin { -1 };
    std::function<void()> m_repaint;
};

}
