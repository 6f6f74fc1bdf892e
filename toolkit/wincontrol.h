// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/control.h"

#include <vector>

namespace tk {

// A control that holds other controls and can take the keyboard focus.
class TWinControl : public TControl {
public:
    TWinControl(TWinControl* parent, std::string name);
    ~TWinControl() override;

    bool IsWindowed() const override { return true; }

    const std::vector<TControl*>& Controls() const { return m_controls; }
    // Children in painting order: graphic controls first, then window controls, each by z-order.
    std::vector<TControl*> PaintOrder() const;
    // The topmost visible, enabled-or-not child under (x, y) in client coordinates, or nullptr.
    TControl* ControlAt(int x, int y) const;

    bool Focused() const;
    bool CanFocus() const;
    void SetFocus();
    // Called by the form when this control has just become its focused control.
    virtual void DoEnter() { }
    // A child moved, changed size, or was shown or hidden.
    virtual void ChildBoundsChanged() { }

    // Paints this control and its visible children; the canvas origin is this control's top left.
    void PaintWithChildren(TCanvas&);

    void InsertControl(TControl*);
    void RemoveControl(TControl*);
    void BringChildToFront(TControl*);

private:
    std::vector<TControl*> m_controls;
};

}
