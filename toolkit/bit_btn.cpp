// SPDX-License-Identifier: MIT
#include "toolkit/bit_btn.h"

#include "toolkit/canvas.h"
#include "toolkit/exceptions.h"

namespace tk {

TBitBtn::TBitBtn(TWinControl* parent, std::string name)
    : TButton(parent, std::move(name))
    , TGlyphProperties([this] { Invalidate(); })
{
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
    // A face picture is drawn as it is, black included, and pushed in by a pixel while pressed.
    if (ButtonGlyph().IsFace(Caption(), Width(), Height())) {
        ButtonGlyph().DrawOpaqueCell(canvas, PressOffset().X, PressOffset().Y, Enabled());
        return;
    }
    PaintFace(canvas);
    DrawGlyphWithCaption(canvas, ClientRect(), Caption(), Font(), Enabled(), PressOffset());
}

}
