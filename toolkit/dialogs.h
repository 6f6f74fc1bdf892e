// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace tk {

class TPopupMenu;

// Message box buttons and answers, with their usual values.
constexpr int MB_OK = 0, MB_OKCANCEL = 1, MB_YESNO = 4;
constexpr int IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7;

// The modal dialogs of the desktop. Timers keep ticking while one is open. This default answers
// nothing (Cancel, no input) so that a program without a desktop never blocks; the window backend
// shows real dialogs and tests script the answers.
class TDialogs {
public:
    virtual ~TDialogs() = default;
    virtual int MessageBox(const std::string& text, const std::string& caption, int flags);
    // Returns false when cancelled; value holds the proposal on entry and the answer on exit.
    virtual bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);
    virtual void Popup(TPopupMenu&, int screenX, int screenY) { }
};

}
