// SPDX-License-Identifier: MIT
#include "toolkit/qt/rich_text_peer.h"

#include "toolkit/qt/qt_clipboard.h"
#include "toolkit/qt/text_peer_link.h"
#include "toolkit/rich_edit.h"
#include "toolkit/rtf/rtf_reader.h"
#include "toolkit/rtf/rtf_writer.h"

#include <QMimeData>
#include <QTextDocumentFragment>

namespace tk {

TRichTextPeer::TRichTextPeer(TTextEdit& control, QWidget* parent)
    : QTextEdit(parent)
    , TTextPeer(control)
{
    // Each change after binding would lay the whole text out again.
    m_documentLink = PrepareForControl(*this, control);
    setDocument(&control.Document());
    LinkToControl(*this, *this, control);
}

void TRichTextPeer::Detach()
{
    ForgetControl();
    hide();
    setDocument(new QTextDocument(this));
}

void TRichTextPeer::FollowControl()
{
    if (Control())
        FollowTextControl(*this, *Control());
}

void TRichTextPeer::keyPressEvent(QKeyEvent* event)
{
    if (!RedoOnCtrlY(*this, event))
        QTextEdit::keyPressEvent(event);
}

QMimeData* TRichTextPeer::createMimeDataFromSelection() const
{
    QTextCursor cursor = textCursor();
    auto* rich = dynamic_cast<TRichEdit*>(Control());
    QMimeData* data = TQtClipboard::MimeData({}, RtfWriter::WriteSelection(cursor, rich ? rich->Face() : QString()),
        QTextDocumentFragment(cursor).toHtml().toStdString());
    data->setText(cursor.selectedText().replace(QChar::ParagraphSeparator, QChar('\n')));
    return data;
}

bool TRichTextPeer::canInsertFromMimeData(const QMimeData* source) const
{
    return !TQtClipboard::RtfOf(source).empty() || QTextEdit::canInsertFromMimeData(source);
}

void TRichTextPeer::insertFromMimeData(const QMimeData* source)
{
    std::string rtf = TQtClipboard::RtfOf(source);
    if (rtf.empty())
        return QTextEdit::insertFromMimeData(source);
    QTextCursor cursor = textCursor();
    RtfReader::Insert(rtf, cursor);
    setTextCursor(cursor);
}

void TRichTextPeer::focusInEvent(QFocusEvent* event)
{
    // Before the editor starts its caret's blinking.
    HoldCaretOver(*document());
    QTextEdit::focusInEvent(event);
}

void TRichTextPeer::focusOutEvent(QFocusEvent* event)
{
    QTextEdit::focusOutEvent(event);
    LetCaretBlink();
}

}
