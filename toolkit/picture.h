// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/bitmap.h"

#include <functional>
#include <string>

namespace tk {

// What a picture component shows. Any change to its bitmap (loading, assigning, resizing,
// transparency) fires OnChange, so the bitmap's own OnChange belongs to the picture.
class TPicture {
public:
    TPicture();
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    TBitmap& Bitmap() { return m_bitmap; }
    const TBitmap& Bitmap() const { return m_bitmap; }
    bool Empty() const { return m_bitmap.Empty(); }
    int Width() const { return m_bitmap.Width(); }
    int Height() const { return m_bitmap.Height(); }

    // Throws EInvalidGraphic and keeps the old picture when the file is not a readable bitmap.
    void LoadFromFile(const std::string& winPath);
    void LoadFromResource(const std::string& name);
    void Assign(const TPicture&);
    void Clear();

    std::function<void()> OnChange;

private:
    TBitmap m_bitmap;
};

}
