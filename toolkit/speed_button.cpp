#include "toolkit/speed_button.h"

#include "toolkit/button.h"
#include "toolkit/canvas.h"
#include "toolkit/panel.h"

namespace tk {

TSpeedButton::TSpeedButton(TWinControl* parent, std::string name)
    : TControl(parent, std::move(name))
{
    // As the classic control: transparent unless told otherwise, which matters once it is flat.
    SetTransparent(true);
    SetBounds(0, 0, 23, 22);
    Glyph().OnChange = [this] { Invalidate(); };
}

void TSpeedButton::SetNumGlyphs(int n)
{
    m_glyph.SetNumGlyphs(n);
    Invalidate();
}

void TSpeedButton::SetFlat(bool v)
{
    m_flat = v;
    Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout v)
{
    m_layout = v;
    Invalidate();
}

void TSpeedButton::SetSpacing(int v)
{
    m_spacing = v;
    Invalidate();
}

void TSpeedButton::SetMargin(int v)
{
    m_margin = v;
    Invalidate();
}

void TSpeedButton::SetPointerInside(bool inside)
{
    if (inside == m_pointerInside)
        return;
    m_pointerInside = inside;
    Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && Enabled()) {
        m_held = true;
        SetPointerInside(HitTest(x, y));
        Invalidate();
    }
    TControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y)
{
    if (m_held)
        SetPointerInside(HitTest(x, y));
    TControl::MouseMove(shift, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && m_held) {
        m_held = false;
        m_pointerInside = false;
        Invalidate();
    }
    TControl::MouseUp(button, shift, x, y);
}

void TSpeedButton::MouseEnter()
{
    m_hovered = true;
    if (m_flat)
        Invalidate();
}

void TSpeedButton::MouseLeave()
{
    m_hovered = false;
    if (m_flat)
        Invalidate();
}

void TSpeedButton::PaintFlatFrame(TCanvas& canvas)
{
    TRect r = ClientRect();
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    if (Pressed())
        DrawBevel(canvas, r, bvLowered, 1);
    else if (m_hovered && Enabled())
        DrawBevel(canvas, r, bvRaised, 1);
}

void TSpeedButton::Paint(TCanvas& canvas)
{
    bool bare = m_flat && Transparent();
    if (!bare) {
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(clBtnFace);
        canvas.FillRect(ClientRect());
    }
    if (m_flat)
        PaintFlatFrame(canvas);
    else
        DrawButtonFrame(canvas, ClientRect(), Pressed(), false);
    TPoint offset = Pressed() ? TPoint { 1, 1 } : TPoint {};
    m_glyph.DrawWithCaption(canvas, ClientRect(), Caption(), Font(), m_layout, m_margin, m_spacing, Enabled(), offset);
}

}
