// SPDX-License-Identifier: MIT
#include "toolkit/qt/text_peer.h"

#include "toolkit/qt/plain_text_peer.h"
#include "toolkit/qt/rich_text_peer.h"
#include "toolkit/rich_edit.h"

#include <QGuiApplication>
#include <QStyleHints>
#include <QTextBlock>
#include <QTextDocument>

namespace tk {

QWidget* TTextPeer::Create(TTextEdit& control, QWidget* parent)
{
    if (dynamic_cast<TRichEdit*>(&control))
        return new TRichTextPeer(control, parent);
    return new TPlainTextPeer(control, parent);
}

void TTextPeer::HoldCaretOver(const QTextDocument& document)
{
    // Below this a blink costs next to nothing.
    constexpr int veryLongParagraph = 10000;
    QStyleHints* hints = QGuiApplication::styleHints();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        if (block.length() > veryLongParagraph) {
            if (!m_desktopFlashTime)
                m_desktopFlashTime = hints->cursorFlashTime();
            hints->setCursorFlashTime(0);
            return;
        }
}

void TTextPeer::LetCaretBlink()
{
    if (m_desktopFlashTime)
        QGuiApplication::styleHints()->setCursorFlashTime(*m_desktopFlashTime);
    m_desktopFlashTime.reset();
}

}
