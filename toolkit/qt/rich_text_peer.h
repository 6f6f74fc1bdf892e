// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/qt/text_peer.h"

#include <QTextEdit>

namespace tk {

// A rich edit's native editor: it copies as Rich Text, HTML and plain text, and pastes Rich Text
// first, then HTML, then plain text.
class TRichTextPeer : public QTextEdit, public TTextPeer {
public:
    TRichTextPeer(TTextEdit& control, QWidget* parent);

    void Detach() override;
    void FollowControl() override;

protected:
    void keyPressEvent(QKeyEvent*) override;
    void focusInEvent(QFocusEvent*) override;
    void focusOutEvent(QFocusEvent*) override;
    QMimeData* createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData*) const override;
    void insertFromMimeData(const QMimeData*) override;
};

}
