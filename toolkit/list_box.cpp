// SPDX-License-Identifier: MIT
#include "toolkit/list_box.h"

#include "platform/ascii.h"
#include "toolkit/property.h"

#include <algorithm>

namespace tk {

namespace {

// Bytes above 127 keep their Windows-1252 order; lines equal but for case keep the order they came in.
bool lessIgnoringCase(const std::string& a, const std::string& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(platform::asciiLower(x)) < static_cast<unsigned char>(platform::asciiLower(y));
    });
}

}

void TListBox::ItemsChanged()
{
    // A sort sets the lines again, and that change, already in order, does the rest.
    if (m_sorted && Sort())
        return;
    TCustomListBox::ItemsChanged();
}

bool TListBox::Sort()
{
    const auto& lines = Items().Lines();
    if (std::is_sorted(lines.begin(), lines.end(), lessIgnoringCase))
        return false;
    std::vector<std::string> sorted = lines;
    std::stable_sort(sorted.begin(), sorted.end(), lessIgnoringCase);
    MutableItems().SetLines(std::move(sorted));
    return true;
}

void TListBox::SetSorted(bool v)
{
    if (!Change(m_sorted, v))
        return;
    if (m_sorted)
        Sort();
}

}
