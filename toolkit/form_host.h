// SPDX-License-Identifier: MIT
#pragma once

namespace tk {

class TControl;
class TPopupMenu;

// What a backend does for one form: a real window that shows it and feeds input back.
class TFormHost {
public:
    virtual ~TFormHost() = default;
    virtual void Invalidate() = 0;        // paint soon
    virtual void RepaintNow() = 0;        // paint before returning
    virtual void GeometryChanged() = 0;   // place, size
    virtual void VisibilityChanged() = 0;
    virtual void CaptionChanged() = 0;
    virtual void StyleChanged() { }       // border, stays on top
    virtual void FocusChanged() { }
    virtual void CursorChanged(TControl*) { }
    virtual void ControlRemoved(TControl*) { }
    // Text editors are shown by native editors on top of the form: the form need not paint their
    // text (which in a long text costs what a layout costs).
    virtual bool ShowsTextNatively() const { return false; }
};

}
