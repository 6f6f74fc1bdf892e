// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/control.h"
#include "toolkit/glyph_properties.h"
#include "toolkit/press_state.h"

namespace tk {

// A graphic button (it never takes the focus) showing a glyph and an optional caption.
// A flat button has no frame until the pointer is over it. A transparent flat button paints no
// face either, so wherever the glyph has its transparent colour what lies beneath shows through.
class TSpeedButton : public TControl, public TGlyphProperties {
public:
    TSpeedButton(TWinControl* parent, std::string name);

    bool Flat() const { return m_flat; }
    void SetFlat(bool);

    bool Hovered() const { return m_hovered; }
    bool Pressed() const { return m_press.Pressed(); }

    void Paint(TCanvas&) override;
    void MouseDown(TMouseButton, TShiftState, int x, int y) override;
    void MouseMove(TShiftState, int x, int y) override;
    void MouseUp(TMouseButton, TShiftState, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;

private:
    void PaintFlatFrame(TCanvas&);

    bool m_flat { false };
    bool m_hovered { false };
    TPressState m_press;
};

}
