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
class QTextImageFormat;
class QTextTable;

namespace tk {

// Writes a QTextDocument as Rich Text (7-bit ASCII, Windows-1252 code page): what RtfReader reads
// back the same, character and paragraph formatting, lists, tables, pictures and links included.
// Every paragraph ends with \par (\cell in a table); the reader drops the one that ends the text.
class RtfWriter {
public:
    // The whole document as RTF. `face` names the document's default font in the file (the face
    // a control was given rather than the one the desktop stands in with); empty: its family.
    static std::string Write(const QTextDocument& document, const QString& face = {});
    // The cursor's selection as RTF (used for copy).
    static std::string WriteSelection(const QTextCursor& cursor, const QString& face = {});

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
        int vertical { 0 }; // 1 superscript, 2 subscript
        bool operator==(const Look&) const = default;
    };

    RtfWriter(const QTextDocument& document, const QString& face);
    std::string WriteRange(int start, int end);
    void WriteBlock(const QTextBlock&, int start, int end, const char* ending = "par");
    void WriteTable(const QTextTable&, int start, int end);
    void WriteListMarker(const QTextBlock&);
    void WriteParagraphFormat(const QTextBlockFormat&);
    void WritePicture(const QTextImageFormat&);
    void OpenLink(const QString& target);
    void CloseLink();
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
    QString m_defaultFamily;
    std::vector<QString> m_fonts;
    std::vector<QRgb> m_colors;
    Look m_written;
    Look m_beforeLink; // what the text outside the link group has
    bool m_delimit { false }; // the last control word needs a space before text
    std::string m_body;
};

}
