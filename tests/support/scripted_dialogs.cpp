// SPDX-License-Identifier: MIT
#include "tests/support/scripted_dialogs.h"

#include <utility>

int ScriptedDialogs::MessageBox(const std::string& text, const std::string& caption, int flags)
{
    boxes.push_back({ text, caption, flags });
    if (whileOpen)
        std::exchange(whileOpen, nullptr)();
    if (m_boxAnswers.empty())
        return (flags & 0xF) == tk::MB_OK ? tk::IDOK : tk::IDCANCEL;
    int answer = m_boxAnswers.front();
    m_boxAnswers.pop_front();
    return answer;
}

bool ScriptedDialogs::InputQuery(const std::string& caption, const std::string& prompt, std::string& value)
{
    queries.push_back({ caption, prompt, value });
    if (whileOpen)
        std::exchange(whileOpen, nullptr)();
    if (m_queryAnswers.empty())
        return false;
    auto answer = m_queryAnswers.front();
    m_queryAnswers.pop_front();
    if (!answer)
        return false;
    value = *answer;
    return true;
}

void ScriptedDialogs::Popup(tk::TPopupMenu& menu, int, int)
{
    lastPopup = &menu;
}
