#pragma once

#include "toolkit/clipboard.h"

namespace tk {

// The desktop's clipboard; the program's Windows-1252 text travels as UTF-8.
class TQtClipboard : public TClipboard {
public:
    void SetAsText(const std::string& text) override;
    std::string AsText() const override;
};

}
