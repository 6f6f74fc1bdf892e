#include "toolkit/bit_btn.h"

#include "toolkit/canvas.h"
#include "toolkit/exceptions.h"

namespace tk {

TBitBtn::TBitBtn(TWinControl* parent, std::string name)
    : TButton(parent, std::move(name))
{
    Glyph().OnChange = [this] { Invalidate(); };
}

void TBitBtn::SetNumGlyphs(int n)
{
    m_glyph.SetNumGlyphs(n);
    Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout v)
{
    m_layout = v;
    Invalidate();
}

void TBitBtn::SetSpacing(int v)
{
    m_spacing = v;
    Invalidate();
}

void TBitBtn::SetMargin(int v)
{
    m_margin = v;
    Invalidate();
}

void TBitBtn::SetKind(TBitBtnKind kind)
{
    m_kind = kind;
    if (kind == bkOK) {
        SetCaption("OK");
        SetDefault(true);
        LoadStockGlyph("ok_glyph.bmp");
    } else if (kind == bkCancel) {
        SetCaption("Abbrechen");
        SetCancel(true);
        LoadStockGlyph("cancel_glyph.bmp");
    }
}

void TBitBtn::LoadStockGlyph(const std::string& resource)
{
    try {
        Glyph().LoadFromResource(resource);
    } catch (const EInvalidGraphic&) {
        // A build without the stock pictures still has working buttons.
        return;
    }
    // Stock glyphs come as a normal and a disabled picture side by side.
    if (Glyph().Width() == 2 * Glyph().Height())
        SetNumGlyphs(2);
}

void TBitBtn::Paint(TCanvas& canvas)
{
    // A picture as large as the button, without caption, is the whole face: drawn as it is,
    // black included, and pushed in by a pixel while pressed.
    if (Caption().empty() && m_glyph.CellWidth() >= Width() && m_glyph.CellHeight() >= Height()) {
        TPoint shift = PressOffset();
        TBitmap face;
        int cell = Enabled() || m_glyph.NumGlyphs() < 2 ? 0 : 1;
        face.LoadFromImage(m_glyph.Bitmap().Image().copy(cell * m_glyph.CellWidth(), 0, m_glyph.CellWidth(), m_glyph.CellHeight()));
        canvas.Draw(shift.X, shift.Y, face);
        return;
    }
    PaintFace(canvas);
    m_glyph.DrawWithCaption(canvas, ClientRect(), Caption(), Font(), m_layout, m_margin, m_spacing, Enabled(),
        PressOffset());
}

}
