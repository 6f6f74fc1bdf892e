// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/text_edit.h"

namespace tk {

// Multi-line plain text. Hidden memos serve the program as string lists; OnChange follows their
// lines and every edit.
class TMemo : public TTextEdit {
public:
    TMemo(TWinControl* parent, std::string name);

    // Plain text through the platform (see LoadPlainText); throw tk::Exception when the file
    // can't be read or written. Saved with CR LF after every line: in UTF-8 when it was read so or
    // holds characters Windows-1252 lacks, else in Windows-1252, so no character is lost.
    void LoadFromFile(const std::string& winPath);
    void SaveToFile(const std::string& winPath);
};

}
