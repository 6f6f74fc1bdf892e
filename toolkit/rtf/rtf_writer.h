// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>
#include <QRgb>
#include <QString>
#include <QStringView>

#include <string>
#include <vector>

class QBrush;
class QTextBlock;
class QTextBlockFormat;
class QTextCharFormat;
class QTextCursor;
class QTextDocument;

namespace tk {

// Writes a QTextDocument as Rich Text (7-bit ASCII, Windows-1252 code page): what RtfReader reads
// back the same, character and paragraph formatting included. Every paragraph ends with \par; the
// reader drops the one that ends the text.
class RtfWriter {
public:
    // The whole document as RTF.
    static std::string Write(const QTextDocument& document);
    // The cursor's selection as RTF (used for copy).
    static std::string WriteSelection(const QTextCursor& cursor);

private:
    // A run's formatting as the control words say it; the defaults are what \plain means.
    struct Look {
        bool bold { false };
        bool italic { false };
        bool underline { false };
        bool strike { false };
        int font { 0 };
        int halfPoints { 24 };
        int foreground { 0 };
        int background { 0 };
        bool operator==(const Look&) const = default;
    };

    explicit RtfWriter(const QTextDocument& document);
    std::string WriteRange(int start, int end);
    void WriteBlock(const QTextBlock&, int start, int end);
    void WriteParagraphFormat(const QTextBlockFormat&);
    void WriteRun(QStringView text, const QTextCharFormat&);
    void WriteLook(const Look&);
    void Control(const char* word);
    void Control(const char* word, int param);
    Look LookOf(const QTextCharFormat&);
    int FontIndex(const QString& family);
    int ColorIndex(const QBrush&);
    std::string Header() const;

    const QTextDocument& m_document;
    QFont m_defaultFont;
    std::vector<QString> m_fonts;
    std::vector<QRgb> m_colors;
    Look m_written;
    bool m_delimit { false }; // the last control word needs a space before text
    std::string m_body;
};

}
