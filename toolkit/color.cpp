// SPDX-License-Identifier: MIT
#include "toolkit/color.h"

#include <array>

namespace tk {

namespace {

// The classic grey desktop scheme, by system colour index.
constexpr std::array<TColor, 25> systemPalette {
    RGB(192, 192, 192), // scroll bar
    RGB(0, 128, 128),   // desktop
    RGB(0, 0, 128),     // active caption
    RGB(128, 128, 128), // inactive caption
    RGB(192, 192, 192), // menu
    RGB(255, 255, 255), // window
    RGB(0, 0, 0),       // window frame
    RGB(0, 0, 0),       // menu text
    RGB(0, 0, 0),       // window text
    RGB(255, 255, 255), // caption text
    RGB(192, 192, 192), // active border
    RGB(192, 192, 192), // inactive border
    RGB(128, 128, 128), // application workspace
    RGB(0, 0, 128),     // highlight
    RGB(255, 255, 255), // highlight text
    RGB(192, 192, 192), // button face
    RGB(128, 128, 128), // button shadow
    RGB(128, 128, 128), // grey text
    RGB(0, 0, 0),       // button text
    RGB(192, 192, 192), // inactive caption text
    RGB(255, 255, 255), // button highlight
    RGB(0, 0, 0),       // 3D dark shadow
    RGB(223, 223, 223), // 3D light
    RGB(0, 0, 0),       // info text
    RGB(255, 255, 225), // info background
};

}

TColor ColorToRGB(TColor c)
{
    if (c == clInvalid || !(c & clSystemColor))
        return c;
    auto index = c & 0xFF;
    return index < systemPalette.size() ? systemPalette[index] : clBlack;
}

QColor toQColor(TColor c)
{
    if (c == clNone)
        return QColor(Qt::transparent);
    auto rgb = ColorToRGB(c);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor fromQColor(const QColor& c)
{
    return RGB(c.red(), c.green(), c.blue());
}

}
