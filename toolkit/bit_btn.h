#pragma once

#include "toolkit/button.h"
#include "toolkit/button_glyph.h"

namespace tk {

enum TBitBtnKind { bkCustom, bkOK, bkCancel };

// A push button with a picture beside its caption.
class TBitBtn : public TButton {
public:
    TBitBtn(TWinControl* parent, std::string name);

    // Loading or changing the glyph repaints the button.
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
    // OK and Cancel buttons bring their caption, role and stock glyph.
    TBitBtnKind Kind() const { return m_kind; }
    void SetKind(TBitBtnKind);

    void Paint(TCanvas&) override;

private:
    void LoadStockGlyph(const std::string& resource);

    TButtonGlyph m_glyph;
    TButtonLayout m_layout { blGlyphLeft };
    int m_spacing { 4 };
    int m_margin { -1 };
    TBitBtnKind m_kind { bkCustom };
};

}
