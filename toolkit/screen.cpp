// SPDX-License-Identifier: MIT
#include "toolkit/screen.h"

#include "toolkit/application.h"
#include "toolkit/backend.h"

namespace tk {

// Without a desktop (tests) the screen is a classic 1024 x 768.
int TScreen::Width() const
{
    auto* backend = Application().Backend();
    return backend ? backend->ScreenWidth() : 1024;
}

int TScreen::Height() const
{
    auto* backend = Application().Backend();
    return backend ? backend->ScreenHeight() : 768;
}

const TScreen::CursorImage* TScreen::CustomCursor(TCursor slot) const
{
    auto it = m_cursors.find(slot);
    return it == m_cursors.end() ? nullptr : &it->second;
}

TScreen& Screen()
{
    static TScreen screen;
    return screen;
}

}
