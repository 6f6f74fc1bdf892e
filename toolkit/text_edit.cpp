// SPDX-License-Identifier: MIT
#include "toolkit/text_edit.h"

#include "toolkit/application.h"
#include "toolkit/canvas.h"
#include "toolkit/clipboard.h"
#include "toolkit/form.h"
#include "toolkit/form_host.h"
#include "toolkit/sunken_border.h"
#include "toolkit/text_layout.h"
#include "toolkit/win_text.h"
#include "toolkit/property.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <cstdlib>

namespace tk {

namespace {

constexpr int kBorder = 2;

// A document separates paragraphs with U+2029; the program's text uses CR LF.
std::string toAnsi(QString text)
{
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    return toWinText(text);
}

}

TTextEdit::TTextEdit(TWinControl* parent, std::string name)
    : TWinControl(parent, std::move(name))
    , m_document(std::make_unique<QTextDocument>())
    , m_cursor(m_document.get())
{
    SetColor(clWindow);
    SetBounds(0, 0, 185, 89);
    m_document->setDocumentMargin(0);
    ApplyWordWrap();
    m_lines.OnModified = [this] {
        if (!m_syncing)
            m_documentStale = true;
    };
    m_lines.OnChange = [this](TObject*) {
        if (m_syncing)
            return;
        Invalidate();
        CallEvent(OnChange, this);
    };
    QObject::connect(m_document.get(), &QTextDocument::contentsChanged, m_document.get(), [this] { ContentsChanged(); });
}

// A native editor bound to the document lets go of it before the document goes.
TTextEdit::~TTextEdit()
{
    if (auto* form = Form())
        form->ControlRemoved(this);
}

TStrings& TTextEdit::Lines()
{
    PullLines();
    return m_lines;
}

const TStrings& TTextEdit::Lines() const
{
    PullLines();
    return m_lines;
}

QTextDocument& TTextEdit::Document()
{
    PushLines();
    return *m_document;
}

void TTextEdit::PullLines() const
{
    if (!m_linesStale)
        return;
    m_syncing = true;
    QString text = m_document->toPlainText();
    m_lines.SetText(m_document->isEmpty() ? std::string() : toAnsi(text));
    m_syncing = false;
    m_linesStale = false;
}

void TTextEdit::PushLines() const
{
    if (!m_documentStale)
        return;
    m_syncing = true;
    QString text = fromWinText(m_lines.Text()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    ChooseShaping(HasVeryLongLine(text));
    m_document->setPlainText(text);
    m_document->setModified(false);
    m_loadedUtf8 = false;
    m_syncing = false;
    m_documentStale = false;
}

namespace {
constexpr int veryLongParagraph = 10000;
}

bool TTextEdit::HasVeryLongParagraph(const QTextDocument& document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        if (block.length() > veryLongParagraph)
            return true;
    return false;
}

bool TTextEdit::HasVeryLongLine(const QString& text)
{
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf(QChar('\n'), start);
        if ((end < 0 ? text.size() : end) - start >= veryLongParagraph)
            return true;
        if (end < 0)
            break;
        start = end + 1;
    }
    return false;
}

// Where the text is at hand this comes before it goes in, so that it is laid out once.
void TTextEdit::ChooseShaping(bool veryLong) const
{
    QFont font = Font().toQFont();
    if (veryLong)
        font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::PreferNoShaping));
    if (m_document->defaultFont().styleStrategy() != font.styleStrategy() || m_document->defaultFont() != font)
        m_document->setDefaultFont(font);
}

void TTextEdit::ContentsChanged()
{
    if (m_syncing)
        return;
    m_linesStale = true;
    Invalidate();
    CallEvent(OnChange, this);
}

void TTextEdit::DocumentReplaced()
{
    m_documentStale = false;
    m_linesStale = true;
    m_document->clearUndoRedoStacks();
    m_document->setModified(false);
    ChooseShaping(HasVeryLongParagraph(*m_document));
    m_cursor = QTextCursor(m_document.get());
    m_scrollX = m_scrollY = 0;
    // At the start, with nothing scrolled: no need to lay the text out to find the caret.
    Invalidate();
    CallEvent(OnCursorMoved, m_cursor);
}

void TTextEdit::LoadPlainText(std::string_view bytes)
{
    QString text = fromPlainText(bytes, &m_loadedUtf8);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
    if (text.endsWith(QChar('\n')))
        text.chop(1);
    m_documentStale = false;
    ChooseShaping(HasVeryLongLine(text));
    m_document->setPlainText(text);
    DocumentReplaced();
}

void TTextEdit::SetWordWrap(bool wrap)
{
    if (!Change(m_wordWrap, wrap))
        return;
    ApplyWordWrap();
    LookChanged();
}

