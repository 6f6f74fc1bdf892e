// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/dialogs.h"

namespace tk {

// Qt's message box, input dialog and menu. Each runs a nested loop, so timers keep ticking.
class TQtDialogs : public TDialogs {
public:
    int MessageBox(const std::string& text, const std::string& caption, int flags) override;
    bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) override;
    void Popup(TPopupMenu&, int screenX, int screenY) override;
};

}
