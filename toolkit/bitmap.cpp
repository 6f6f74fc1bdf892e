// SPDX-License-Identifier: MIT
#include "toolkit/bitmap.h"

#include "platform/filesystem.h"
#include "toolkit/canvas.h"
#include "toolkit/exceptions.h"
#include "toolkit/file_errors.h"
#include "toolkit/object.h"
#include "toolkit/win_text.h"

#include <QFile>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace tk {

namespace {

int readLittleEndian(const std::string& data, std::size_t at, int bytes)
{
    int value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(data[at + i]);
    return value;
}

// The bit count from a Windows bitmap's header: the old core header keeps it elsewhere.
std::optional<int> bmpBitCount(const std::string& data)
{
    if (data.size() < 30 || data[0] != 'B' || data[1] != 'M')
        return std::nullopt;
    int headerSize = readLittleEndian(data, 14, 4);
    return readLittleEndian(data, headerSize == 12 ? 24 : 28, 2);
}

// Whether the file holds every row its header declares. Pixels stored as they are (no run-length
// compression) need the whole array: a file cut short is not a picture, and a few bytes claiming a
// huge one must not make the decoder allocate it.
bool holdsItsPixels(const std::string& data, int bits)
{
    if (data.size() < 54)
        return true; // the old core header, or too short for the decoder to take anyway
    int headerSize = readLittleEndian(data, 14, 4);
    if (headerSize == 12)
        return true;
    int compression = readLittleEndian(data, 30, 4);
    if (compression != 0 && compression != 3 && compression != 6)
        return true;
    std::int64_t width = std::abs(std::int64_t(readLittleEndian(data, 18, 4)));
    std::int64_t height = std::abs(std::int64_t(readLittleEndian(data, 22, 4)));
    std::int64_t offset = std::uint32_t(readLittleEndian(data, 10, 4));
    std::int64_t rowBytes = (width * bits + 31) / 32 * 4;
    std::int64_t room = std::int64_t(data.size()) - offset;
    return room >= 0 && (rowBytes == 0 || height <= room / rowBytes);
}

int depthOf(const QImage& image)
{
    return image.depth() == 32 && !image.hasAlphaChannel() ? 24 : image.depth();
}

}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(const TBitmap& other)
    : m_image(other.m_image)
    , m_transparent(other.m_transparent)
    , m_transparentColor(other.m_transparentColor)
    , m_bits(other.m_bits)
{
}

TBitmap& TBitmap::operator=(const TBitmap& other)
{
    Assign(other);
    return *this;
}

TBitmap::~TBitmap() = default;

void TBitmap::Changed()
{
    CallEvent(OnChange);
}

void TBitmap::SetSize(int width, int height)
{
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == Width() && height == Height())
        return;
    if (width == 0 || height == 0) {
        m_image = QImage();
    } else {
        m_image = QImage(width, height, QImage::Format_RGB32);
        m_image.fill(Qt::black);
    }
    m_bits = 32;
    Changed();
}

TCanvas& TBitmap::Canvas()
{
    if (!m_canvas)
        m_canvas = std::make_unique<TCanvas>(m_image);
    return *m_canvas;
}

// A 32-bit pixel of Qt's is 0xAARRGGBB in a native word: blue first in memory on this byte order.
static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN && sizeof(TRGBQuad) == sizeof(QRgb));

TRGBQuad* TBitmap::ScanLine(int y)
{
    if (y < 0 || y >= Height())
        return nullptr;
    if (m_image.format() != QImage::Format_RGB32 && m_image.format() != QImage::Format_ARGB32)
        m_image = m_image.convertToFormat(QImage::Format_RGB32);
    return reinterpret_cast<TRGBQuad*>(m_image.scanLine(y));
}

void TBitmap::SetTransparent(bool transparent)
{
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    Changed();
}

TColor TBitmap::TransparentColor() const
{
    if (m_transparentColor)
        return *m_transparentColor;
    if (Empty())
        return clNone;
    return fromQColor(QColor(m_image.pixel(0, Height() - 1)));
}

void TBitmap::SetTransparentColor(TColor color)
{
    if (m_transparentColor == color)
        return;
    m_transparentColor = color;
    Changed();
}

void TBitmap::Take(const QImage& image, int bits)
{
    m_image = image.convertToFormat(QImage::Format_RGB32);
    m_bits = bits;
    Changed();
}

void TBitmap::LoadFromFile(const std::string& winPath)
{
    auto data = platform::FileSystem::instance().readFile(winPath);
    if (!data)
        throw EInvalidGraphic(openFailure(winPath, data.error()));
    QImage image;
    auto bits = bmpBitCount(*data);
    if (!bits || !holdsItsPixels(*data, *bits) || !image.loadFromData(reinterpret_cast<const uchar*>(data->data()), int(data->size()), "BMP"))
        throw EInvalidGraphic("Bitmap image is not valid: \"" + winPath + "\"");
    Take(image, *bits);
}

void TBitmap::LoadFromResource(const std::string& name)
{
    const QString base = QStringLiteral(":/pictures/") + fromWinText(name);
    for (const QString& path : { base, base + QStringLiteral(".bmp"), base + QStringLiteral(".png") }) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QByteArray bytes = file.readAll();
        QImage image;
        if (!image.loadFromData(bytes))
            break;
        auto bits = bmpBitCount(bytes.toStdString());
        Take(image, bits ? *bits : depthOf(image));
        return;
    }
    throw EInvalidGraphic("Picture resource not found or not valid: \"" + name + "\"");
}

void TBitmap::LoadFromImage(const QImage& image)
{
    Take(image, depthOf(image));
}

void TBitmap::Assign(const TBitmap& other)
{
    if (this == &other)
        return;
    m_image = other.m_image;
    m_transparent = other.m_transparent;
    m_transparentColor = other.m_transparentColor;
    m_bits = other.m_bits;
    Changed();
}

}
