// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/wincontrol.h"

namespace tk {

// A box that is ticked or not, with its caption to the right. A click or Space toggles it.
// Every change of Checked, by the user or by code, fires OnClick, as the classic control does.
class TCheckBox : public TWinControl {
public:
    TCheckBox(TWinControl* parent, std::string name);

    bool Checked() const { return m_checked; }
    void SetChecked(bool);
    void Toggle() { SetChecked(!m_checked); }

    void Paint(TCanvas&) override;
    void MouseDown(TMouseButton, TShiftState, int x, int y) override;
    void ClickOnRelease() override { Toggle(); }
    void KeyPress(char& key) override;

private:
    void PaintBox(TCanvas&, TRect box);

    bool m_checked { false };
};

}
