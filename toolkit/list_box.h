// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/custom_list_box.h"

namespace tk {

// A list of text lines the program fills itself; a double click on a line fires OnDblClick.
// Sorted keeps the lines in ascending order, ignoring ASCII case.
class TListBox : public TCustomListBox {
public:
    using TCustomListBox::TCustomListBox;

    // Changes to the lines repaint the list (and re-sort it when Sorted).
    TStrings& Items() { return MutableItems(); }
    using TCustomListBox::Items;
    bool Sorted() const { return m_sorted; }
    void SetSorted(bool);

protected:
    void ItemsChanged() override;

private:
    bool Sort();

    bool m_sorted { false };
};

}
