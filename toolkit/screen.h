// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/control.h"

#include <map>
#include <string>

namespace tk {

// The screen the forms live on, and the program's custom cursors by slot number.
class TScreen {
public:
    int Width() const;
    int Height() const;
    // Custom cursor slots hold a picture resource name and a hot spot.
    struct CursorImage {
        std::string resource;
        int hotX { 0 };
        int hotY { 0 };
    };
    void SetCursor(TCursor slot, const CursorImage& image) { m_cursors[slot] = image; }
    const CursorImage* CustomCursor(TCursor slot) const;

private:
    std::map<TCursor, CursorImage> m_cursors;
};

TScreen& Screen();

}
