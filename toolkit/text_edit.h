// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/strings.h"
#include "toolkit/wincontrol.h"

#include <QTextCursor>
#include <QTextDocument>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace tk {

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// Multi-line text edited in a QTextDocument: caret, selection, keys, mouse, clipboard keys, scrolling.
// Lines() is the same text as a list of lines (Windows-1252), kept in step lazily either way, so a
// memo that only serves as a string list never builds a document, and typing never splits the text
// anew. In a real window a native editor is bound to Document() while the control is shown.
class TTextEdit : public TWinControl {
public:
    TTextEdit(TWinControl* parent, std::string name);
    ~TTextEdit() override;

    TStrings& Lines();
    const TStrings& Lines() const;
    // The lines, each followed by CR LF.
    std::string Text() const { return Lines().Text(); }
    void SetText(const std::string& text) { Lines().SetText(text); }
    QTextDocument& Document();
    // Qt lays out, shapes and paints a paragraph whole, so a paragraph this long costs each key
    // and each caret blink a noticeable time.
    static bool HasVeryLongParagraph(const QTextDocument&);
    // Edited since the text was loaded or set (undoing back to it counts as unedited).
    bool Modified() const { return m_document->isModified(); }

    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool);
    TScrollStyle ScrollBars() const { return m_scrollBars; }
    void SetScrollBars(TScrollStyle);
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool);
    // Most characters the text may hold; 0 is no limit. Only typing and pasting are held to it.
    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int);

    // Selection as character positions in the document (a line break counts one).
    int SelStart() const;
    int SelLength() const;
    void SetSelection(int start, int length);
    void SelectAll();
    int CaretPos() const;
    // The selected text with CR LF line breaks.
    std::string SelText() const;
    QString SelUnicodeText() const;
    // Replaces the selection (or inserts at the caret).
    void SetSelText(const std::string&);
    void ClearSelection();
    virtual void CopyToClipboard() const;
    void CutToClipboard();
    virtual void PasteFromClipboard();
    // The edit history begins when the text is loaded or set.
    void Undo();
    void Redo();

    // The caret and selection shared with a native editor: it reports its moves here, and
    // listens to OnCursorMoved for the moves made here.
    const QTextCursor& TextCursor() const { return m_cursor; }
    void SetTextCursor(const QTextCursor&);
    std::function<void(const QTextCursor&)> OnCursorMoved;
    // Font, colours, scroll bars, wrapping or read-only changed: what a native editor follows.
    std::function<void()> OnLookChanged;

    void Paint(TCanvas&) override;
    void MouseDown(TMouseButton, TShiftState, int x, int y) override;
    void MouseMove(TShiftState, int x, int y) override;
    void MouseUp(TMouseButton, TShiftState, int x, int y) override;
    void KeyDown(unsigned short& key, TShiftState) override;
    void KeyPress(char& key) override;

    TNotifyEvent OnChange;

protected:
    void FontChanged() override;
    void ColorChanged() override;
    void BoundsChanged() override;
    // Text set wholesale: the lines follow at their next reading, the history starts afresh.
    void DocumentReplaced();
    // Plain text from a file (see fromPlainText); CR LF, CR and LF each end a line, and a final
    // line break opens no empty line.
    void LoadPlainText(std::string_view bytes);
    bool LoadedAsUtf8() const { return m_loadedUtf8; }
    // Inserts at the caret, cut to MaxLength; false when nothing could be inserted.
    bool InsertLimited(const QString& text);
    int Room() const;

private:
    // Shaping is most of the cost of a key in a very long paragraph; kerning and ligatures are
    // not worth that, so such a text is laid out unshaped.
    void ChooseShaping(bool veryLongParagraph) const;
    static bool HasVeryLongLine(const QString& text);
    void PushLines() const;
    void PullLines() const;
    void ContentsChanged();
    void CursorMoved();
    bool HandleMove(unsigned short key, TShiftState);
    bool HandleEditing(unsigned short key, TShiftState);
    int PositionAt(int x, int y);
    void ScrollToCaret();
    TRect TextArea() const;
    void ApplyWordWrap();
    void LookChanged();

    mutable TStrings m_lines;
    std::unique_ptr<QTextDocument> m_document;
    QTextCursor m_cursor;
    mutable bool m_linesStale { false };    // the document is newer
    mutable bool m_documentStale { false }; // the lines are newer
    mutable bool m_syncing { false };
    bool m_wordWrap { true };
    TScrollStyle m_scrollBars { ssNone };
    bool m_readOnly { false };
    int m_maxLength { 0 };
    mutable bool m_loadedUtf8 { false };
    int m_scrollX { 0 };
    int m_scrollY { 0 };
    bool m_dragging { false };
};

}
