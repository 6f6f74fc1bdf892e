// SPDX-License-Identifier: MIT
#include "toolkit/qt/text_peer.h"

#include "toolkit/qt/plain_text_peer.h"
#include "toolkit/qt/rich_text_peer.h"
#include "toolkit/rich_edit.h"

#include <QGuiApplication>
#include <QStyleHints>

namespace tk {

QWidget* TTextPeer::Create(TTextEdit& control, QWidget* parent)
{
    if (dynamic_cast<TRichEdit*>(&control))
        return new TRichTextPeer(control, parent);
    return new TPlainTextPeer(control, parent);
}

void TTextPeer::HoldCaretOver(const QTextDocument& document)
{
    if (!TTextEdit::HasVeryLongParagraph(document))
        return;
    QStyleHints* hints = QGuiApplication::styleHints();
    if (!m_desktopFlashTime)
        m_desktopFlashTime = hints->cursorFlashTime();
    hints->setCursorFlashTime(0);
}

void TTextPeer::LetCaretBlink()
{
    if (m_desktopFlashTime)
        QGuiApplication::styleHints()->setCursorFlashTime(*m_desktopFlashTime);
    m_desktopFlashTime.reset();
}

}
