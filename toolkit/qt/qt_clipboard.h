// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/clipboard.h"

class QMimeData;

namespace tk {

// The desktop's clipboard: text as Unicode, Rich Text as text/rtf (read also as application/rtf),
// HTML as text/html.
class TQtClipboard : public TClipboard {
public:
    void SetAsFormats(const std::string& utf8Text, const std::string& rtf, const std::string& html) override;
    std::string AsUtf8Text() const override;
    std::string AsRtf() const override;
    std::string AsHtml() const override;

    // The same forms for drag and drop and the native editors.
    static QMimeData* MimeData(const std::string& utf8Text, const std::string& rtf, const std::string& html);
    static std::string RtfOf(const QMimeData*);
};

}
