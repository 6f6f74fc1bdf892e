// SPDX-License-Identifier: MIT
#include "widgets/LblEffct.h"

#include "toolkit/bitmap.h"
#include "toolkit/canvas.h"
#include "toolkit/property.h"

#include <algorithm>
#include <cmath>

using namespace tk;

namespace {

constexpr double DegToRad = 0.017453292519943295;
// The face is drawn in this colour when it is to be graduated, so its pixels can be found.
constexpr TColor KeyColour = 16648689;
// Longest caption the upright, formatted path draws.
constexpr std::size_t MaxFormattedText = 255;
// The outline behind turned text stands this far clear of the text and its layers on each side.
constexpr int OutlinePad = 2;
constexpr int OutlineRoom = 2 * OutlinePad;
// Upright letters along an angle start this far in from the label's corner.
constexpr int UprightInset = 10;

struct Step {
    int dx;
    int dy;
};

constexpr Step directionStep[] = {
    { 0, 0 },   // edNone
    { 0, -1 },  // edUp
    { 1, -1 },  // edUpRight
    { 1, 0 },   // edRight
    { 1, 1 },   // edDownRight
    { 0, 1 },   // edDown
    { -1, 1 },  // edDownLeft
    { -1, 0 },  // edLeft
    { -1, -1 }, // edUpLeft
};

// Rounds halves to even, as the classic Round does.
int nearest(double x)
{
    return int(std::nearbyint(x));
}

int truncate(double x)
{
    return int(x);
}

// Colours split as stored, system colours included: their low bytes are taken as they are.
struct Channels {
    int r, g, b;
};

Channels split(TColor c)
{
    return { GetRValue(c), GetGValue(c), GetBValue(c) };
}

// The colour `k` increments of (r, g, b) away from base.
TColor blend(Channels base, double r, double g, double b, double k)
{
    return RGB(base.r + nearest(k * r), base.g + nearest(k * g), base.b + nearest(k * b));
}

bool holds(const TRGBQuad& pixel, TColor c)
{
    return pixel.rgbRed == GetRValue(c) && pixel.rgbGreen == GetGValue(c) && pixel.rgbBlue == GetBValue(c);
}

void put(TRGBQuad& pixel, TColor c)
{
    pixel.rgbRed = std::uint8_t(GetRValue(c));
    pixel.rgbGreen = std::uint8_t(GetGValue(c));
    pixel.rgbBlue = std::uint8_t(GetBValue(c));
}

// Halfway from the pixel toward `tint`.
void tint(TRGBQuad& pixel, int tint)
{
    pixel.rgbRed = std::uint8_t((pixel.rgbRed + tint) / 2);
    pixel.rgbGreen = std::uint8_t((pixel.rgbGreen + tint) / 2);
    pixel.rgbBlue = std::uint8_t((pixel.rgbBlue + tint) / 2);
}

void clear(TCanvas& canvas, const TRect& r, TColor colour)
{
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(colour);
    canvas.FillRect(r);
    canvas.Brush().SetStyle(bsClear);
}

TRect box(int left, int top, int width, int height)
{
    return Bounds(left, top, width, height);
}

}

TLabelEffect::TLabelEffect(TWinControl* parent, std::string name)
    : TLabel(parent, std::move(name))
    , m_schemes { {
          { RGB(255, 255, 255), RGB(0, 0, 0), RGB(128, 128, 128) }, // csCustom
          { RGB(255, 255, 255), RGB(128, 128, 128), RGB(0, 0, 0) }, // csText
          { RGB(255, 255, 255), RGB(0, 0, 0), RGB(128, 128, 128) }, // csWindows
          { RGB(255, 255, 255), RGB(0, 0, 0), RGB(192, 192, 192) }, // csEmbossed
          { RGB(255, 255, 0), RGB(0, 0, 0), RGB(128, 128, 0) },     // csGold
          { RGB(0, 255, 255), RGB(0, 0, 128), RGB(0, 128, 128) },   // csSteel
      } }
{
    TLabel::SetAutoSize(false);
    SetBounds(Left(), Top(), 142, 33);
    SetTransparent(true);
    Font().SetColor(m_schemes[m_colourScheme].face);
    Font().SetName("Times New Roman");
    Font().SetSize(20);
}

template <class T>
void TLabelEffect::changeLayer(T& field, T value)
{
    if (!Change(field, value))
        return;
    if (!m_applyingStyle)
        SetEffectStyle(esCustom);
    Invalidate();
}

