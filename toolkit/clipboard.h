#pragma once

#include <string>

namespace tk {

// The desktop clipboard, as text in Windows-1252. This default keeps the text in memory;
// the window backend puts it on the real clipboard.
class TClipboard {
public:
    virtual ~TClipboard() = default;
    virtual void SetAsText(const std::string& text) { m_text = text; }
    virtual std::string AsText() const { return m_text; }

private:
    std::string m_text;
};

}
