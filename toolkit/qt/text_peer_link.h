// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/color.h"
#include "toolkit/text_edit.h"

#include <QAbstractScrollArea>
#include <QKeyEvent>
#include <QPalette>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

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

// Qt throws a paragraph's layout away once it is laid out, and shapes the whole paragraph again for
// every caret move and every paint. For a long line that is most of the cost of each key and keeps
// the CPU busy while the caret blinks, so long paragraphs keep their layout.
inline void KeepLongLayouts(QTextDocument& document, int from = 0, int to = -1)
{
    constexpr int longParagraph = 1000;
    QTextBlock block = document.findBlock(from);
    QTextBlock last = to < 0 ? document.lastBlock() : document.findBlock(to);
    for (; block.isValid(); block = block.next()) {
        if (block.length() > longParagraph)
            block.layout()->setCacheEnabled(true);
        if (block == last)
            break;
    }
}

// Before the editor is bound to the control's document: its place, size and look, so that the
// text is laid out once, for them. The link that keeps long layouts is returned, for the editor
// to cut when it lets the document go.
template <typename Editor>
QMetaObject::Connection PrepareForControl(Editor& editor, TTextEdit& control)
{
    TPoint at = control.ClientToForm({ 0, 0 });
    editor.setGeometry(at.X, at.Y, control.Width(), control.Height());
    editor.setFrameShape(QFrame::StyledPanel);
    FollowTextControl(editor, control);
    QTextDocument& document = control.Document();
    KeepLongLayouts(document);
    return QObject::connect(&document, &QTextDocument::contentsChange, &editor,
        [&document](int at, int, int added) { KeepLongLayouts(document, at, at + added); });
}

// Ctrl+Y redoes, as Ctrl+Shift+Z does, whatever the desktop's key bindings say.
template <typename Editor>
bool RedoOnCtrlY(Editor& editor, QKeyEvent* event)
{
    if (event->key() != Qt::Key_Y || event->modifiers() != Qt::ControlModifier || editor.isReadOnly())
        return false;
    editor.redo();
    return true;
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
