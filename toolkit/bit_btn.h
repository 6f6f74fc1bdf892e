// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/button.h"
#include "toolkit/glyph_properties.h"

namespace tk {

enum TBitBtnKind { bkCustom, bkOK, bkCancel };

// A push button with a picture beside its caption.
class TBitBtn : public TButton, public TGlyphProperties {
public:
    TBitBtn(TWinControl* parent, std::string name);

    // OK and Cancel buttons bring their caption, role and stock glyph.
    TBitBtnKind Kind() const { return m_kind; }
    void SetKind(TBitBtnKind);

    void Paint(TCanvas&) override;

private:
    void LoadStockGlyph(const std::string& resource);

    TBitBtnKind m_kind { bkCustom };
};

}
