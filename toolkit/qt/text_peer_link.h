// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/color.h"
#include "toolkit/text_edit.h"

#include <QAbstractScrollArea>
#include <QPalette>

namespace tk {

// The settings both native editors take from their control, and the cursor link; one template for
// the two editor classes, which share these members without a common base.
template <typename Editor>
void FollowTextControl(Editor& editor, TTextEdit& control)
{
    editor.setFont(control.Font().toQFont());
    QPalette palette = editor.palette();
    palette.setColor(QPalette::Base, toQColor(control.Color()));
    palette.setColor(QPalette::Text, toQColor(control.Font().Color()));
    editor.setPalette(palette);
    auto policy = [](bool on) { return on ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff; };
    TScrollStyle bars = control.ScrollBars();
    editor.setVerticalScrollBarPolicy(policy(bars == ssVertical || bars == ssBoth));
    editor.setHorizontalScrollBarPolicy(policy(bars == ssHorizontal || bars == ssBoth));
    editor.setLineWrapMode(control.WordWrap() ? Editor::WidgetWidth : Editor::NoWrap);
    editor.setReadOnly(control.ReadOnly());
}

// The editor takes the control's look now and whenever it changes, and shares its caret.
template <typename Editor, typename Peer>
void LinkToControl(Editor& editor, Peer& peer, TTextEdit& control)
{
    FollowTextControl(editor, control);
    auto fromEditor = [&editor, &peer] { peer.TakeCursor(editor.textCursor()); };
    QObject::connect(&editor, &Editor::cursorPositionChanged, &editor, fromEditor);
    QObject::connect(&editor, &Editor::selectionChanged, &editor, fromEditor);
    control.OnLookChanged = [&peer] { peer.FollowControl(); };
    control.OnCursorMoved = [&editor](const QTextCursor& cursor) {
        if (editor.textCursor() != cursor)
            editor.setTextCursor(cursor);
    };
    editor.setTextCursor(control.TextCursor());
}

}
