// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/text_edit.h"

#include <string>
#include <string_view>

namespace tk {

// Multi-line rich text. It loads and saves Rich Text (a file that is not Rich Text loads as plain
// text), and copies its selection as Rich Text, HTML and plain text; a paste takes Rich Text, then
// HTML, then plain text, whichever the clipboard offers first.
class TRichEdit : public TTextEdit {
public:
    TRichEdit(TWinControl* parent, std::string name);

    void LoadFromStream(std::string_view bytes);
    std::string SaveToStream();
    // Through the platform; throw tk::Exception when the file can't be read or written (the file
    // is replaced atomically, never half-written).
    void LoadFromFile(const std::string& winPath);
    void SaveToFile(const std::string& winPath);
    void Clear();

    // What was loaded last: nothing (Clear), plain text or Rich Text.
    bool LoadedPlainText() const { return m_loaded == Loaded::Plain; }
    // False when the Rich Text loaded held more than saving would write again (parts the editor
    // does not show, or says otherwise): the original is worth keeping before it is replaced.
    bool SavingKeepsOriginal() const;

    void CopyToClipboard() const override;
    void PasteFromClipboard() override;
    // The face the control was given, which saved files name (not the desktop's stand-in).
    QString Face() const;

private:
    enum class Loaded { Nothing, Plain, Rich };
    Loaded m_loaded { Loaded::Nothing };
    std::string m_loadedRtf;
};

}
