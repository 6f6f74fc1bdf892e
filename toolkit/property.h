// SPDX-License-Identifier: MIT
#pragma once

#include <utility>

namespace tk {

// The first two steps of every setter with an effect: the equality guard and the assignment.
// True when the value changed, so the setter goes on to its effects:
//     if (!Change(m_color, c))
//         return;
//     Invalidate();
template <class T, class U>
bool Change(T& field, U&& value)
{
    if (field == value)
        return false;
    field = std::forward<U>(value);
    return true;
}

}
