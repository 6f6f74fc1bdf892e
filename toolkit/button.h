// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/press_state.h"
#include "toolkit/wincontrol.h"

namespace tk {

// A push button with a raised face that looks pressed while the left button is held over it.
// A press takes the focus; a release over the button, or Enter or Space while it has the focus,
// clicks it. Default and Cancel mark the buttons that PressDefaultButton clicks for Enter and Esc.
class TButton : public TWinControl {
public:
    TButton(TWinControl* parent, std::string name);

    bool Default() const { return m_default; }
    void SetDefault(bool);
    bool Cancel() const { return m_cancel; }
    void SetCancel(bool v) { m_cancel = v; }
    // Drawn sunken: the left button is held and the pointer is over the button.
    bool Pressed() const { return m_press.Pressed(); }

    void Paint(TCanvas&) override;
    void MouseDown(TMouseButton, TShiftState, int x, int y) override;
    void MouseMove(TShiftState, int x, int y) override;
    void MouseUp(TMouseButton, TShiftState, int x, int y) override;
    void KeyDown(unsigned short& key, TShiftState) override;
    void KeyPress(char& key) override;

protected:
    // The face and frame; returns the area left inside them.
    TRect PaintFace(TCanvas&);
    // Content moves down and right by this much while pressed.
    TPoint PressOffset() const { return m_press.Offset(); }

private:
    bool m_default { false };
    bool m_cancel { false };
    TPressState m_press;
};

// Classic 3-D button frame in r: raised, or sunken when pressed; a default or focused button gets
// an extra black outline. Returns the face area inside the frame.
TRect DrawButtonFrame(TCanvas&, TRect r, bool pressed, bool emphasised);

// Enter clicks the visible, enabled Default button and Esc the Cancel button among the container's
// descendants. Returns whether a button was clicked; the program calls it from a key handler.
bool PressDefaultButton(TWinControl* container, unsigned short key);

}
