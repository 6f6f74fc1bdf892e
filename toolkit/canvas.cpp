// SPDX-License-Identifier: MIT
#include "toolkit/canvas.h"

#include <QAbstractTextDocumentLayout>
#include <QPalette>
#include <QTextCursor>
#include <QTextDocument>

#include "toolkit/bitmap.h"
#include "toolkit/text_layout.h"
#include "toolkit/win_text.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace tk {

namespace {

constexpr TRect unlimited { INT_MIN / 2, INT_MIN / 2, INT_MAX / 2, INT_MAX / 2 };

TRect intersect(const TRect& a, const TRect& b)
{
    return TRect { std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
        std::min(a.Bottom, b.Bottom) };
}

TRect offset(const TRect& r, TPoint by)
{
    return TRect { r.Left + by.X, r.Top + by.Y, r.Right + by.X, r.Bottom + by.Y };
}

bool isEmpty(const TRect& r)
{
    return r.Right <= r.Left || r.Bottom <= r.Top;
}

QRect toQRect(const TRect& r)
{
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

}

TCanvas::TCanvas(QImage& image)
    : m_image(&image)
    , m_clip(unlimited)
{
}

TRect TCanvas::DeviceClip() const
{
    return intersect(m_clip, TRect { 0, 0, m_image->width(), m_image->height() });
}

// Opens a painter with the clip and origin applied and antialiasing off; false when there is
// nothing to paint on.
bool TCanvas::BeginPaint(QPainter& painter) const
{
    TRect clip = DeviceClip();
    if (isEmpty(clip) || !painter.begin(m_image))
        return false;
    painter.setClipRect(toQRect(clip));
    painter.translate(m_origin.X, m_origin.Y);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    return true;
}

void TCanvas::EnsureRgb32()
{
    if (m_image->format() != QImage::Format_RGB32 && m_image->format() != QImage::Format_ARGB32)
        *m_image = m_image->convertToFormat(QImage::Format_RGB32);
}

void TCanvas::FillDeviceRect(const TRect& device, TColor color)
{
    TRect area = intersect(device, DeviceClip());
    if (isEmpty(area))
        return;
    EnsureRgb32();
    QRgb rgb = toQColor(color).rgb();
    for (int y = area.Top; y < area.Bottom; ++y) {
        auto* row = reinterpret_cast<QRgb*>(m_image->scanLine(y));
        std::fill(row + area.Left, row + area.Right, rgb);
    }
}

void TCanvas::FillRect(const TRect& rect)
{
    if (m_brush.Style() != bsClear)
        FillDeviceRect(offset(rect, m_origin), m_brush.Color());
}

void TCanvas::Rectangle(const TRect& r)
{
    TRect box { std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
        std::max(r.Top, r.Bottom) };
    if (m_pen.Style() == psClear) {
        // Without a pen the fill stops one pixel short on the right and bottom.
        FillRect(TRect { box.Left, box.Top, box.Right - 1, box.Bottom - 1 });
        return;
    }
    int w = std::min({ m_pen.Width(), (box.Width() + 1) / 2, (box.Height() + 1) / 2 });
    FillRect(TRect { box.Left + w, box.Top + w, box.Right - w, box.Bottom - w });
    TRect device = offset(box, m_origin);
    TColor pen = m_pen.Color();
    FillDeviceRect(TRect { device.Left, device.Top, device.Right, device.Top + w }, pen);
    FillDeviceRect(TRect { device.Left, device.Bottom - w, device.Right, device.Bottom }, pen);
    FillDeviceRect(TRect { device.Left, device.Top + w, device.Left + w, device.Bottom - w }, pen);
    FillDeviceRect(TRect { device.Right - w, device.Top + w, device.Right, device.Bottom - w }, pen);
}

void TCanvas::MoveTo(int x, int y)
{
    PenPos = TPoint { x, y };
}

void TCanvas::LineTo(int x, int y)
{
    if (m_pen.Style() != psClear)
        PlotLine(PenPos, TPoint { x, y }, m_pen.Color(), false);
    PenPos = TPoint { x, y };
}

// Bresenham for the one-pixel pen, so line ends land exactly; wider pens go through Qt.
void TCanvas::PlotLine(TPoint from, TPoint to, TColor color, bool includeEnd)
{
    if (m_pen.Width() > 1) {
        QPainter painter;
        if (!BeginPaint(painter))
            return;
        painter.setPen(QPen(toQColor(color), m_pen.Width(), Qt::SolidLine, Qt::SquareCap));
        painter.drawLine(from.X, from.Y, to.X, to.Y);
        return;
    }
    int dx = std::abs(to.X - from.X), sx = from.X < to.X ? 1 : -1;
    int dy = -std::abs(to.Y - from.Y), sy = from.Y < to.Y ? 1 : -1;
    int error = dx + dy;
    for (TPoint p = from;;) {
        bool atEnd = p.X == to.X && p.Y == to.Y;
        if (atEnd && !includeEnd)
            break;
        FillDeviceRect(Bounds(p.X + m_origin.X, p.Y + m_origin.Y, 1, 1), color);
        if (atEnd)
            break;
        int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            p.X += sx;
        }
        if (twice <= dx) {
            error += dx;
            p.Y += sy;
        }
    }
}

