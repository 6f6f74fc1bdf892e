// SPDX-License-Identifier: MIT
#include "toolkit/qt/plain_text_peer.h"

#include "toolkit/qt/text_peer_link.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QPlainTextDocumentLayout>

namespace tk {

TPlainTextPeer::TPlainTextPeer(TTextEdit& control, QWidget* parent)
    : QPlainTextEdit(parent)
    , TTextPeer(control)
{
    // Each change after binding would lay the whole text out again.
    m_documentLink = PrepareForControl(*this, control);
    QTextDocument& document = control.Document();
    if (!qobject_cast<QPlainTextDocumentLayout*>(document.documentLayout()))
        document.setDocumentLayout(new QPlainTextDocumentLayout(&document));
    setDocument(&document);
    LinkToControl(*this, *this, control);
}

void TPlainTextPeer::Detach()
{
    ForgetControl();
    hide();
    setDocument(nullptr);
}

void TPlainTextPeer::FollowControl()
{
    if (Control())
        FollowTextControl(*this, *Control());
}

// The control's length limit holds for typing here too.
void TPlainTextPeer::keyPressEvent(QKeyEvent* event)
{
    if (RedoOnCtrlY(*this, event))
        return;
    int limit = Control() ? Control()->MaxLength() : 0;
    bool adds = !event->text().isEmpty() && event->text()[0].isPrint() && !textCursor().hasSelection();
    if (limit > 0 && adds && document()->characterCount() - 1 >= limit)
        return;
    QPlainTextEdit::keyPressEvent(event);
}

void TPlainTextPeer::insertFromMimeData(const QMimeData* source)
{
    int limit = Control() ? Control()->MaxLength() : 0;
    if (limit == 0 || !source)
        return QPlainTextEdit::insertFromMimeData(source);
    int room = limit - (document()->characterCount() - 1) + static_cast<int>(textCursor().selectedText().size());
    textCursor().insertText(source->text().left(std::max(0, room)));
}

void TPlainTextPeer::focusInEvent(QFocusEvent* event)
{
    // Before the editor starts its caret's blinking.
    HoldCaretOver(*document());
    QPlainTextEdit::focusInEvent(event);
}

void TPlainTextPeer::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    LetCaretBlink();
}

}
