// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/brush.h"
#include "toolkit/color.h"
#include "toolkit/font.h"
#include "toolkit/pen.h"
#include "toolkit/types.h"

#include <QImage>

#include <optional>
#include <string>
#include <vector>

class QPainter;
class QTextDocument;
class QTextCursor;

namespace tk {

class TBitmap;

// Format flags of DrawText.
inline constexpr unsigned DT_LEFT = 0, DT_CENTER = 1, DT_RIGHT = 2, DT_VCENTER = 4, DT_BOTTOM = 8,
                          DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_EXPANDTABS = 0x40,
                          DT_NOCLIP = 0x100, DT_CALCRECT = 0x400, DT_NOPREFIX = 0x800,
                          DT_END_ELLIPSIS = 0x8000;

// A drawing surface over an image it does not own. Coordinates are relative to the current
// origin and everything is clipped to the current clip rectangle. No painter stays open between
// calls, so the image may be read or replaced at any time.
class TCanvas {
public:
    explicit TCanvas(QImage& image);
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TFont& Font() { return m_font; }
    const TFont& Font() const { return m_font; }
    TBrush& Brush() { return m_brush; }
    const TBrush& Brush() const { return m_brush; }
    TPen& Pen() { return m_pen; }
    const TPen& Pen() const { return m_pen; }

    // Fills with the brush, right and bottom edges excluded; nothing for a clear brush.
    void FillRect(const TRect&);
    // Pen outline inside the rectangle, brush inside the outline.
    void Rectangle(const TRect&);
    void MoveTo(int x, int y);
    // From PenPos to (x, y), the end point itself not drawn.
    void LineTo(int x, int y);
    // Brush fills the interior and the edges, then the pen outlines them.
    void Polygon(const std::vector<TPoint>&);
    void Ellipse(const TRect&);

    // The text cell's top left at (x, y), turned counter-clockwise about that point by the
    // font's escapement; the cell is filled with the brush unless the brush is clear.
    void TextOut(int x, int y, const std::string& text);
    // As TextOut, clipped to rect; a solid brush fills the whole rect first.
    void TextRect(const TRect& rect, int x, int y, const std::string& text);
    int TextWidth(const std::string& text) const;
    // The font's cell height: ascent plus descent.
    int TextHeight(const std::string& text) const;
    TPoint TextExtent(const std::string& text) const;
    // Formatted text in rect with DT_ flags; returns the height of the text. DT_CALCRECT only
    // measures and sets rect's Right and Bottom.
    int DrawText(const std::string& text, TRect& rect, unsigned format);

    // clInvalid outside the image.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor);

    // Honours the bitmap's transparent colour when it is transparent.
    void Draw(int x, int y, const TBitmap&);
    // Nearest-neighbour scaling into rect.
    void StretchDraw(const TRect& rect, const TBitmap&);
    // Copies (scaling if the sizes differ) srcRect of src, in src's coordinates, into dest.
    void CopyRect(const TRect& dest, const TCanvas& src, const TRect& srcRect);

    // Origin, clip, font, brush, pen and pen position, for components painting their children.
    void Save();
    void Restore();
    void Translate(int dx, int dy);
    void IntersectClip(const TRect&);
    TRect ClipRect() const;
    TPoint Origin() const { return m_origin; }

    // A text document's visible part in `area`, scrolled by `scroll`, with the cursor's selection
    // and, when `caret`, its caret.
    void DrawDocument(const QTextDocument&, const TRect& area, TPoint scroll, const QTextCursor&, bool caret,
        TColor textColor);

    QImage& Image() { return *m_image; }
    const QImage& Image() const { return *m_image; }

    TPoint PenPos;

private:
    struct State {
        TPoint origin;
        TRect clip;
        TFont font;
        TBrush brush;
        TPen pen;
        TPoint penPos;
    };

    TRect DeviceClip() const;
    bool BeginPaint(QPainter&) const;
    void FillDeviceRect(const TRect& device, TColor);
    void PlotLine(TPoint from, TPoint to, TColor, bool includeEnd);
    void FillPolygon(const std::vector<TPoint>&);
    void Outline(const std::vector<TPoint>&, TColor);
    void DrawTextAt(int x, int y, const std::string& text, const TRect* filledBy);
    void Blit(int x, int y, const QImage& source, std::optional<QRgb> transparent);
    void EnsureRgb32();

    QImage* m_image { nullptr };
    TFont m_font;
    TBrush m_brush;
    TPen m_pen;
    TPoint m_origin;
    TRect m_clip; // device coordinates; the image bounds limit it further
    std::vector<State> m_saved;
};

}
