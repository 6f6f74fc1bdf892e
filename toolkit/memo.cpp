// SPDX-License-Identifier: MIT
#include "toolkit/memo.h"

namespace tk {

TMemo::TMemo(TWinControl* parent, std::string name)
    : TTextEdit(parent, std::move(name))
{
}

}