void TLabelEffect::changeColour(TColor& field, TColor SchemeColours::*role, TColor value)
{
    if (!Change(field, value))
        return;
    m_schemes[csCustom].*role = value;
    if (!m_applyingScheme)
        SetColourScheme(csCustom);
    Invalidate();
}

void TLabelEffect::SetDepthHighlight(int v)
{
    changeLayer(m_depthHighlight, TEffectDepth(std::clamp(v, 0, int(MaxEffectDepth))));
}

void TLabelEffect::SetDepthShadow(int v)
{
    changeLayer(m_depthShadow, TEffectDepth(std::clamp(v, 0, int(MaxEffectDepth))));
}

void TLabelEffect::SetDirectionHighlight(TEffectDirection v)
{
    changeLayer(m_directionHighlight, v);
}

void TLabelEffect::SetDirectionShadow(TEffectDirection v)
{
    changeLayer(m_directionShadow, v);
}

void TLabelEffect::SetColourHighlight(TColor v)
{
    changeColour(m_colourHighlight, &SchemeColours::highlight, v);
}

void TLabelEffect::SetColourShadow(TColor v)
{
    changeColour(m_colourShadow, &SchemeColours::shadow, v);
}

void TLabelEffect::SetGraduateFace(TGraduateOption v)
{
    if (!Change(m_graduateFace, v))
        return;
    Invalidate();
}

void TLabelEffect::SetGraduateFrom(TColor v)
{
    if (!Change(m_graduateFrom, v))
        return;
    if (m_graduateFace != goNone)
        Invalidate();
}

void TLabelEffect::SetStyleHighlight(TEffectOption v)
{
    if (!Change(m_styleHighlight, v))
        return;
    Invalidate();
}

void TLabelEffect::SetStyleShadow(TEffectOption v)
{
    if (!Change(m_styleShadow, v))
        return;
    Invalidate();
}

void TLabelEffect::SetAsButton(bool v)
{
    if (!Change(m_asButton, v))
        return;
    if (v)
        SetEffectStyle(esRaised);
}

void TLabelEffect::SetAngle(int v)
{
    auto angle = TAngleRange(std::clamp(v, 0, int(MaxAngle)));
    if (!Change(m_angle, angle))
        return;
    m_cos = std::cos(angle * DegToRad);
    m_sin = std::sin(angle * DegToRad);
    m_cos2 = m_cos * m_cos;
    m_sin2 = m_sin * m_sin;
    // Turned text is placed from its own origin; only upright text is aligned.
    if (angle != 0)
        SetAlignment(taLeftJustify);
    Invalidate();
}

void TLabelEffect::SetKeepLettersVertical(bool v)
{
    if (!Change(m_keepLettersVertical, v))
        return;
    if (m_angle != 0)
        Invalidate();
}

// The preset's settings go through the setters; the flags keep them from turning the style into
// esCustom and the scheme into csCustom.
void TLabelEffect::SetEffectStyle(TEffectStyle v)
{
    if (!Change(m_effectStyle, v))
        return;
    m_applyingStyle = true;
    m_applyingScheme = true;
    SetColourHighlight(m_schemes[m_colourScheme].highlight);
    switch (v) {
    case esNone:
        SetDirectionHighlight(edNone);
        SetDirectionShadow(edNone);
        SetDepthHighlight(0);
        SetDepthShadow(0);
        SetAsButton(false);
        break;
    case esCustom:
        SetAsButton(false);
        break;
    case esRaised:
        SetDirectionHighlight(edUpLeft);
        SetDirectionShadow(edDownRight);
        SetDepthHighlight(1);
        SetDepthShadow(1);
        break;
    case esSunken:
        SetDirectionHighlight(edDownRight);
        SetDirectionShadow(edUpLeft);
        SetDepthHighlight(1);
        SetDepthShadow(1);
        break;
    case esShadow:
        SetDirectionHighlight(edNone);
        SetDirectionShadow(edDownRight);
        SetDepthHighlight(0);
        SetDepthShadow(2);
        SetAsButton(false);
        break;
    case esFlying:
        SetDirectionHighlight(edDownRight);
        SetDirectionShadow(edDownRight);
        SetDepthHighlight(1);
        SetDepthShadow(5);
        SetColourHighlight(m_schemes[m_colourScheme].shadow);
        SetAsButton(false);
        break;
    }
    m_applyingStyle = false;
    m_applyingScheme = false;
    Invalidate();
}

