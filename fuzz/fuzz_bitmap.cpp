// SPDX-License-Identifier: MIT
// Picture files, any bytes: a .bmp loaded as the window loads box art and screenshots, then drawn.
#include "tests/support/qt_app.h"
#include "tests/support/temp_drives.h"
#include "toolkit/bitmap.h"
#include "toolkit/canvas.h"
#include "toolkit/exceptions.h"

#include <QImage>

#include <cstdlib>
#include <string_view>

namespace {

TempDrives& drives()
{
    static TempDrives* d = [] {
        if (!std::getenv("TMPDIR"))
            ::setenv("TMPDIR", "/dev/shm", 0);
        return new TempDrives;
    }();
    return *d;
}

}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    ensureGuiApp();
    drives();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    drives().write("c:\\picture.bmp", std::string_view(reinterpret_cast<const char*>(data), size));
    tk::TBitmap bitmap;
    try {
        bitmap.LoadFromFile("c:\\picture.bmp");
    } catch (const tk::EInvalidGraphic&) {
        return 0;
    }
    (void)bitmap.TransparentColor();
    (void)bitmap.PixelFormatBits();
    QImage surface(64, 48, QImage::Format_RGB32);
    tk::TCanvas canvas(surface);
    canvas.Draw(-3, 5, bitmap);
    canvas.StretchDraw(tk::Rect(0, 0, 64, 48), bitmap);
    return 0;
}
