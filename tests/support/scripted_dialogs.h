// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/dialogs.h"

#include <deque>
#include <optional>
#include <functional>
#include <string>
#include <vector>

// Dialogs answered from a script, recording what was asked. While a box is "open" the script may
// let time pass, as a user who reads the box does.
class ScriptedDialogs : public tk::TDialogs {
public:
    struct Box {
        std::string text;
        std::string caption;
        int flags { 0 };
    };
    struct Query {
        std::string caption;
        std::string prompt;
        std::string proposal;
    };

    int MessageBox(const std::string& text, const std::string& caption, int flags) override;
    bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) override;
    void Popup(tk::TPopupMenu& menu, int screenX, int screenY) override;

    // Answers for the next boxes and queries, in order. Without one, a box answers Cancel
    // (OK for a box that only has OK) and a query is cancelled.
    void answerBoxes(std::vector<int> answers) { m_boxAnswers.insert(m_boxAnswers.end(), answers.begin(), answers.end()); }
    void answerQuery(std::optional<std::string> text) { m_queryAnswers.push_back(std::move(text)); }
    // Runs while the next box or query is open.
    std::function<void()> whileOpen;

    std::vector<Box> boxes;
    std::vector<Query> queries;
    tk::TPopupMenu* lastPopup { nullptr };

private:
    std::deque<int> m_boxAnswers;
    std::deque<std::optional<std::string>> m_queryAnswers;
};