void TTextEdit::ApplyWordWrap()
{
    QTextOption option = m_document->defaultTextOption();
    option.setWrapMode(m_wordWrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    m_document->setDefaultTextOption(option);
    m_document->setTextWidth(m_wordWrap ? TextArea().Width() : -1);
}

void TTextEdit::SetScrollBars(TScrollStyle style)
{
    if (!Change(m_scrollBars, style))
        return;
    LookChanged();
}

void TTextEdit::SetReadOnly(bool readOnly)
{
    if (!Change(m_readOnly, readOnly))
        return;
    LookChanged();
}

void TTextEdit::LookChanged()
{
    Invalidate();
    CallEvent(OnLookChanged);
}

void TTextEdit::SetMaxLength(int length)
{
    m_maxLength = std::max(0, length);
}

void TTextEdit::BoundsChanged()
{
    if (m_wordWrap)
        m_document->setTextWidth(TextArea().Width());
}

void TTextEdit::FontChanged()
{
    ChooseShaping(HasVeryLongParagraph(*m_document));
    LookChanged();
}

void TTextEdit::ColorChanged()
{
    LookChanged();
}

// Selection ------------------------------------------------------------------------------------

int TTextEdit::SelStart() const
{
    return m_cursor.selectionStart();
}

int TTextEdit::SelLength() const
{
    return m_cursor.selectionEnd() - m_cursor.selectionStart();
}

int TTextEdit::CaretPos() const
{
    return m_cursor.position();
}

void TTextEdit::SetSelection(int start, int length)
{
    PushLines();
    int last = std::max(0, m_document->characterCount() - 1);
    start = std::clamp(start, 0, last);
    m_cursor.setPosition(start);
    m_cursor.setPosition(std::clamp(start + std::max(0, length), 0, last), QTextCursor::KeepAnchor);
    CursorMoved();
}

void TTextEdit::SelectAll()
{
    PushLines();
    m_cursor.select(QTextCursor::Document);
    CursorMoved();
}

std::string TTextEdit::SelText() const
{
    return toWinText(SelUnicodeText());
}

QString TTextEdit::SelUnicodeText() const
{
    PushLines();
    QString text = m_cursor.selectedText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    return text;
}

void TTextEdit::SetSelText(const std::string& text)
{
    PushLines();
    QString inserted = fromWinText(text);
    inserted.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
    m_cursor.insertText(inserted);
    CursorMoved();
}

void TTextEdit::ClearSelection()
{
    PushLines();
    m_cursor.removeSelectedText();
    CursorMoved();
}

void TTextEdit::CopyToClipboard() const
{
    Application().Clipboard().SetAsFormats(SelUnicodeText().toStdString(), {}, {});
}

void TTextEdit::CutToClipboard()
{
    CopyToClipboard();
    if (!m_readOnly)
        ClearSelection();
}

void TTextEdit::PasteFromClipboard()
{
    if (m_readOnly)
        return;
    PushLines();
    QString text = QString::fromStdString(Application().Clipboard().AsUtf8Text());
    InsertLimited(text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void TTextEdit::Undo()
{
    if (m_readOnly || !m_document->isUndoAvailable())
        return;
    PushLines();
    m_document->undo(&m_cursor);
    CursorMoved();
}

void TTextEdit::Redo()
{
    if (m_readOnly || !m_document->isRedoAvailable())
        return;
    PushLines();
    m_document->redo(&m_cursor);
    CursorMoved();
}

int TTextEdit::Room() const
{
    if (m_maxLength == 0)
        return INT32_MAX;
    int used = m_document->characterCount() - 1 - SelLength();
    return std::max(0, m_maxLength - used);
}

bool TTextEdit::InsertLimited(const QString& text)
{
    QString cut = text.left(Room());
    if (cut.isEmpty() && !text.isEmpty())
        return false;
    m_cursor.insertText(cut);
    CursorMoved();
    return true;
}

void TTextEdit::SetTextCursor(const QTextCursor& cursor)
{
    if (cursor.document() != m_document.get() || cursor == m_cursor)
        return;
    m_cursor = cursor;
    Invalidate();
}

void TTextEdit::CursorMoved()
{
    ScrollToCaret();
    Invalidate();
    CallEvent(OnCursorMoved, m_cursor);
}

// Layout, painting and input ------------------------------------------------------------------

TRect TTextEdit::TextArea() const
{
    return Rect(kBorder, kBorder, std::max(kBorder, Width() - kBorder), std::max(kBorder, Height() - kBorder));
}

// Only the caret's own line is measured, so a key costs the same in a long text as in a short one.
void TTextEdit::ScrollToCaret()
{
    QTextBlock block = m_cursor.block();
    QTextLayout* layout = block.layout();
    if (!layout || layout->lineCount() == 0)
        return;
    int inBlock = m_cursor.position() - block.position();
    QTextLine line = layout->lineForTextPosition(inBlock);
    if (!line.isValid())
        return;
    QRectF blockRect = m_document->documentLayout()->blockBoundingRect(block);
    int top = static_cast<int>(blockRect.top() + line.y());
    int bottom = static_cast<int>(blockRect.top() + line.y() + line.height());
    int x = static_cast<int>(blockRect.left() + line.cursorToX(inBlock));
    TRect area = TextArea();
    if (top < m_scrollY)
        m_scrollY = top;
    else if (bottom > m_scrollY + area.Height())
        m_scrollY = bottom - area.Height();
    if (x < m_scrollX)
        m_scrollX = x;
    else if (x >= m_scrollX + area.Width())
        m_scrollX = x - area.Width() + 1;
}

void TTextEdit::Paint(TCanvas& canvas)
{
    PushLines();
    TRect r = ClientRect();
    FillBackground(canvas);
    DrawSunkenBorder(canvas, r);
    if (auto* form = Form(); form && form->Host() && form->Host()->ShowsTextNatively())
        return;
    canvas.DrawDocument(*m_document, TextArea(), { m_scrollX, m_scrollY }, m_cursor, Focused(), Font().Color());
}

int TTextEdit::PositionAt(int x, int y)
{
    PushLines();
    QPointF at(x - kBorder + m_scrollX, y - kBorder + m_scrollY);
    int position = m_document->documentLayout()->hitTest(at, Qt::FuzzyHit);
    return position < 0 ? m_document->characterCount() - 1 : position;
}

void TTextEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (CanFocus())
        SetFocus();
    if (button == mbLeft) {
        int position = PositionAt(x, y);
        m_cursor.setPosition(position, (shift & ssShift) ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor);
        if (shift & ssDouble)
            m_cursor.select(QTextCursor::WordUnderCursor);
        m_dragging = !(shift & ssDouble);
        CursorMoved();
    }
    TWinControl::MouseDown(button, shift, x, y);
}

void TTextEdit::MouseMove(TShiftState shift, int x, int y)
{
    if (m_dragging) {
        m_cursor.setPosition(PositionAt(x, y), QTextCursor::KeepAnchor);
        CursorMoved();
    }
    TWinControl::MouseMove(shift, x, y);
}

void TTextEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    m_dragging = false;
    TWinControl::MouseUp(button, shift, x, y);
}

bool TTextEdit::HandleMove(unsigned short key, TShiftState shift)
{
    auto mode = (shift & ssShift) ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor;
    bool ctrl = shift & ssCtrl;
    QTextCursor::MoveOperation op;
    switch (key) {
    case VK_LEFT: op = ctrl ? QTextCursor::PreviousWord : QTextCursor::Left; break;
    case VK_RIGHT: op = ctrl ? QTextCursor::NextWord : QTextCursor::Right; break;
    case VK_UP: op = QTextCursor::Up; break;
    case VK_DOWN: op = QTextCursor::Down; break;
    case VK_HOME: op = ctrl ? QTextCursor::Start : QTextCursor::StartOfLine; break;
    case VK_END: op = ctrl ? QTextCursor::End : QTextCursor::EndOfLine; break;
    case VK_PRIOR:
    case VK_NEXT: {
        int lines = std::max(1, TextArea().Height() / std::max(1, std::abs(Font().Height())));
        m_cursor.movePosition(key == VK_PRIOR ? QTextCursor::Up : QTextCursor::Down, mode, lines);
        CursorMoved();
        return true;
    }
    default: return false;
    }
    m_cursor.movePosition(op, mode);
    CursorMoved();
    return true;
}

bool TTextEdit::HandleEditing(unsigned short key, TShiftState shift)
{
    if (shift & ssCtrl) {
        switch (key) {
        case 'A': SelectAll(); return true;
        case 'C': CopyToClipboard(); return true;
        case 'X': CutToClipboard(); return true;
        case 'V': PasteFromClipboard(); return true;
        case 'Z': (shift & ssShift) ? Redo() : Undo(); return true;
        case 'Y': Redo(); return true;
        default: return false;
        }
    }
    if (m_readOnly)
        return false;
    switch (key) {
    case VK_BACK:
        m_cursor.deletePreviousChar();
        break;
    case VK_DELETE:
        m_cursor.deleteChar();
        break;
    case VK_RETURN:
        if (!InsertLimited(QStringLiteral("\n")))
            return true;
        break;
    default: return false;
    }
    CursorMoved();
    return true;
}

void TTextEdit::KeyDown(unsigned short& key, TShiftState shift)
{
    TWinControl::KeyDown(key, shift);
    if (key == 0)
        return;
    PushLines();
    if (HandleMove(key, shift) || HandleEditing(key, shift))
        key = 0;
}

void TTextEdit::KeyPress(char& key)
{
    TWinControl::KeyPress(key);
    auto code = static_cast<unsigned char>(key);
    if (m_readOnly || code < 32 || code == 127)
        return;
    PushLines();
    InsertLimited(fromWinText(std::string(1, key)));
}

}
