// SPDX-License-Identifier: MIT
#include "widgets/LblEffct.h"

#include "toolkit/bitmap.h"
#include "toolkit/canvas.h"

#include <algorithm>
#include <cmath>

using namespace tk;

namespace {

constexpr double DegToRad = 0.017453292519943295;
// The face is drawn in this colour when it is to be graduated, so its pixels can be found.
constexpr TColor KeyColour = 16648689;
// Longest caption the upright, formatted path draws.
constexpr std::size_t MaxFormattedText = 255;

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

TColor blend(Channels base, double r, double g, double b, double k)
{
    return RGB(base.r + nearest(k * r), base.g + nearest(k * g), base.b + nearest(k * b));
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
    // The remaining fields start at their member initialisers; the gradient starts at the
    // window-text colour a new label's font has.
    m_graduateFrom = clWindowText;
    TLabel::SetAutoSize(false);
    SetBounds(Left(), Top(), 142, 33);
    SetTransparent(true);
    Font().SetColor(m_schemes[m_colourScheme].face);
    Font().SetName("Times New Roman");
    Font().SetSize(20);
}

void TLabelEffect::SetDepthHighlight(int v)
{
    auto depth = TEffectDepth(std::clamp(v, 0, int(MaxEffectDepth)));
    if (depth == m_depthHighlight)
        return;
    m_depthHighlight = depth;
    if (!m_applyingStyle)
        SetEffectStyle(esCustom);
    Invalidate();
}

void TLabelEffect::SetDepthShadow(int v)
{
    auto depth = TEffectDepth(std::clamp(v, 0, int(MaxEffectDepth)));
    if (depth == m_depthShadow)
        return;
    m_depthShadow = depth;
    if (!m_applyingStyle)
        SetEffectStyle(esCustom);
    Invalidate();
}

void TLabelEffect::SetDirectionHighlight(TEffectDirection v)
{
    if (v == m_directionHighlight)
        return;
    m_directionHighlight = v;
    if (!m_applyingStyle)
        SetEffectStyle(esCustom);
    Invalidate();
}

void TLabelEffect::SetDirectionShadow(TEffectDirection v)
{
    if (v == m_directionShadow)
        return;
    m_directionShadow = v;
    if (!m_applyingStyle)
        SetEffectStyle(esCustom);
    Invalidate();
}

void TLabelEffect::SetColourHighlight(TColor v)
{
    if (v == m_colourHighlight)
        return;
    m_colourHighlight = v;
    m_schemes[csCustom].highlight = v;
    if (!m_applyingScheme)
        SetColourScheme(csCustom);
    Invalidate();
}

void TLabelEffect::SetColourShadow(TColor v)
{
    if (v == m_colourShadow)
        return;
    m_colourShadow = v;
    m_schemes[csCustom].shadow = v;
    if (!m_applyingScheme)
        SetColourScheme(csCustom);
    Invalidate();
}

void TLabelEffect::SetGraduateFace(TGraduateOption v)
{
    if (v == m_graduateFace)
        return;
    m_graduateFace = v;
    Invalidate();
}

void TLabelEffect::SetGraduateFrom(TColor v)
{
    if (v == m_graduateFrom)
        return;
    m_graduateFrom = v;
    if (m_graduateFace != goNone)
        Invalidate();
}

void TLabelEffect::SetStyleHighlight(TEffectOption v)
{
    if (v == m_styleHighlight)
        return;
    m_styleHighlight = v;
    Invalidate();
}

void TLabelEffect::SetStyleShadow(TEffectOption v)
{
    if (v == m_styleShadow)
        return;
    m_styleShadow = v;
    Invalidate();
}

void TLabelEffect::SetAsButton(bool v)
{
    if (v == m_asButton)
        return;
    m_asButton = v;
    if (v)
        SetEffectStyle(esRaised);
}

void TLabelEffect::SetAngle(int v)
{
    auto angle = TAngleRange(std::clamp(v, 0, int(MaxAngle)));
    if (angle == m_angle)
        return;
    m_angle = angle;
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
    if (v == m_keepLettersVertical)
        return;
    m_keepLettersVertical = v;
    if (m_angle != 0)
        Invalidate();
}

// The preset's settings go through the setters; the flags keep them from turning the style into
// esCustom and the scheme into csCustom.
void TLabelEffect::SetEffectStyle(TEffectStyle v)
{
    if (v == m_effectStyle)
        return;
    m_applyingStyle = true;
    m_applyingScheme = true;
    m_effectStyle = v;
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
    if (v == m_colourScheme)
        return;
    m_applyingScheme = true;
    m_colourScheme = v;
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
    const Step h = directionStep[m_directionHighlight];
    const Step s = directionStep[m_directionShadow];
    const int products[] = { h.dx * m_depthHighlight, s.dx * m_depthShadow, h.dy * m_depthHighlight,
        s.dy * m_depthShadow };
    g.lo = std::min(0, *std::min_element(std::begin(products), std::end(products)));
    g.hi = std::max(0, *std::max_element(std::begin(products), std::end(products)));
    const int spread = g.hi - g.lo;
    g.shift = Alignment() == taRightJustify ? spread : Alignment() == taCenter ? spread / 2 : 0;

    if (m_angle == 0)
        return g;
    const std::string& text = Caption();
    const double c = m_cos, sn = m_sin;
    if (!m_keepLettersVertical) {
        // The text turns about (m, m).
        const int a = work.TextWidth(text), b = work.TextHeight(text);
        const int m = work.TextWidth(text + "   ") / 2;
        g.v = m - truncate(a / 2.0 * c) - truncate(b / 2.0 * sn);
        g.u = m + truncate(a / 2.0 * sn) - truncate(b / 2.0 * c);
        const int a2 = a + g.hi + g.lo + 4, b2 = b + g.hi + g.lo + 4;
        const int mc = m + (spread + 4) / 2;
        const int p = truncate(a2 / 2.0 * c), q = truncate(b2 / 2.0 * sn);
        const int p2 = truncate(a2 / 2.0 * sn), q2 = truncate(b2 / 2.0 * c);
        g.corners = {
            { mc - p - q + 2, mc + p2 - q2 + 2 },
            { mc + p - q + 2, mc - p2 - q2 + 2 },
            { mc + p + q + 2, mc - p2 + q2 + 2 },
            { mc - p + q + 2, mc + p2 + q2 + 2 },
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
    g.v = std::max(0, -nearest(last * c)) + 10;
    g.u = std::max(0, nearest(last * sn)) + 10;
    const int margin = spread + 4;
    const int firstWidth = n ? work.TextWidth(text.substr(0, 1)) : 0;
    const int lastWidth = n ? work.TextWidth(text.substr(n - 1, 1)) : 0;
    g.firstBox = box(g.v - 2, g.u - 2, firstWidth + margin, lineHeight + margin);
    g.lastBox = box(nearest(last * c) + g.v - 2, g.u - nearest(last * sn) - 2, lastWidth + margin, lineHeight + margin);
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
void TLabelEffect::drawLayers(TBitmap& work, TBitmap& aux, const Geometry& g, TEffectOption option, int depth,
    TEffectDirection direction, TColor colour) const
{
    Channels base = split(colour);
    double stepR = 0, stepG = 0, stepB = 0;
    int first = depth;
    TCanvas* target = &work.Canvas();
    if (option == eoReal) {
        base = split(clBlack);
        target = &aux.Canvas();
    } else if ((option == eoExtrude || option == eoGraduated) && depth > 1) {
        first = 1;
        if (option == eoGraduated) {
            Channels face = split(Font().Color());
            stepR = double(face.r - base.r) / (depth - 1);
            stepG = double(face.g - base.g) / (depth - 1);
            stepB = double(face.b - base.b) / (depth - 1);
        }
    }
    const Step step = directionStep[direction];
    for (int layer = depth; layer >= first; --layer)
        drawText(*target, g, layer * step.dx, layer * step.dy, blend(base, stepR, stepG, stepB, depth - layer));
}

void TLabelEffect::graduateFace(TBitmap& work, TBitmap& aux, const Geometry& g) const
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

    const Channels from = split(m_graduateFrom);
    const Channels to = split(Font().Color());
    const int w = Width(), h = Height();
    const TCanvas& keyed = aux.Canvas();
    for (int k = 0; k <= span; ++k) {
        // A face one pixel across has no room for a gradient: it takes the font colour.
        TColor line = span == 0 ? RGB(to.r, to.g, to.b)
                                : blend(from, double(to.r - from.r) / span, double(to.g - from.g) / span,
                                      double(to.b - from.b) / span, k);
        if (vertical) {
            for (int x = 0; x < w; ++x)
                if (keyed.Pixel(x, y0 + k) == KeyColour)
                    canvas.SetPixel(x, y0 + k, line);
        } else {
            for (int y = 0; y < h; ++y)
                if (keyed.Pixel(x0 + k, y) == KeyColour)
                    canvas.SetPixel(x0 + k, y, line);
        }
    }
}

void TLabelEffect::Paint(TCanvas& canvas)
{
    const int w = Width(), h = Height();
    if (w <= 0 || h <= 0)
        return;
    const TRect client = ClientRect();

    TBitmap work, aux;
    work.SetSize(w, h);
    aux.SetSize(w, h);
    TCanvas& wc = work.Canvas();
    TCanvas& ac = aux.Canvas();
    wc.Font().Assign(Font());
    ac.Font().Assign(Font());
    ac.Brush().SetStyle(bsSolid);
    ac.Brush().SetColor(clWhite);
    ac.FillRect(client);
    // What lies beneath shows through a transparent label.
    wc.CopyRect(client, canvas, client);

    if (m_angle != 0 && !m_keepLettersVertical) {
        wc.Font().SetEscapement(m_angle * 10);
        ac.Font().SetEscapement(m_angle * 10);
    }

    const Geometry g = measure(wc);
    if (!Transparent())
        fillBackground(wc, g);
    wc.Brush().SetStyle(bsClear);
    ac.Brush().SetStyle(bsClear);

    drawLayers(work, aux, g, m_styleShadow, m_depthShadow, m_directionShadow, m_colourShadow);
    if (m_styleShadow == eoReal) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (ac.Pixel(x, y) == clBlack) {
                    Channels p = split(wc.Pixel(x, y));
                    wc.SetPixel(x, y, RGB(p.r / 2, p.g / 2, p.b / 2));
                }
    }

    if (m_styleHighlight == eoReal) {
        ac.Brush().SetStyle(bsSolid);
        ac.Brush().SetColor(clWhite);
        ac.FillRect(client);
        ac.Brush().SetStyle(bsClear);
    }
    drawLayers(work, aux, g, m_styleHighlight, m_depthHighlight, m_directionHighlight, m_colourHighlight);
    if (m_styleHighlight == eoReal) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (ac.Pixel(x, y) == clBlack) {
                    Channels p = split(wc.Pixel(x, y));
                    wc.SetPixel(x, y, RGB((p.r + 255) / 2, (p.g + 255) / 2, (p.b + 255) / 2));
                }
    }

    if (m_graduateFace == goNone) {
        drawText(wc, g, 0, 0, Font().Color());
    } else {
        ac.CopyRect(client, wc, client);
        drawText(ac, g, 0, 0, KeyColour);
        graduateFace(work, aux, g);
    }

    canvas.CopyRect(client, wc, client);
}
