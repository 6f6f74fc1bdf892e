// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/qt/text_peer.h"

#include <QPlainTextEdit>

namespace tk {

// A memo's native editor.
class TPlainTextPeer : public QPlainTextEdit, public TTextPeer {
public:
    TPlainTextPeer(TTextEdit& control, QWidget* parent);

    void Detach() override;
    void FollowControl() override;

protected:
    void keyPressEvent(QKeyEvent*) override;
    void focusInEvent(QFocusEvent*) override;
    void focusOutEvent(QFocusEvent*) override;
    void insertFromMimeData(const QMimeData*) override;
};

}