void TLabelEffect::SetColourScheme(TColourScheme v)
{
    if (!Change(m_colourScheme, v))
        return;
    m_applyingScheme = true;
    SchemeColours row = m_schemes[v];
    SetColourHighlight(row.highlight);
    Font().SetColor(row.face);
    SetColourShadow(row.shadow);
    // Remembered, so that switching to csCustom later keeps the colours last shown.
    if (v != csCustom)
        m_schemes[csCustom] = row;
    m_applyingScheme = false;
}

bool TLabelEffect::inside(int x, int y) const
{
    return x >= 0 && x <= Width() && y >= 0 && y <= Height();
}

void TLabelEffect::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (!m_asButton) {
        TLabel::MouseDown(button, shift, x, y);
        return;
    }
    if (button == mbLeft && m_effectStyle != esSunken && Enabled())
        SetEffectStyle(esSunken);
}

void TLabelEffect::MouseMove(TShiftState shift, int x, int y)
{
    if (!m_asButton) {
        TLabel::MouseMove(shift, x, y);
        return;
    }
    if (shift == ssLeft)
        SetEffectStyle(inside(x, y) ? esSunken : esRaised);
}

void TLabelEffect::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (!m_asButton) {
        TLabel::MouseUp(button, shift, x, y);
        return;
    }
    if (inside(x, y))
        SetEffectStyle(esRaised);
}

TLabelEffect::Geometry TLabelEffect::measure(TCanvas& work) const
{
    Geometry g;
    const Step highlight = directionStep[m_directionHighlight];
    const Step shadow = directionStep[m_directionShadow];
    const int products[] = { highlight.dx * m_depthHighlight, shadow.dx * m_depthShadow,
        highlight.dy * m_depthHighlight, shadow.dy * m_depthShadow };
    g.lo = std::min(0, *std::min_element(std::begin(products), std::end(products)));
    g.hi = std::max(0, *std::max_element(std::begin(products), std::end(products)));
    const int spread = g.hi - g.lo;
    g.shift = Alignment() == taRightJustify ? spread : Alignment() == taCenter ? spread / 2 : 0;

    if (m_angle == 0)
        return g;
    const std::string& text = Caption();
    if (!m_keepLettersVertical) {
        // The text turns about (m, m).
        const int a = work.TextWidth(text), b = work.TextHeight(text);
        const int m = work.TextWidth(text + "   ") / 2;
        g.v = m - truncate(a / 2.0 * m_cos) - truncate(b / 2.0 * m_sin);
        g.u = m + truncate(a / 2.0 * m_sin) - truncate(b / 2.0 * m_cos);
        const int a2 = a + g.hi + g.lo + OutlineRoom, b2 = b + g.hi + g.lo + OutlineRoom;
        const int mc = m + (spread + OutlineRoom) / 2;
        const int p = truncate(a2 / 2.0 * m_cos), q = truncate(b2 / 2.0 * m_sin);
        const int p2 = truncate(a2 / 2.0 * m_sin), q2 = truncate(b2 / 2.0 * m_cos);
        const int x = mc + OutlinePad, y = mc + OutlinePad;
        g.corners = {
            { x - p - q, y + p2 - q2 },
            { x + p - q, y - p2 - q2 },
            { x + p + q, y - p2 + q2 },
            { x - p + q, y + p2 + q2 },
        };
        return g;
    }
    // Upright letters, each advanced along the angle by the widths before it (across) and the
    // line height (up and down).
    const int lineHeight = work.TextHeight(text);
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i)
        g.along.push_back(nearest(work.TextWidth(text.substr(0, i)) * m_cos2 + lineHeight * double(i) * m_sin2));
    const int last = n ? g.along.back() : 0;
    g.v = std::max(0, -nearest(last * m_cos)) + UprightInset;
    g.u = std::max(0, nearest(last * m_sin)) + UprightInset;
    const int room = spread + OutlineRoom;
    const int firstWidth = n ? work.TextWidth(text.substr(0, 1)) : 0;
    const int lastWidth = n ? work.TextWidth(text.substr(n - 1, 1)) : 0;
    g.firstBox = box(g.v - OutlinePad, g.u - OutlinePad, firstWidth + room, lineHeight + room);
    g.lastBox = box(nearest(last * m_cos) + g.v - OutlinePad, g.u - nearest(last * m_sin) - OutlinePad,
        lastWidth + room, lineHeight + room);
    return g;
}

