// SPDX-License-Identifier: MIT
#include "toolkit/image.h"

#include "toolkit/canvas.h"
#include "toolkit/property.h"

namespace tk {

TImage::TImage(TWinControl* parent, std::string name)
    : TControl(parent, std::move(name))
{
    SetBounds(0, 0, 105, 105);
    m_picture.OnChange = [this] { PictureChanged(); };
}

void TImage::SetStretch(bool v)
{
    if (!Change(m_stretch, v))
        return;
    Invalidate();
}

void TImage::SetCenter(bool v)
{
    if (!Change(m_center, v))
        return;
    Invalidate();
}

void TImage::SetAutoSize(bool v)
{
    if (!Change(m_autoSize, v))
        return;
    PictureChanged();
}

void TImage::PictureChanged()
{
    if (m_autoSize && !m_picture.Empty())
        SetBounds(Left(), Top(), m_picture.Width(), m_picture.Height());
    Invalidate();
}

void TImage::Paint(TCanvas& canvas)
{
    if (m_picture.Empty())
        return;
    const TBitmap& bitmap = m_picture.Bitmap();
    if (m_stretch) {
        canvas.StretchDraw(ClientRect(), bitmap);
        return;
    }
    int x = m_center ? (Width() - bitmap.Width()) / 2 : 0;
    int y = m_center ? (Height() - bitmap.Height()) / 2 : 0;
    canvas.Draw(x, y, bitmap);
}

}
