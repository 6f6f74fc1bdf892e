// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace tk {

// The desktop clipboard. Text is Windows-1252; Rich Text is RTF bytes and HTML is UTF-8, offered
// beside the text by rich-text controls. This default keeps everything in memory; the window
// backend puts it on the real clipboard.
class TClipboard {
public:
    virtual ~TClipboard() = default;
    virtual void SetAsText(const std::string& text) { SetAsFormats(text, {}, {}); }
    // The same content in three forms; an empty one is not offered.
    virtual void SetAsFormats(const std::string& text, const std::string& rtf, const std::string& html)
    {
        m_text = text;
        m_rtf = rtf;
        m_html = html;
    }
    virtual std::string AsText() const { return m_text; }
    // Empty when the clipboard offers no such form.
    virtual std::string AsRtf() const { return m_rtf; }
    virtual std::string AsHtml() const { return m_html; }

private:
    std::string m_text;
    std::string m_rtf;
    std::string m_html;
};

}
