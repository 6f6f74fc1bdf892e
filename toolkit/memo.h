// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/text_edit.h"

namespace tk {

// Multi-line plain text. Hidden memos serve the program as string lists; OnChange follows their
// lines and every edit.
class TMemo : public TTextEdit {
public:
    TMemo(TWinControl* parent, std::string name);
};

}
