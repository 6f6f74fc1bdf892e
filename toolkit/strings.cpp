// SPDX-License-Identifier: MIT
#include "toolkit/strings.h"

#include "platform/filesystem.h"
#include "toolkit/exceptions.h"
#include "toolkit/file_errors.h"

#include <algorithm>

namespace tk {

std::size_t TStrings::Checked(int i) const
{
    if (i < 0 || i >= Count())
        throw EListError(i);
    return static_cast<std::size_t>(i);
}

void TStrings::Put(int i, const std::string& s)
{
    m_lines[Checked(i)] = s;
    Changed();
}

int TStrings::Add(const std::string& s)
{
    m_lines.push_back(s);
    Changed();
    return Count() - 1;
}

void TStrings::Insert(int i, const std::string& s)
{
    if (i < 0 || i > Count())
        throw EListError(i);
    m_lines.insert(m_lines.begin() + i, s);
    Changed();
}

void TStrings::Delete(int i)
{
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(Checked(i)));
    Changed();
}

void TStrings::Clear()
{
    m_lines.clear();
    CallEvent(OnModified);
}

void TStrings::Assign(const TStrings& other)
{
    SetLines(other.m_lines);
}

void TStrings::SetLines(std::vector<std::string> lines)
{
    m_lines = std::move(lines);
    Changed();
}

int TStrings::IndexOf(const std::string& s) const
{
    auto it = std::find(m_lines.begin(), m_lines.end(), s);
    return it == m_lines.end() ? -1 : static_cast<int>(it - m_lines.begin());
}

std::string TStrings::Text() const
{
    std::string text;
    for (const auto& line : m_lines)
        text += line + "\r\n";
    return text;
}

std::vector<std::string> TStrings::SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string current;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(current);
            current.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            current += c;
        }
    }
    if (!current.empty())
        lines.push_back(current);
    return lines;
}

void TStrings::SetText(const std::string& text)
{
    SetLines(SplitLines(text));
}

void TStrings::LoadFromFile(const std::string& winPath)
{
    SetText(readWholeFile(winPath));
}

void TStrings::SaveToFile(const std::string& winPath) const
{
    writeWholeFile(winPath, Text());
}

void TStrings::Changed()
{
    CallEvent(OnModified);
    CallEvent(OnChange, this);
}

}
