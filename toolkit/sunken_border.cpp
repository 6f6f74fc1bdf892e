// SPDX-License-Identifier: MIT
#include "toolkit/sunken_border.h"

#include "toolkit/canvas.h"

namespace tk {

void DrawEdge(TCanvas& canvas, TRect& r, TColor topLeft, TColor bottomRight)
{
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetColor(topLeft);
    canvas.MoveTo(r.Left, r.Bottom - 1);
    canvas.LineTo(r.Left, r.Top);
    canvas.LineTo(r.Right - 1, r.Top);
    canvas.Pen().SetColor(bottomRight);
    canvas.LineTo(r.Right - 1, r.Bottom - 1);
    canvas.LineTo(r.Left - 1, r.Bottom - 1);
    r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
}

void DrawSunkenBorder(TCanvas& canvas, TRect& r)
{
    DrawEdge(canvas, r, clBtnShadow, clBtnHighlight);
    DrawEdge(canvas, r, cl3DDkShadow, cl3DLight);
}

}
