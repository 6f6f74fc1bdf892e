#pragma once

#include "toolkit/button_glyph.h"
#include "toolkit/control.h"

namespace tk {

// A graphic button (it never takes the focus) showing a glyph and an optional caption.
// A flat button has no frame until the pointer is over it. A transparent flat button paints no
// face either, so wherever the glyph has its transparent colour what lies beneath shows through.
class TSpeedButton : public TControl {
public:
    TSpeedButton(TWinControl* parent, std::string name);

    TBitmap& Glyph() { return m_glyph.Bitmap(); }
    const TBitmap& Glyph() const { return m_glyph.Bitmap(); }
    int NumGlyphs() const { return m_glyph.NumGlyphs(); }
    void SetNumGlyphs(int);
    bool Flat() const { return m_flat; }
    void SetFlat(bool);
    TButtonLayout Layout() const { return m_layout; }
    void SetLayout(TButtonLayout);
    int Spacing() const { return m_spacing; }
    void SetSpacing(int);
    int Margin() const { return m_margin; }
    void SetMargin(int);

    bool Hovered() const { return m_hovered; }
    bool Pressed() const { return m_held && m_pointerInside; }

    void Paint(TCanvas&) override;
    void MouseDown(TMouseButton, TShiftState, int x, int y) override;
    void MouseMove(TShiftState, int x, int y) override;
    void MouseUp(TMouseButton, TShiftState, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    void PaintFlatFrame(TCanvas&);
    void SetPointerInside(bool);

    TButtonGlyph m_glyph;
    bool m_flat { false };
    TButtonLayout m_layout { blGlyphLeft };
    int m_spacing { 4 };
    int m_margin { -1 };
    bool m_hovered { false };
    bool m_held { false };
    bool m_pointerInside { false };
};

}
