// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QStringDecoder;
class QTextDocument;
class QTextList;
class QTextTable;

namespace tk {

// Reads Rich Text into a QTextDocument: the text, character formatting (bold, italic, underline,
// strikeout, font, size, colours, sub- and superscript, hyperlinks), paragraph formatting
// (alignment, indents, spacing), list items, tables and PNG or JPEG pictures; everything else is
// skipped, hidden text too. One pass over the bytes with an explicit group stack, so damaged or hostile input costs
// time and memory in proportion to its length, never to its nesting or its numbers.
class RtfReader {
public:
    // True when the bytes begin with "{\rtf" (what decides Rich Text versus plain text).
    static bool IsRtf(std::string_view bytes);
    // Replaces the document's content with what the RTF says. Never throws and never hangs on any
    // input: reads what it can of damaged input.
    static void Read(std::string_view rtf, QTextDocument& document);
    // Inserts the RTF's content at the cursor (used for paste), replacing the cursor's selection.
    static void Insert(std::string_view rtf, QTextCursor& cursor);

private:
    enum class Destination : std::uint8_t { Text, FontTable, ColorTable, FieldInstruction, Picture, ListText, Skip };

    struct CharState {
        bool bold { false };
        bool italic { false };
        bool underline { false };
        bool strike { false };
        int font { -1 }; // -1: the document's default font (\deff)
        int halfPoints { 24 };
        int foreground { 0 }; // colour table indexes; 0 is "auto"
        int background { 0 };
        int highlight { 0 };
        bool hidden { false };
        int vertical { 0 }; // 1 superscript, 2 subscript
        int link { 0 };     // 1 + index of the hyperlink target; 0 none
        bool operator==(const CharState&) const = default;
    };

    struct ParaState {
        Qt::Alignment alignment { Qt::AlignLeft };
        int leftTwips { 0 };
        int rightTwips { 0 };
        int firstTwips { 0 };
        int beforeTwips { 0 };
        int afterTwips { 0 };
        int lineSpacing { 0 }; // \sl: 0 single, > 0 at least, < 0 exactly (twips)
        bool lineMultiple { false };
        bool inTable { false };
    };

    struct Picture {
        std::string hex;
        std::string bytes;
        bool shown { false }; // PNG or JPEG
        int widthTwips { 0 };
        int heightTwips { 0 };
        int scaleX { 100 };
        int scaleY { 100 };
    };

    struct State {
        CharState chars;
        ParaState para;
        Destination destination { Destination::Text };
        int codePage { -1 }; // of the current font's character set; -1: the document's
        int unicodeSkip { 1 };
    };

    struct Font {
        QString name;
        int codePage { -1 };
    };

    RtfReader(std::string_view rtf, QTextCursor& cursor, bool inserting);
    ~RtfReader();
    void Run();

    State& Top() { return m_stack.back(); }
    void OpenGroup();
    void CloseGroup();
    void ControlSymbol();
    void ControlWord();
    void HandleKeyword(std::string_view word, bool hasParam, int param);
    void CharKeyword(int keyword, bool on, int param);
    void TableKeyword(int keyword, int param);
    bool ConsumeFallback();
    void SkipBinary(int count);
    bool Starred(int keyword);
    void LeaveDestination(Destination left);
    void PictureKeyword(int keyword, int param);
    void InsertPicture();
    void CommitField();
    void ApplyList(const QString& marker);
    void EnterText();
    void EnsureTable();
    void LeaveTable();
    void EndCell();
    void EndRow();

    void TextByte(unsigned char byte);
    void TextUnit(char16_t unit);
    void FlushBytes();
    void AppendText(QString text);
    QString Decode(std::string_view bytes, int codePage);
    QStringDecoder* DecoderFor(int codePage);
    int CodePage();

    void ParagraphBreak();
    void MaterialiseBreak();
    void ApplyParagraph(const ParaState&, const QString& marker);
    void FlushRun();
    void Finish();
    QTextCharFormat CharFormat(const CharState&) const;
    QColor Color(int index) const;

    void StartFont(int number);
    void CommitFont();
    void CommitColor();

    std::string_view m_rtf;
    std::size_t m_pos { 0 };
    QTextCursor& m_cursor;
    bool m_inserting { false };

    std::vector<State> m_stack;
    int m_overflowDepth { 0 }; // groups opened beyond the nesting limit, read flat
    bool m_starred { false };  // a \* just made the group's destination Skip
    Destination m_starredFrom { Destination::Text };
    int m_fallback { 0 };      // \uc characters still to skip after a \u

    int m_ansiCodePage { 1252 };
    int m_defaultFont { 0 };
    std::map<int, Font> m_fonts;
    int m_fontNumber { -1 };
    int m_fontCodePage { -1 };
    QString m_fontName;
    std::vector<QColor> m_colors;
    int m_red { 0 };
    int m_green { 0 };
    int m_blue { 0 };
    bool m_colorGiven { false };

    std::string m_bytes; // undecoded text bytes, all in one code page
    int m_bytesCodePage { 1252 };
    Destination m_bytesDestination { Destination::Text };
    int m_decoderCodePage { -1 };
    std::unique_ptr<QStringDecoder> m_decoder;

    QString m_run; // text waiting to be inserted, all in m_runChars
    CharState m_runChars;
    bool m_breakPending { false };   // a \par seen, its new paragraph not begun yet
    ParaState m_pendingPara;         // the format of the paragraph that \par ended
    QTextBlockFormat m_tailFormat;   // for the paragraph holding what followed the insertion point

    QString m_fieldText;             // a field's instruction
    std::vector<QString> m_links;
    Picture m_picture;
    int m_pictures { 0 };
    QString m_listText;              // the marker of the paragraph being read, if a list item
    QString m_pendingMarker;         // the marker of the paragraph \par ended
    QTextList* m_list { nullptr };   // the list the last paragraph joined
    int m_listBlock { -1 };          // that paragraph's block number
    QTextTable* m_table { nullptr }; // the table being read
    int m_cell { 0 };                // the cell the text goes to, in its row
    int m_rowColumns { 0 };          // the \cellx of the last row definition
    bool m_rowEnded { false };       // a \row seen: the next table text begins a new row
};

}
