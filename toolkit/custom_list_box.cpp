// SPDX-License-Identifier: MIT
#include "toolkit/custom_list_box.h"

#include "toolkit/canvas.h"
#include "toolkit/item_rows.h"
#include "toolkit/object_watch.h"
#include "toolkit/property.h"
#include "toolkit/sunken_border.h"

#include <algorithm>
#include <utility>

namespace tk {

TCustomListBox::TCustomListBox(TWinControl* parent, std::string name)
    : TWinControl(parent, std::move(name))
{
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 121, 97);
    m_items.OnChange = [this](TObject*) { ItemsChanged(); };
}

void TCustomListBox::ItemsChanged()
{
    if (m_itemIndex >= m_items.Count())
        m_itemIndex = -1;
    m_topIndex = ClampedTop(m_topIndex);
    Invalidate();
}

void TCustomListBox::SetItemIndex(int index)
{
    if (!Change(m_itemIndex, std::clamp(index, -1, m_items.Count() - 1)))
        return;
    ScrollIntoView();
    Invalidate();
}

void TCustomListBox::SetItemHeight(int v)
{
    if (!Change(m_itemHeight, std::max(1, v)))
        return;
    ScrollIntoView();
    Invalidate();
}

void TCustomListBox::SetTopIndex(int v)
{
    if (!Change(m_topIndex, ClampedTop(v)))
        return;
    Invalidate();
}

void TCustomListBox::SelectFromTop(int index)
{
    m_itemIndex = std::clamp(index, -1, m_items.Count() - 1);
    m_topIndex = 0;
    ScrollIntoView();
    Invalidate();
}

TRect TCustomListBox::ItemArea() const
{
    // Inside the sunken border.
    constexpr int border = 2;
    return Rect(border, border, Width() - border, Height() - border);
}

int TCustomListBox::ClampedTop(int top) const
{
    return std::clamp(top, 0, std::max(0, m_items.Count() - 1));
}

int TCustomListBox::VisibleCount() const
{
    return VisibleRows(ItemArea().Height(), m_itemHeight);
}

void TCustomListBox::ScrollIntoView()
{
    if (m_itemIndex >= 0)
        m_topIndex = TopKeepingInView(m_itemIndex, m_topIndex, VisibleCount());
}

int TCustomListBox::ItemAtPos(int x, int y) const
{
    return RowAtPoint(Point(x, y), ItemArea(), m_topIndex, m_itemHeight, m_items.Count());
}

void TCustomListBox::Paint(TCanvas& canvas)
{
    FillBackground(canvas);
    TRect r = ClientRect();
    DrawSunkenBorder(canvas, r);
    canvas.Save();
    canvas.IntersectClip(r);
    canvas.Font().Assign(Font());
    for (int i = m_topIndex, y = r.Top; i < m_items.Count() && y < r.Bottom; ++i, y += m_itemHeight)
        PaintItem(canvas, i, Rect(r.Left, y, r.Right, y + m_itemHeight));
    canvas.Restore();
}

void TCustomListBox::PaintItem(TCanvas& canvas, int index, TRect line)
{
    FillItem(canvas, line, index == m_itemIndex, Color(), Font().Color());
    TRect text = Rect(line.Left + 2, line.Top, line.Right, line.Bottom);
    canvas.DrawText(m_items[index], text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void TCustomListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (CanFocus())
        SetFocus();
    int index = ItemAtPos(x, y);
    m_pressOnItem = button == mbLeft && index >= 0;
    if (m_pressOnItem)
        SetItemIndex(index);
    TWinControl::MouseDown(button, shift, x, y);
}

void TCustomListBox::ClickOnRelease()
{
    if (std::exchange(m_pressOnItem, false))
        Click();
}

void TCustomListBox::DblClick()
{
    if (m_pressOnItem)
        TWinControl::DblClick();
}

void TCustomListBox::KeyDown(unsigned short& key, TShiftState shift)
{
    TObjectWatch watch(*this);
    TWinControl::KeyDown(key, shift);
    if (watch.Gone())
        return;
    auto to = RowAfterKey(key, m_itemIndex, VisibleCount(), m_items.Count());
    if (!to || *to == m_itemIndex)
        return;
    SetItemIndex(*to);
    Click();
}

}
