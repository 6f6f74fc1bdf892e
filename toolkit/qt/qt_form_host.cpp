// SPDX-License-Identifier: MIT
#include "toolkit/qt/qt_form_host.h"

#include "toolkit/form.h"
#include "toolkit/qt/form_window.h"
#include "toolkit/screen.h"

#include "toolkit/qt/text_peer.h"
#include "toolkit/text_edit.h"
#include "toolkit/win_text.h"

#include <QCoreApplication>
#include <QPixmap>
#include <QRegion>

#include <algorithm>
#include <vector>

namespace tk {

TQtFormHost::TQtFormHost(TForm& form)
    : m_form(form)
    , m_window(new TFormWindow(form))
{
    ApplyFlags();
    ApplyGeometry();
    ApplyCaption();
    if (m_form.Visible())
        VisibilityChanged();
}

// The window may be in the middle of delivering the event whose handler freed the form, so it is
// cut loose now and deleted by the loop later.
TQtFormHost::~TQtFormHost()
{
    if (!m_window)
        return;
    m_window->Detach();
    if (!QCoreApplication::instance())
        return; // the program is past its QApplication: leave the window to the process end
    m_window->hide();
    m_window->deleteLater();
}

void TQtFormHost::Invalidate()
{
    if (!m_window)
        return;
    m_window->update();
    // Requests come by the thousand while a table fills, so the title (setting a caption only
    // invalidates a control, so this is where a new form caption shows up) and the native editors
    // follow once, when the loop next runs.
    if (m_syncQueued)
        return;
    m_syncQueued = true;
    std::weak_ptr<bool> alive = m_alive;
    QMetaObject::invokeMethod(m_window, [this, alive] {
        if (alive.expired())
            return;
        m_syncQueued = false;
        ApplyCaption();
        SyncPeers();
    }, Qt::QueuedConnection);
}

// Painting must happen before returning: handlers type text a character at a time without going
// back to the loop.
void TQtFormHost::RepaintNow()
{
    if (!m_window)
        return;
    SyncPeers();
    m_window->repaint();
}

void TQtFormHost::GeometryChanged()
{
    ApplyGeometry();
}

void TQtFormHost::VisibilityChanged()
{
    if (!m_window)
        return;
    if (!m_form.Visible()) {
        m_window->hide();
        return;
    }
    ApplyGeometry();
    ApplyCaption();
    m_window->show();
    m_window->raise();
}

void TQtFormHost::CaptionChanged()
{
    ApplyCaption();
}

// Only a sizeable border lets the window be resized, so the size limits follow the border too.
void TQtFormHost::StyleChanged()
{
    ApplyFlags();
    ApplyGeometry();
}

// The cursor shown is the one of the control under the pointer, whichever control changed.
void TQtFormHost::CursorChanged(TControl* control)
{
    TControl* hover = m_form.HoverControl() ? m_form.HoverControl() : control;
    if (!m_window || !hover || hover->Cursor() == m_cursor)
        return;
    m_cursor = hover->Cursor();
    m_window->setCursor(CursorFor(m_cursor));
}

void TQtFormHost::ControlRemoved(TControl* control)
{
    auto it = m_peers.find(control);
    if (it == m_peers.end())
        return;
    if (auto* peer = dynamic_cast<TTextPeer*>(it->second.data()))
        peer->Detach();
    if (it->second)
        it->second->deleteLater();
    m_peers.erase(it);
}

QWidget* TQtFormHost::Peer(TControl* control) const
{
    auto it = m_peers.find(control);
    return it == m_peers.end() ? nullptr : it->second.data();
}

void TQtFormHost::SetPeer(TControl* control, QWidget* peer)
{
    if (peer && m_window)
        peer->setParent(m_window);
    m_peers[control] = peer;
}

void TQtFormHost::SyncPeers()
{
    if (!m_window)
        return;
    SyncPeersIn(m_form);
    StackPeers();
}

namespace {

struct Painted {
    TControl* control;
    QRect rect; // on the form, cut to its containers
};

// The visible controls in the order the form paints them, each where it shows.
void collectPainted(const TWinControl& container, const QRect& clip, std::vector<Painted>& out)
{
    for (TControl* control : container.PaintOrder()) {
        if (!control->Visible())
            continue;
        TPoint at = control->ClientToForm({ 0, 0 });
        QRect rect = QRect(at.X, at.Y, control->Width(), control->Height()) & clip;
        out.push_back({ control, rect });
        if (auto* inner = dynamic_cast<TWinControl*>(control))
            collectPainted(*inner, rect, out);
    }
}

}

// Native editors stack as the form paints: each is raised in paint order, and what controls
// painted after it cover is cut out of it, so a panel above an editor shows there and takes the
// clicks, as it would in the form.
void TQtFormHost::StackPeers()
{
    std::vector<Painted> painted;
    collectPainted(m_form, QRect(0, 0, m_form.Width(), m_form.Height()), painted);
    std::vector<QObject*> wanted;
    for (std::size_t i = 0; i < painted.size(); ++i) {
        QWidget* peer = Peer(painted[i].control);
        if (!peer || !peer->isVisible())
            continue;
        QRegion shown(painted[i].rect);
        for (std::size_t j = i + 1; j < painted.size(); ++j)
            shown -= painted[j].rect;
        if (shown == QRegion(peer->geometry()))
            peer->clearMask();
        else if (shown.isEmpty())
            peer->setMask(QRegion(-1, -1, 1, 1)); // an empty mask would mean none: all of it covered
        else
            peer->setMask(shown.translated(-peer->pos()));
        wanted.push_back(peer);
    }
    // The window's children are in stacking order, the topmost last.
    std::vector<QObject*> stacked;
    for (QObject* child : m_window->children())
        if (std::find(wanted.begin(), wanted.end(), child) != wanted.end())
            stacked.push_back(child);
    if (stacked != wanted)
        for (QObject* peer : wanted)
            static_cast<QWidget*>(peer)->raise();
}

void TQtFormHost::SyncPeersIn(const TWinControl& container)
{
    for (TControl* control : container.Controls()) {
        if (auto* edit = dynamic_cast<TTextEdit*>(control)) {
            QWidget* peer = Peer(edit);
            bool show = edit->Showing();
            if (!peer && show) {
                peer = TTextPeer::Create(*edit, m_window);
                SetPeer(edit, peer);
            }
            if (!peer)
                continue;
            TPoint at = edit->ClientToForm({ 0, 0 });
            if (peer->geometry() != QRect(at.X, at.Y, edit->Width(), edit->Height()))
                peer->setGeometry(at.X, at.Y, edit->Width(), edit->Height());
            if (peer->isVisible() != show) {
                peer->setVisible(show);
                if (show)
                    peer->setFocus();
            }
        } else if (auto* inner = dynamic_cast<TWinControl*>(control)) {
            SyncPeersIn(*inner);
        }
    }
}

void TQtFormHost::ApplyFlags()
{
    if (!m_window)
        return;
    Qt::WindowFlags flags = Qt::Window;
    if (m_form.BorderStyle() == bsNone)
        flags |= Qt::FramelessWindowHint;
    if (m_form.BorderStyle() == bsDialog)
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    if (m_form.FormStyle() == fsStayOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    if (m_window->windowFlags() == flags)
        return;
    // Changing the flags hides a shown window.
    bool shown = m_window->isVisible();
    m_window->setWindowFlags(flags);
    if (shown)
        m_window->show();
}

// Off-screen places such as (-1000, -1000) are taken as they are: the window is really mapped there.
void TQtFormHost::ApplyGeometry()
{
    if (!m_window)
        return;
    m_window->move(m_form.Left(), m_form.Top());
    if (m_form.BorderStyle() == bsSizeable) {
        m_window->setMinimumSize(0, 0);
        m_window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        m_window->resize(m_form.Width(), m_form.Height());
    } else {
        m_window->setFixedSize(m_form.Width(), m_form.Height());
    }
}

void TQtFormHost::ApplyCaption()
{
    if (!m_window || m_form.Caption() == m_caption)
        return;
    m_caption = m_form.Caption();
    m_window->setWindowTitle(fromWinText(*m_caption));
}

QCursor TQtFormHost::CursorFor(TCursor cursor)
{
    switch (cursor) {
    case crIBeam:
        return Qt::IBeamCursor;
    case crHandPoint:
        return Qt::PointingHandCursor;
    case crHelp:
        return Qt::WhatsThisCursor;
    default:
        break;
    }
    if (cursor > 0) {
        if (const auto* image = Screen().CustomCursor(cursor)) {
            QPixmap picture(QString::fromStdString(":/pictures/" + image->resource));
            if (!picture.isNull())
                return QCursor(picture, image->hotX, image->hotY);
        }
    }
    return Qt::ArrowCursor;
}

}
