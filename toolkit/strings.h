// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/object.h"

#include <functional>
#include <string>
#include <vector>

namespace tk {

// An ordered list of text lines (Windows-1252). OnChange follows every change of the lines,
// except Clear: emptying a list is not reported.
class TStrings : public TObject {
public:
    int Count() const { return static_cast<int>(m_lines.size()); }
    const std::string& operator[](int i) const { return m_lines[Checked(i)]; }
    const std::string& Strings(int i) const { return (*this)[i]; }
    void Put(int i, const std::string& s);
    const std::vector<std::string>& Lines() const { return m_lines; }

    int Add(const std::string& s);
    void Insert(int i, const std::string& s);
    void Delete(int i);
    void Clear();
    void Assign(const TStrings& other);
    void SetLines(std::vector<std::string> lines);
    int IndexOf(const std::string& s) const;

    // Every line followed by CR LF.
    std::string Text() const;
    // Splits at CR LF, lone CR and lone LF; a final line break adds no empty line.
    void SetText(const std::string& text);
    static std::vector<std::string> SplitLines(const std::string& text);

    // Whole files through the platform: reading throws tk::Exception when the file can't be read,
    // writing replaces the file atomically and throws when it can't.
    void LoadFromFile(const std::string& winPath);
    void SaveToFile(const std::string& winPath) const;

    TNotifyEvent OnChange;
    // Every change, Clear included: for a control that mirrors the lines.
    std::function<void()> OnModified;

private:
    void Changed();
    // The index as a position in the lines; throws EListError outside them.
    std::size_t Checked(int i) const;

    std::vector<std::string> m_lines;
};

}
