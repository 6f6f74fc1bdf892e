// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/text_edit.h"

#include <string>
#include <string_view>

namespace tk {

// Multi-line rich text. It loads and saves Rich Text (a file that is not Rich Text loads as plain
// Windows-1252 text), and copies its selection as Rich Text, HTML and plain text; a paste takes
// Rich Text, then HTML, then plain text, whichever the clipboard offers first.
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

    void CopyToClipboard() const override;
    void PasteFromClipboard() override;
};

}
