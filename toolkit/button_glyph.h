// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/bitmap.h"
#include "toolkit/types.h"

#include <string>

namespace tk {

class TCanvas;
class TFont;

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// The picture of a glyph button: a bitmap holding NumGlyphs equal cells side by side (normal,
// then disabled), drawn with the bitmap's transparent colour left out, and laid out with a caption.
class TButtonGlyph {
public:
    TBitmap& Bitmap() { return m_bitmap; }
    const TBitmap& Bitmap() const { return m_bitmap; }
    int NumGlyphs() const { return m_numGlyphs; }
    void SetNumGlyphs(int n) { m_numGlyphs = n < 1 ? 1 : n; }

    // Size of one cell; zero when there is no glyph.
    int CellWidth() const;
    int CellHeight() const;

    // A caption-less glyph as large as the button is the button's whole face.
    bool IsFace(const std::string& caption, int width, int height) const;
    // The cell for the state at (x, y). Without a disabled cell a disabled glyph is drawn etched.
    void DrawCell(TCanvas&, int x, int y, bool enabled) const;
    // The cell drawn as it is, its transparent colour included (a face has nothing beneath).
    void DrawOpaqueCell(TCanvas&, int x, int y, bool enabled) const;

    // Glyph and caption placed in client as the classic buttons place them: Margin -1 centres the
    // pair, otherwise it is the distance from the edge the layout names; Spacing is the gap
    // between glyph and text. offset shifts everything (a pressed button moves by one pixel).
    void DrawWithCaption(TCanvas&, const TRect& client, const std::string& caption, const TFont&,
        TButtonLayout, int margin, int spacing, bool enabled, TPoint offset) const;

private:
    void DrawEtched(TCanvas&, int x, int y) const;

    TBitmap m_bitmap;
    int m_numGlyphs { 1 };
};

// Caption text of a button, embossed in grey when disabled; '&' marks the accelerator.
void DrawButtonCaption(TCanvas&, TRect r, const std::string& caption, const TFont&, bool enabled, unsigned format);

}
