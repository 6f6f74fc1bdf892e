// SPDX-License-Identifier: MIT
#include "app/tavisco.h"
#include "catalogue/text.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <numeric>
#include <vector>

namespace {

// A title folded once: letters A..Z folded, then compared byte by byte, a text that starts the
// other coming first. The first eight bytes, packed high byte first, settle most comparisons
// without reading the text.
struct TextKey {
    std::uint64_t head { 0 };
    std::string folded;

    explicit TextKey(const std::string& cell)
        : folded(lowerAZ(cell))
    {
        for (std::size_t i = 0; i < 8; ++i)
            head = head << 8 | (i < folded.size() ? static_cast<unsigned char>(folded[i]) : 0u);
    }
    bool operator>(const TextKey& other) const
    {
        if (head != other.head)
            return head > other.head;
        return folded > other.folded; // std::string compares bytes as unsigned
    }
};

// A row without a size (an unreadable image) sorts before every number.
long long sizeKey(const std::string& cell)
{
    auto n = readInteger(cell);
    return n ? *n : LLONG_MIN;
}

// The exchange sort, on row numbers: each place in turn takes every later row whose key is
// smaller, by exchange, so rows with equal keys are never exchanged. Returns the row that ends at
// each place.
template <class Key>
std::vector<int> exchangeOrder(const std::vector<Key>& keys)
{
    std::vector<int> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    const int n = static_cast<int>(order.size());
    for (int i = 0; i + 1 < n; ++i) {
        const Key* low = &keys[std::size_t(order[i])];
        for (int j = i + 1; j < n; ++j) {
            const Key& other = keys[std::size_t(order[j])];
            if (*low > other) {
                std::swap(order[i], order[j]);
                low = &other;
            }
        }
    }
    return order;
}

template <class Key, class MakeKey>
std::vector<int> orderOf(const tk::TStringGrid& grid, int column, MakeKey makeKey)
{
    std::vector<Key> keys;
    keys.reserve(std::size_t(grid.RowCount()));
    for (int r = 0; r < grid.RowCount(); ++r)
        keys.push_back(makeKey(grid.Cell(column, r)));
    return exchangeOrder(keys);
}

}

void TForm1::sortBy(int column, bool numeric)
{
    sys("+");
    sysdis("Sorting, please wait... ");
    // Keys are read once and the rows moved once; the order is the one exchanging whole rows gives.
    disk->PermuteRows(numeric ? orderOf<long long>(*disk, column, sizeKey)
                              : orderOf<TextKey>(*disk, column, [](const std::string& cell) { return TextKey(cell); }));
    sysdis("Sorting complete.");
}

void TForm1::disksort()
{
    sortBy(SortColumn, false);
}

void TForm1::disksort2()
{
    sortBy(SortColumn, true);
}

void TForm1::c1Click(TObject*) { SortColumn = 0; disksort(); disk->SetFocus(); }
void TForm1::c2Click(TObject*) { SortColumn = 1; disksort(); disk->SetFocus(); }
void TForm1::c3Click(TObject*) { SortColumn = 2; disksort2(); disk->SetFocus(); }
void TForm1::c4Click(TObject*) { SortColumn = 3; disksort(); disk->SetFocus(); }
void TForm1::c5Click(TObject*) { SortColumn = 4; disksort(); disk->SetFocus(); }
void TForm1::c6Click(TObject*) { SortColumn = 5; disksort(); disk->SetFocus(); }
void TForm1::c7Click(TObject*) { SortColumn = 6; disksort(); disk->SetFocus(); }

void TForm1::diskKeyPress(TObject*, char& key)
{
    int start = key == LastJumpKey ? disk->Row() + 1 : 0;
    LastJumpKey = key;
    char wanted = lowerAZ(std::string(1, key))[0];
    auto find = [&](int from) {
        for (int r = from; r < disk->RowCount(); ++r) {
            const std::string& title = disk->Cell(0, r);
            if (!title.empty() && lowerAZ(title.substr(0, 1))[0] == wanted)
                return r;
        }
        return -1;
    };
    int row = find(start);
    if (row < 0)
        row = find(0);
    if (row >= 0)
        disk->SetRow(row);
}
