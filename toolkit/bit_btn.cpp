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
    PaintFace(canvas);
    m_glyph.DrawWithCaption(canvas, ClientRect(), Caption(), Font(), m_layout, m_margin, m_spacing, Enabled(),
        PressOffset());
}

}
