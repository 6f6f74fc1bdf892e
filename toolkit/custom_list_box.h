// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/strings.h"
#include "toolkit/wincontrol.h"

namespace tk {

// What the list controls share: lines of one height in a sunken white box, one of which may be
// selected. A press on a line selects it and its click reports it; the arrows, Home/End and
// PgUp/PgDn move the selection and report each move as a click. Each control paints its lines
// through PaintItem.
class TCustomListBox : public TWinControl {
public:
    TCustomListBox(TWinControl* parent, std::string name);

    const TStrings& Items() const { return m_items; }
    // -1 when nothing is selected. Setting it scrolls the line into view but fires nothing.
    int ItemIndex() const { return m_itemIndex; }
    void SetItemIndex(int);
    // The line under (x, y) in client coordinates, or -1.
    int ItemAtPos(int x, int y) const;
    int TopIndex() const { return m_topIndex; }
    void SetTopIndex(int);
    // Whole lines that fit inside the border.
    int VisibleCount() const;
    // At least one pixel.
    int ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(int);

    void Paint(TCanvas&) override;
    void MouseDown(TMouseButton, TShiftState, int x, int y) override;
    void ClickOnRelease() override;
    // Only a double-click on an item counts; below the last one there is nothing to pick.
    void DblClick() override;
    void KeyDown(unsigned short& key, TShiftState) override;

protected:
    // The lines for the control to fill; every change comes to ItemsChanged.
    TStrings& MutableItems() { return m_items; }
    // Drops a selection past the last line, keeps the top on a line and repaints.
    virtual void ItemsChanged();
    // One line inside the border: by default its highlight and its text two pixels in.
    virtual void PaintItem(TCanvas&, int index, TRect line);
    // Whether the press of the click or double click under way landed on a line.
    bool PressOnItem() const { return m_pressOnItem; }
    // Shows the lines from the first again with `index` selected, scrolled into view.
    void SelectFromTop(int index);

private:
    TRect ItemArea() const;
    int ClampedTop(int top) const;
    void ScrollIntoView();

    TStrings m_items;
    int m_itemIndex { -1 };
    int m_itemHeight { 13 };
    int m_topIndex { 0 };
    bool m_pressOnItem { false };
};

}
