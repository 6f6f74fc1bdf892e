// SPDX-License-Identifier: MIT
#include "toolkit/picture.h"

#include "toolkit/object.h"

namespace tk {

TPicture::TPicture()
{
    m_bitmap.OnChange = [this] {
        CallEvent(OnChange);
    };
}

void TPicture::LoadFromFile(const std::string& winPath)
{
    m_bitmap.LoadFromFile(winPath);
}

void TPicture::LoadFromResource(const std::string& name)
{
    m_bitmap.LoadFromResource(name);
}

void TPicture::Assign(const TPicture& other)
{
    m_bitmap.Assign(other.m_bitmap);
}

void TPicture::Clear()
{
    m_bitmap.Assign(TBitmap());
}

}
