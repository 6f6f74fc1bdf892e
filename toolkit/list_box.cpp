#include "toolkit/list_box.h"

#include "toolkit/canvas.h"
#include "toolkit/item_rows.h"
#include "toolkit/sunken_border.h"

#include <algorithm>
#include <cctype>

namespace tk {

namespace {

bool lessIgnoringCase(const std::string& a, const std::string& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        // ASCII letters only: bytes above 127 keep their Windows-1252 order.
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return static_cast<unsigned char>(lower(x)) < static_cast<unsigned char>(lower(y));
    });
}

}

TListBox::TListBox(TWinControl* parent, std::string name)
    : TWinControl(parent, std::move(name))
{
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 121, 97);
    m_items.OnChange = [this](TObject*) { ItemsChanged(); };
}

void TListBox::ItemsChanged()
{
    if (m_sorting)
        return;
    if (m_sorted)
        Sort();
    if (m_itemIndex >= m_items.Count())
        m_itemIndex = -1;
    m_topIndex = std::clamp(m_topIndex, 0, std::max(0, m_items.Count() - 1));
    Invalidate();
}

void TListBox::Sort()
{
    if (std::is_sorted(m_items.Lines().begin(), m_items.Lines().end(), lessIgnoringCase))
        return;
    std::vector<std::string> lines = m_items.Lines();
    std::stable_sort(lines.begin(), lines.end(), lessIgnoringCase);
    m_sorting = true;
    m_items.SetLines(std::move(lines));
    m_sorting = false;
}

void TListBox::SetSorted(bool v)
{
    if (v == m_sorted)
        return;
    m_sorted = v;
    if (m_sorted) {
        Sort();
        Invalidate();
    }
}

void TListBox::SetItemIndex(int index)
{
    index = std::clamp(index, -1, m_items.Count() - 1);
    if (index == m_itemIndex)
        return;
    m_itemIndex = index;
    ScrollIntoView();
    Invalidate();
}

void TListBox::SetItemHeight(int v)
{
    m_itemHeight = std::max(1, v);
    ScrollIntoView();
    Invalidate();
}

void TListBox::SetTopIndex(int v)
{
    m_topIndex = std::clamp(v, 0, std::max(0, m_items.Count() - 1));
    Invalidate();
}

int TListBox::VisibleCount() const
{
    return VisibleRows(Height(), m_itemHeight);
}

void TListBox::ScrollIntoView()
{
    if (m_itemIndex >= 0)
        m_topIndex = TopKeepingInView(m_itemIndex, m_topIndex, VisibleCount());
}

int TListBox::ItemAtPos(int x, int y) const
{
    return RowAtPoint(x, y, Width(), Height(), m_topIndex, m_itemHeight, m_items.Count());
}

void TListBox::MoveSelection(int index)
{
    if (m_items.Count() == 0)
        return;
    index = std::clamp(index, 0, m_items.Count() - 1);
    if (index == m_itemIndex)
        return;
    SetItemIndex(index);
    Click();
}

void TListBox::Paint(TCanvas& canvas)
{
    TRect r = ClientRect();
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(r);
    DrawSunkenBorder(canvas, r);
    canvas.Save();
    canvas.IntersectClip(r);
    canvas.Font().Assign(Font());
    int y = r.Top;
    for (int i = m_topIndex; i < m_items.Count() && y < r.Bottom; ++i, y += m_itemHeight) {
        bool selected = i == m_itemIndex;
        TRect line = Rect(r.Left, y, r.Right, y + m_itemHeight);
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(selected ? clHighlight : Color());
        canvas.FillRect(line);
        canvas.Brush().SetStyle(bsClear);
        canvas.Font().SetColor(selected ? clHighlightText : Font().Color());
        TRect text = Rect(line.Left + 2, line.Top, line.Right, line.Bottom);
        canvas.DrawText(m_items[i], text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    canvas.Restore();
}

void TListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (CanFocus())
        SetFocus();
    int index = ItemAtPos(x, y);
    m_pressOnItem = button == mbLeft && index >= 0;
    if (m_pressOnItem)
        SetItemIndex(index);
    TWinControl::MouseDown(button, shift, x, y);
}

void TListBox::ClickOnRelease()
{
    if (m_pressOnItem)
        Click();
    m_pressOnItem = false;
}

void TListBox::DblClick()
{
    if (m_pressOnItem)
        TWinControl::DblClick();
}

void TListBox::KeyDown(unsigned short& key, TShiftState shift)
{
    TWinControl::KeyDown(key, shift);
    int page = VisibleCount();
    switch (key) {
    case VK_UP: MoveSelection(m_itemIndex - 1); break;
    case VK_DOWN: MoveSelection(m_itemIndex + 1); break;
    case VK_PRIOR: MoveSelection(m_itemIndex - page); break;
    case VK_NEXT: MoveSelection(m_itemIndex + page); break;
    case VK_HOME: MoveSelection(0); break;
    case VK_END: MoveSelection(m_items.Count() - 1); break;
    default: break;
    }
}

}
