// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/wincontrol.h"

namespace tk {

enum TPanelBevel { bvNone, bvLowered, bvRaised };

// A coloured area with an optional bevel and a centred caption; holds other controls.
class TPanel : public TWinControl {
public:
    TPanel(TWinControl* parent, std::string name);

    TPanelBevel BevelOuter() const { return m_bevelOuter; }
    void SetBevelOuter(TPanelBevel);
    TPanelBevel BevelInner() const { return m_bevelInner; }
    void SetBevelInner(TPanelBevel);
    int BevelWidth() const { return m_bevelWidth; }
    void SetBevelWidth(int);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment);

    void Paint(TCanvas&) override;

private:
    TPanelBevel m_bevelOuter { bvRaised };
    TPanelBevel m_bevelInner { bvNone };
    int m_bevelWidth { 1 };
    TAlignment m_alignment { taCenter };
};

// Draws a raised or lowered frame inside r and shrinks r by its width.
void DrawBevel(TCanvas&, TRect& r, TPanelBevel, int width);

}
