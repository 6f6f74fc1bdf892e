#include "toolkit/panel.h"

#include "toolkit/canvas.h"
#include "toolkit/sunken_border.h"

namespace tk {

TPanel::TPanel(TWinControl* parent, std::string name)
    : TWinControl(parent, std::move(name))
{
    SetBounds(0, 0, 185, 41);
}

void TPanel::SetBevelOuter(TPanelBevel v)
{
    m_bevelOuter = v;
    Invalidate();
}

void TPanel::SetBevelInner(TPanelBevel v)
{
    m_bevelInner = v;
    Invalidate();
}

void TPanel::SetBevelWidth(int v)
{
    m_bevelWidth = v;
    Invalidate();
}

void TPanel::SetAlignment(TAlignment v)
{
    m_alignment = v;
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
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(r);
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
