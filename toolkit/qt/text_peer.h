// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/text_edit.h"

#include <QTextCursor>
#include <QWidget>

#include <optional>

namespace tk {

// What the two native editors share: the control they stand in for, until it goes.
class TTextPeer {
public:
    explicit TTextPeer(TTextEdit& control)
        : m_control(&control)
    {
    }
    virtual ~TTextPeer() { LetCaretBlink(); }

    TTextEdit* Control() const { return m_control; }
    // The control is going: no more calls into it, and its document is let go.
    virtual void Detach() = 0;
    // Font, colours, scroll bars, wrapping and read-only as the control has them.
    virtual void FollowControl() = 0;

    // A native editor for the control, bound to its document: a plain-text one for a memo, a
    // rich-text one for a rich edit.
    static QWidget* Create(TTextEdit& control, QWidget* parent);

    // Caret and selection move together both ways; this is the editor's way.
    void TakeCursor(const QTextCursor& cursor)
    {
        if (m_control)
            m_control->SetTextCursor(cursor);
    }

protected:
    // Each blink of the caret lays out and paints its whole paragraph again, so over a very long
    // one the caret stays on while the editor has the focus. Only the focused editor's caret
    // blinks, so the desktop's flash time is set aside for that while and then put back.
    void HoldCaretOver(const QTextDocument& document);
    void LetCaretBlink();

    // No more calls either way.
    void ForgetControl()
    {
        LetCaretBlink();
        QObject::disconnect(m_documentLink);
        if (m_control) {
            m_control->OnCursorMoved = nullptr;
            m_control->OnLookChanged = nullptr;
        }
        m_control = nullptr;
    }

    // What the editor keeps connected to the control's document while bound to it.
    QMetaObject::Connection m_documentLink;

private:
    TTextEdit* m_control;
    std::optional<int> m_desktopFlashTime;
};

}
