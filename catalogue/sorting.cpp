#include "app/tavisco.h"
#include "catalogue/text.h"

#include <algorithm>
#include <climits>

namespace {

// Letters A..Z folded, then byte by byte; a text that starts the other comes first.
bool textGreater(const std::string& a, const std::string& b)
{
    std::string x = lowerAZ(a), y = lowerAZ(b);
    return std::lexicographical_compare(y.begin(), y.end(), x.begin(), x.end(),
        [](char p, char q) { return static_cast<unsigned char>(p) < static_cast<unsigned char>(q); });
}

// A row without a size (an unreadable image) sorts before every number.
long long sizeKey(const std::string& cell)
{
    auto n = readInteger(cell);
    return n ? *n : LLONG_MIN;
}

}

void TForm1::sortBy(int column, bool numeric)
{
    sys("+");
    sysdis("Sorting, please wait... ");
    int n = disk->RowCount();
    for (int i = 0; i + 1 < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            const std::string& a = disk->Cell(column, i);
            const std::string& b = disk->Cell(column, j);
            if (numeric ? sizeKey(a) > sizeKey(b) : textGreater(a, b))
                disk->ExchangeRows(i, j);
        }
    }
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
