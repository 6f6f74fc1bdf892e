// SPDX-License-Identifier: MIT
#include "toolkit/qt/text_peer.h"

#include "toolkit/qt/plain_text_peer.h"
#include "toolkit/qt/rich_text_peer.h"
#include "toolkit/rich_edit.h"

namespace tk {

QWidget* TTextPeer::Create(TTextEdit& control, QWidget* parent)
{
    if (dynamic_cast<TRichEdit*>(&control))
        return new TRichTextPeer(control, parent);
    return new TPlainTextPeer(control, parent);
}

}