void TCanvas::Outline(const std::vector<TPoint>& points, TColor color)
{
    for (std::size_t i = 0; i < points.size(); ++i)
        PlotLine(points[i], points[(i + 1) % points.size()], color, true);
}

void TCanvas::FillPolygon(const std::vector<TPoint>& points)
{
    QPainter painter;
    if (!BeginPaint(painter))
        return;
    // Vertices on pixel centres: a pixel is filled when its centre lies inside.
    QPolygonF polygon;
    for (const TPoint& p : points)
        polygon << QPointF(p.X + 0.5, p.Y + 0.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(toQColor(m_brush.Color()));
    painter.drawPolygon(polygon, Qt::OddEvenFill);
}

void TCanvas::Polygon(const std::vector<TPoint>& points)
{
    if (points.empty())
        return;
    if (m_brush.Style() != bsClear) {
        FillPolygon(points);
        // Centres exactly on an edge are a toss-up for the rasteriser; edges belong to the fill.
        if (m_pen.Style() == psClear)
            Outline(points, m_brush.Color());
    }
    if (m_pen.Style() != psClear)
        Outline(points, m_pen.Color());
}

void TCanvas::Ellipse(const TRect& r)
{
    QPainter painter;
    if (!BeginPaint(painter))
        return;
    if (m_pen.Style() == psClear)
        painter.setPen(Qt::NoPen);
    else
        painter.setPen(QPen(toQColor(m_pen.Color()), m_pen.Width()));
    if (m_brush.Style() == bsClear)
        painter.setBrush(Qt::NoBrush);
    else
        painter.setBrush(toQColor(m_brush.Color()));
    painter.drawEllipse(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
}

void TCanvas::TextOut(int x, int y, const std::string& text)
{
    DrawTextAt(x, y, text, nullptr);
    PenPos = TPoint { x + TextWidth(text), y };
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const std::string& text)
{
    FillRect(rect);
    Save();
    IntersectClip(rect);
    DrawTextAt(x, y, text, &rect);
    Restore();
}

// The cell background (unless the brush is clear and unless a TextRect filled it already), then
// the glyphs in the font colour, all turned by the escapement.
void TCanvas::DrawTextAt(int x, int y, const std::string& text, const TRect* filledBy)
{
    QFont font = m_font.toQFont();
    QFontMetrics metrics(font);
    QString shown = fromWinText(text);
    QPainter painter;
    if (!BeginPaint(painter))
        return;
    painter.translate(x, y);
    if (m_font.Escapement() % 3600 != 0)
        painter.rotate(-m_font.Escapement() / 10.0);
    if (m_brush.Style() != bsClear && !filledBy)
        painter.fillRect(QRect(0, 0, metrics.horizontalAdvance(shown), metrics.height()), toQColor(m_brush.Color()));
    painter.setFont(font);
    painter.setPen(toQColor(m_font.Color()));
    painter.drawText(0, metrics.ascent(), shown);
}

int TCanvas::TextWidth(const std::string& text) const
{
    return QFontMetrics(m_font.toQFont()).horizontalAdvance(fromWinText(text));
}

int TCanvas::TextHeight(const std::string&) const
{
    return QFontMetrics(m_font.toQFont()).height();
}

TPoint TCanvas::TextExtent(const std::string& text) const
{
    return TPoint { TextWidth(text), TextHeight(text) };
}

int TCanvas::DrawText(const std::string& text, TRect& rect, unsigned format)
{
    QFont font = m_font.toQFont();
    TextLayout layout(font, format);
    layout.layout(fromWinText(text), rect.Width());
    if (format & DT_CALCRECT) {
        rect.Right = rect.Left + layout.maxWidth();
        rect.Bottom = rect.Top + layout.height();
        return layout.height();
    }
    int y = rect.Top;
    if ((format & DT_SINGLELINE) && (format & DT_VCENTER))
        y = rect.Top + (rect.Height() - layout.lineHeight()) / 2;
    else if ((format & DT_SINGLELINE) && (format & DT_BOTTOM))
        y = rect.Bottom - layout.lineHeight();

    QPainter painter;
    if (!BeginPaint(painter))
        return layout.height();
    if (!(format & DT_NOCLIP))
        painter.setClipRect(toQRect(rect), Qt::IntersectClip);
    painter.setFont(font);
    painter.setPen(toQColor(m_font.Color()));
    for (const TextLayout::Line& line : layout.lines()) {
        int width = layout.width(line.text);
        int x = rect.Left;
        if (format & DT_CENTER)
            x = rect.Left + (rect.Width() - width) / 2;
        else if (format & DT_RIGHT)
            x = rect.Right - width;
        if (m_brush.Style() != bsClear)
            painter.fillRect(QRect(x, y, width, layout.lineHeight()), toQColor(m_brush.Color()));
        layout.drawLine(painter, x, y, line);
        y += layout.lineHeight();
    }
    return layout.height();
}

TColor TCanvas::Pixel(int x, int y) const
{
    x += m_origin.X;
    y += m_origin.Y;
    if (!m_image->valid(x, y))
        return clInvalid;
    return fromQColor(QColor(m_image->pixel(x, y)));
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    FillDeviceRect(Bounds(x + m_origin.X, y + m_origin.Y, 1, 1), color);
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap)
{
    std::optional<QRgb> transparent;
    if (bitmap.Transparent())
        transparent = toQColor(bitmap.TransparentColor()).rgb();
    Blit(x, y, bitmap.Image(), transparent);
}

void TCanvas::StretchDraw(const TRect& rect, const TBitmap& bitmap)
{
    if (isEmpty(rect) || bitmap.Empty())
        return;
    std::optional<QRgb> transparent;
    if (bitmap.Transparent())
        transparent = toQColor(bitmap.TransparentColor()).rgb();
    QImage scaled = bitmap.Image().scaled(rect.Width(), rect.Height(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    Blit(rect.Left, rect.Top, scaled, transparent);
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& src, const TRect& srcRect)
{
    if (isEmpty(dest) || isEmpty(srcRect))
        return;
    QImage part = src.Image().copy(toQRect(offset(srcRect, src.m_origin)));
    if (part.size() != QSize(dest.Width(), dest.Height()))
        part = part.scaled(dest.Width(), dest.Height(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    Blit(dest.Left, dest.Top, part, std::nullopt);
}

// Copies pixels one by one: exact, clipped, and able to skip the transparent colour.
void TCanvas::Blit(int x, int y, const QImage& source, std::optional<QRgb> transparent)
{
    TRect device = Bounds(x + m_origin.X, y + m_origin.Y, source.width(), source.height());
    TRect area = intersect(device, DeviceClip());
    if (isEmpty(area))
        return;
    EnsureRgb32();
    QImage pixels = source.convertToFormat(QImage::Format_RGB32);
    for (int dy = area.Top; dy < area.Bottom; ++dy) {
        auto* to = reinterpret_cast<QRgb*>(m_image->scanLine(dy));
        auto* from = reinterpret_cast<const QRgb*>(pixels.constScanLine(dy - device.Top));
        for (int dx = area.Left; dx < area.Right; ++dx) {
            QRgb p = from[dx - device.Left];
            if (!transparent || (p & 0xFFFFFF) != (*transparent & 0xFFFFFF))
                to[dx] = p | 0xFF000000;
        }
    }
}

void TCanvas::Save()
{
    m_saved.push_back(State { m_origin, m_clip, m_font, m_brush, m_pen, PenPos });
}

void TCanvas::Restore()
{
    if (m_saved.empty())
        return;
    const State& s = m_saved.back();
    m_origin = s.origin;
    m_clip = s.clip;
    m_font.Assign(s.font);
    m_brush = s.brush;
    m_pen = s.pen;
    PenPos = s.penPos;
    m_saved.pop_back();
}

void TCanvas::Translate(int dx, int dy)
{
    m_origin.X += dx;
    m_origin.Y += dy;
}

void TCanvas::IntersectClip(const TRect& rect)
{
    m_clip = intersect(m_clip, offset(rect, m_origin));
}

TRect TCanvas::ClipRect() const
{
    TRect clip = DeviceClip();
    if (isEmpty(clip))
        clip = TRect { clip.Left, clip.Top, clip.Left, clip.Top };
    return offset(clip, TPoint { -m_origin.X, -m_origin.Y });
}

void TCanvas::DrawDocument(const QTextDocument& document, const TRect& area, TPoint scroll, const QTextCursor& cursor,
    bool caret, TColor textColor)
{
    Save();
    IntersectClip(area);
    QPainter painter;
    if (BeginPaint(painter)) {
        painter.translate(area.Left - scroll.X, area.Top - scroll.Y);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(scroll.X, scroll.Y, area.Width(), area.Height());
        context.cursorPosition = caret ? cursor.position() : -1;
        context.palette.setColor(QPalette::Text, toQColor(textColor));
        if (cursor.hasSelection()) {
            QAbstractTextDocumentLayout::Selection selection;
            selection.cursor = cursor;
            selection.format.setBackground(toQColor(clHighlight));
            selection.format.setForeground(toQColor(clHighlightText));
            context.selections.append(selection);
        }
        document.documentLayout()->draw(&painter, context);
    }
    Restore();
}

}
