// SPDX-License-Identifier: MIT
#include "toolkit/panel.h"

#include "toolkit/canvas.h"
#include "toolkit/sunken_border.h"
#include "toolkit/property.h"

namespace tk {

TPanel::TPanel(TWinControl* parent, std::string name)
    : TWinControl(parent, std::move(name))
{
    SetBounds(0, 0, 185, 41);
}

void TPanel::SetBevelOuter(TPanelBevel v)
{
    if (!Change(m_bevelOuter, v))
        return;
    Invalidate();
}

void TPanel::SetBevelInner(TPanelBevel v)
{
    if (!Change(m_bevelInner, v))
        return;
    Invalidate();
}

void TPanel::SetBevelWidth(int v)
{
    if (!Change(m_bevelWidth, v))
        return;
    Invalidate();
}

void TPanel::SetAlignment(TAlignment v)
{
    if (!Change(m_alignment, v))
        return;
    Invalidate();
}

void DrawBevel(TCanvas& canvas, TRect& r, TPanelBevel bevel, int width)
{
    if (bevel == bvNone)
        return;
    TColor topLeft = bevel == bvRaised ? clBtnHighlight : clBtnShadow;
    TColor bottomRight = bevel == bvRaised ? clBtnShadow : clBtnHighlight;
    for (int i = 0; i < width; ++i)
        DrawEdge(canvas, r, topLeft, bottomRight);
}

void TPanel::Paint(TCanvas& canvas)
{
    TRect r = ClientRect();
    FillBackground(canvas);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    DrawBevel(canvas, r, m_bevelOuter, m_bevelWidth);
    DrawBevel(canvas, r, m_bevelInner, m_bevelWidth);
    if (Caption().empty())
        return;
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().Assign(Font());
    unsigned align = m_alignment == taCenter ? DT_CENTER : m_alignment == taRightJustify ? DT_RIGHT : DT_LEFT;
    canvas.DrawText(Caption(), r, align | DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS);
}

}