void TLabelEffect::fillBackground(TCanvas& work, const Geometry& g) const
{
    work.Brush().SetStyle(bsSolid);
    work.Brush().SetColor(Color());
    if (m_angle == 0) {
        work.FillRect(ClientRect());
        return;
    }
    // A fill, not an outlined shape: without a pen the edges take the brush colour.
    work.Pen().SetStyle(psClear);
    if (!m_keepLettersVertical) {
        work.Polygon(g.corners);
        return;
    }
    const TRect& f = g.firstBox;
    const TRect& l = g.lastBox;
    const TPoint tl { f.Left, f.Top }, tr { f.Right, f.Top }, bl { f.Left, f.Bottom }, br { f.Right, f.Bottom };
    const TPoint tl2 { l.Left, l.Top }, tr2 { l.Right, l.Top }, bl2 { l.Left, l.Bottom }, br2 { l.Right, l.Bottom };
    if (m_angle <= 90)
        work.Polygon({ tl, tl2, tr2, br2, br, bl });
    else if (m_angle <= 180)
        work.Polygon({ tr, tr2, tl2, bl2, bl, br });
    else if (m_angle <= 270)
        work.Polygon({ tl, tl2, bl2, br2, br, tr });
    else
        work.Polygon({ tr, tr2, br2, bl2, bl, tl });
}

void TLabelEffect::drawText(TCanvas& canvas, const Geometry& g, int dx, int dy, TColor colour) const
{
    canvas.Font().SetColor(colour);
    const std::string& text = Caption();
    if (m_angle == 0) {
        TRect r = ClientRect();
        r = TRect { r.Left + dx - g.lo - g.shift, r.Top + dy - g.lo, r.Right + dx - g.lo - g.shift, r.Bottom + dy - g.lo };
        unsigned format = DT_WORDBREAK | DT_EXPANDTABS;
        if (Alignment() == taRightJustify)
            format |= DT_RIGHT;
        else if (Alignment() == taCenter)
            format |= DT_CENTER;
        canvas.DrawText(text.substr(0, MaxFormattedText), r, format);
    } else if (!m_keepLettersVertical) {
        canvas.TextOut(g.v + dx - g.lo, g.u + dy - g.lo, text);
    } else {
        for (std::size_t i = 0; i < text.size(); ++i)
            canvas.TextOut(g.v + nearest(g.along[i] * m_cos) + dx - g.lo, g.u - nearest(g.along[i] * m_sin) + dy - g.lo,
                text.substr(i, 1));
    }
}

// One layer, or for extruded and graduated layers one per depth from the deepest up to depth 1.
// A real layer is drawn as a mask and tints what lies under it.
void TLabelEffect::drawLayer(TBitmap& work, TBitmap& mask, const Geometry& g, const Layer& layer) const
{
    Channels base = split(layer.colour);
    double perLayerR = 0, perLayerG = 0, perLayerB = 0;
    int shallowest = layer.depth;
    TCanvas* target = &work.Canvas();
    if (layer.option == eoReal) {
        base = split(clBlack);
        target = &mask.Canvas();
        clear(*target, ClientRect(), clWhite);
    } else if ((layer.option == eoExtrude || layer.option == eoGraduated) && layer.depth > 1) {
        shallowest = 1;
        if (layer.option == eoGraduated) {
            Channels face = split(Font().Color());
            perLayerR = double(face.r - base.r) / (layer.depth - 1);
            perLayerG = double(face.g - base.g) / (layer.depth - 1);
            perLayerB = double(face.b - base.b) / (layer.depth - 1);
        }
    }
    const Step step = directionStep[layer.direction];
    for (int d = layer.depth; d >= shallowest; --d)
        drawText(*target, g, d * step.dx, d * step.dy,
            blend(base, perLayerR, perLayerG, perLayerB, layer.depth - d));
    if (layer.option == eoReal)
        tintUnderMask(work, mask, layer.realTint);
}

void TLabelEffect::tintUnderMask(TBitmap& work, TBitmap& mask, int realTint) const
{
    const int w = Width(), h = Height();
    for (int y = 0; y < h; ++y) {
        TRGBQuad* row = work.ScanLine(y);
        const TRGBQuad* masked = mask.ScanLine(y);
        for (int x = 0; x < w; ++x)
            if (holds(masked[x], clBlack))
                tint(row[x], realTint);
    }
}

