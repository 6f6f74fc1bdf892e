// SPDX-License-Identifier: MIT
#include "toolkit/check_box.h"

#include "toolkit/canvas.h"
#include "toolkit/panel.h"

namespace tk {

namespace {
constexpr int boxSize = 13;
}

TCheckBox::TCheckBox(TWinControl* parent, std::string name)
    : TWinControl(parent, std::move(name))
{
    SetTabStop(true);
    SetBounds(0, 0, 97, 17);
}

void TCheckBox::SetChecked(bool v)
{
    if (v == m_checked)
        return;
    m_checked = v;
    Invalidate();
    Click();
}

void TCheckBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && CanFocus())
        SetFocus();
    TWinControl::MouseDown(button, shift, x, y);
}

void TCheckBox::KeyPress(char& key)
{
    TWinControl::KeyPress(key);
    if (key == ' ' && Enabled())
        Toggle();
}

void TCheckBox::PaintBox(TCanvas& canvas, TRect box)
{
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    DrawBevel(canvas, box, bvLowered, 1);
    canvas.Pen().SetColor(cl3DDkShadow);
    canvas.MoveTo(box.Left, box.Bottom - 1);
    canvas.LineTo(box.Left, box.Top);
    canvas.LineTo(box.Right, box.Top);
    box = Rect(box.Left + 1, box.Top + 1, box.Right, box.Bottom);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Enabled() ? clWindow : clBtnFace);
    canvas.FillRect(box);
    if (!m_checked)
        return;
    // The tick: three pixels thick, down from the left then up to the right.
    canvas.Pen().SetColor(Enabled() ? clWindowText : clBtnShadow);
    int x = box.Left + 2, y = box.Top + 4;
    for (int i = 0; i < 3; ++i) {
        canvas.MoveTo(x, y + i);
        canvas.LineTo(x + 2, y + 2 + i);
        canvas.LineTo(x + 7, y - 3 + i);
    }
}

void TCheckBox::Paint(TCanvas& canvas)
{
    FillBackground(canvas);
    int top = (Height() - boxSize) / 2;
    PaintBox(canvas, Bounds(0, top, boxSize, boxSize));
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().Assign(Font());
    if (!Enabled())
        canvas.Font().SetColor(clGrayText);
    TRect text = Rect(boxSize + 4, 0, Width(), Height());
    canvas.DrawText(Caption(), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

}
