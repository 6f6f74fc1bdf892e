// SPDX-License-Identifier: MIT
#include "toolkit/speed_button.h"

#include "toolkit/button.h"
#include "toolkit/canvas.h"
#include "toolkit/panel.h"
#include "toolkit/property.h"

namespace tk {

TSpeedButton::TSpeedButton(TWinControl* parent, std::string name)
    : TControl(parent, std::move(name))
    , TGlyphProperties([this] { Invalidate(); })
{
    // As the classic control: transparent unless told otherwise, which matters once it is flat.
    SetTransparent(true);
    SetBounds(0, 0, 23, 22);
}

void TSpeedButton::SetFlat(bool v)
{
    if (!Change(m_flat, v))
        return;
    Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    m_press.MouseDown(*this, button, x, y);
    TControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y)
{
    m_press.MouseMove(*this, x, y);
    TControl::MouseMove(shift, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    m_press.MouseUp(*this, button);
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
    if (!m_flat || !Transparent())
        FillBackground(canvas, clBtnFace);
    if (m_flat)
        PaintFlatFrame(canvas);
    else
        DrawButtonFrame(canvas, ClientRect(), Pressed(), false);
    DrawGlyphWithCaption(canvas, ClientRect(), Caption(), Font(), Enabled(), m_press.Offset());
}

}
