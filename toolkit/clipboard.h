// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace tk {

// The desktop clipboard. The program's text is Windows-1252; the editors' text is UTF-8, so that
// every character they hold travels; Rich Text is RTF bytes and HTML is UTF-8, offered beside the
// text by rich-text controls. This default keeps everything in memory; the window backend puts it
// on the real clipboard.
class TClipboard {
public:
    virtual ~TClipboard() = default;
    void SetAsText(const std::string& cp1252Text);
    // The same content in three forms; an empty one is not offered.
    virtual void SetAsFormats(const std::string& utf8Text, const std::string& rtf, const std::string& html)
    {
        m_text = utf8Text;
        m_rtf = rtf;
        m_html = html;
    }
    // The text in Windows-1252 ("?" for what it lacks), or in UTF-8.
    std::string AsText() const;
    virtual std::string AsUtf8Text() const { return m_text; }
    // Empty when the clipboard offers no such form.
    virtual std::string AsRtf() const { return m_rtf; }
    virtual std::string AsHtml() const { return m_html; }

private:
    std::string m_text;
    std::string m_rtf;
    std::string m_html;
};

}