// The face in the font colour, or keyed on a copy of the picture so far and graduated.
void TLabelEffect::drawFace(TBitmap& work, TBitmap& mask, const Geometry& g) const
{
    if (m_graduateFace == goNone) {
        drawText(work.Canvas(), g, 0, 0, Font().Color());
        return;
    }
    const TRect client = ClientRect();
    mask.Canvas().CopyRect(client, work.Canvas(), client);
    drawText(mask.Canvas(), g, 0, 0, KeyColour);
    graduateFace(work, mask, g);
}

void TLabelEffect::graduateFace(TBitmap& work, TBitmap& mask, const Geometry& g) const
{
    TCanvas& canvas = work.Canvas();
    const bool vertical = m_graduateFace == goVertical;
    int x0 = 0, y0 = 0, span = 0;
    if (m_angle == 0) {
        span = canvas.TextWidth(Caption());
        y0 = g.u - g.lo;
        if (Alignment() == taRightJustify)
            x0 = Width() - g.hi - span;
        else if (Alignment() == taCenter)
            x0 = (Width() - span) / 2 - g.lo - g.shift;
        else
            x0 = g.v - g.lo;
        span = vertical ? canvas.TextHeight(Caption()) - 1 : span - 1;
    } else if (!m_keepLettersVertical) {
        auto [minX, maxX] = std::minmax_element(g.corners.begin(), g.corners.end(),
            [](TPoint a, TPoint b) { return a.X < b.X; });
        auto [minY, maxY] = std::minmax_element(g.corners.begin(), g.corners.end(),
            [](TPoint a, TPoint b) { return a.Y < b.Y; });
        x0 = minX->X;
        y0 = minY->Y;
        span = vertical ? maxY->Y - y0 : maxX->X - x0;
    } else {
        x0 = std::min(g.firstBox.Left, g.lastBox.Left);
        y0 = std::min(g.firstBox.Top, g.lastBox.Top);
        span = vertical ? std::max(g.firstBox.Bottom, g.lastBox.Bottom) - y0
                        : std::max(g.firstBox.Right, g.lastBox.Right) - x0;
    }
    if (span < 0)
        return;

    // One colour per line across the gradient; a face one pixel across has no room for a
    // gradient and takes the font colour.
    const Channels from = split(m_graduateFrom);
    const Channels to = split(Font().Color());
    std::vector<TColor> ramp(std::size_t(span) + 1, RGB(to.r, to.g, to.b));
    if (span > 0)
        for (int k = 0; k <= span; ++k)
            ramp[k] = blend(from, double(to.r - from.r) / span, double(to.g - from.g) / span,
                double(to.b - from.b) / span, k);

    // The gradient's lines that lie on the label.
    const int top = vertical ? std::max(0, y0) : 0;
    const int bottom = vertical ? std::min(Height(), y0 + span + 1) : Height();
    const int left = vertical ? 0 : std::max(0, x0);
    const int right = vertical ? Width() : std::min(Width(), x0 + span + 1);
    for (int y = top; y < bottom; ++y) {
        TRGBQuad* row = work.ScanLine(y);
        const TRGBQuad* keyed = mask.ScanLine(y);
        for (int x = left; x < right; ++x)
            if (holds(keyed[x], KeyColour))
                put(row[x], ramp[vertical ? y - y0 : x - x0]);
    }
}

void TLabelEffect::Paint(TCanvas& canvas)
{
    if (Width() <= 0 || Height() <= 0)
        return;
    const TRect client = ClientRect();

    // The work picture starts as what lies beneath; the mask takes the real layers and the keyed
    // face, drawn with the same font.
    TBitmap work, mask;
    work.SetSize(Width(), Height());
    mask.SetSize(Width(), Height());
    TCanvas& wc = work.Canvas();
    wc.CopyRect(client, canvas, client);
    for (TCanvas* c : { &wc, &mask.Canvas() }) {
        c->Font().Assign(Font());
        if (m_angle != 0 && !m_keepLettersVertical)
            c->Font().SetEscapement(m_angle * 10);
        c->Brush().SetStyle(bsClear);
    }

    const Geometry g = measure(wc);
    if (!Transparent()) {
        fillBackground(wc, g);
        wc.Brush().SetStyle(bsClear);
    }
    drawLayer(work, mask, g, { m_styleShadow, m_depthShadow, m_directionShadow, m_colourShadow, 0 });
    drawLayer(work, mask, g, { m_styleHighlight, m_depthHighlight, m_directionHighlight, m_colourHighlight, 255 });
    drawFace(work, mask, g);

    canvas.CopyRect(client, wc, client);
}
