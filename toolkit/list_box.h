#pragma once

#include "toolkit/strings.h"
#include "toolkit/wincontrol.h"

namespace tk {

// A list of text lines in a sunken white box, one of which may be selected. A press on a line
// selects it, the click (or an arrow key moving the selection) fires OnClick; a double click
// fires OnDblClick. Sorted keeps the lines in ascending order, ignoring ASCII case.
class TListBox : public TWinControl {
public:
    TListBox(TWinControl* parent, std::string name);

    // Changes to the lines repaint the list (and re-sort it when Sorted).
    TStrings& Items() { return m_items; }
    const TStrings& Items() const { return m_items; }
    bool Sorted() const { return m_sorted; }
    void SetSorted(bool);

    // -1 when nothing is selected. Setting it scrolls the line into view but fires nothing.
    int ItemIndex() const { return m_itemIndex; }
    void SetItemIndex(int);
    int ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(int);
    int TopIndex() const { return m_topIndex; }
    void SetTopIndex(int);
    // Whole lines that fit inside the border.
    int VisibleCount() const;
    // The line under (x, y) in client coordinates, or -1.
    int ItemAtPos(int x, int y) const;

    void Paint(TCanvas&) override;
    void MouseDown(TMouseButton, TShiftState, int x, int y) override;
    void ClickOnRelease() override;
    // Only a double-click on an item counts; below the last one there is nothing to pick.
    void DblClick() override;
    void KeyDown(unsigned short& key, TShiftState) override;

private:
    void ItemsChanged();
    void Sort();
    void ScrollIntoView();
    void MoveSelection(int index);

    TStrings m_items;
    bool m_sorted { false };
    bool m_sorting { false };
    int m_itemIndex { -1 };
    int m_itemHeight { 13 };
    int m_topIndex { 0 };
    bool m_pressOnItem { false };
};

}
