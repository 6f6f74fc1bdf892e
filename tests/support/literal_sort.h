// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

using Rows = std::vector<std::vector<std::string>>;

// The table sort done as literally as it reads: for each row and each row below it, fold both
// cells again and exchange the two whole rows when the upper one is greater. Slow on purpose; the
// program's sort must give the very same order.
void literalSort(Rows& rows, int column, bool numeric);

// Rows of seven cells whose titles repeat often, in both cases, with sizes some of which are not
// numbers, so that equal keys are everywhere. The same rows for the same seed.
Rows rowsWithManyEqualKeys(int count, unsigned seed);
