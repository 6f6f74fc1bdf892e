// SPDX-License-Identifier: MIT
#include "tests/support/literal_sort.h"

#include "catalogue/text.h"

#include <algorithm>
#include <climits>
#include <random>
#include <utility>

namespace {

bool greaterText(const std::string& a, const std::string& b)
{
    std::string x = lowerAZ(a), y = lowerAZ(b);
    return std::lexicographical_compare(y.begin(), y.end(), x.begin(), x.end(),
        [](char p, char q) { return static_cast<unsigned char>(p) < static_cast<unsigned char>(q); });
}

long long number(const std::string& cell)
{
    auto n = readInteger(cell);
    return n ? *n : LLONG_MIN;
}

}

void literalSort(Rows& rows, int column, bool numeric)
{
    for (std::size_t i = 0; i + 1 < rows.size(); ++i)
        for (std::size_t j = i + 1; j < rows.size(); ++j) {
            const std::string& a = rows[i][std::size_t(column)];
            const std::string& b = rows[j][std::size_t(column)];
            if (numeric ? number(a) > number(b) : greaterText(a, b))
                std::swap(rows[i], rows[j]);
        }
}

Rows rowsWithManyEqualKeys(int count, unsigned seed)
{
    std::mt19937 random(seed);
    const std::vector<std::string> titles { "MARIO", "mario", "Mario Kart", "ZELDA", "zelda", "\xC9TOILE",
        "_BONUS", "mario\x1F", "", "WAVE RACE", "wave race", "1080", "Super Mario 64", "SUPER MARIO 64 " };
    const std::vector<std::string> sizes { "64", "128", "256", "32", "Error", "96", "  64", "-1" };
    Rows rows;
    for (int i = 0; i < count; ++i) {
        const std::string& title = titles[random() % titles.size()];
        const std::string& size = sizes[random() % sizes.size()];
        rows.push_back({ title, "USA", size, "none", "-", "game" + std::to_string(i) + ".v64", "NM" });
    }
    return rows;
}
