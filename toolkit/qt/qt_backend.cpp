// SPDX-License-Identifier: MIT
#include "toolkit/qt/qt_backend.h"

#include "toolkit/application.h"
#include "toolkit/qt/qt_form_host.h"
#include "toolkit/win_text.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <climits>

namespace tk {

TQtBackend::TQtBackend()
    : m_timer(new QTimer(QCoreApplication::instance()))
{
    // The program ends when its main form closes, not when Qt sees no window left
    // (a message box closed while every form is hidden would otherwise end it).
    QGuiApplication::setQuitOnLastWindowClosed(false);
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(m_timer, &QTimer::timeout, [this] { Tick(); });
}

TQtBackend::~TQtBackend()
{
    delete m_timer.data();
}

std::unique_ptr<TFormHost> TQtBackend::CreateHost(TForm& form)
{
    return std::make_unique<TQtFormHost>(form);
}

void TQtBackend::Run()
{
    Rearm();
    QApplication::exec();
}

// exit() rather than quit(): quit() asks every window to close first, and form windows refuse.
// exit() also leaves any modal loop that is running.
void TQtBackend::Quit()
{
    QCoreApplication::exit(0);
}

void TQtBackend::TimersChanged()
{
    Rearm();
}

int TQtBackend::ScreenWidth() const
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 1024;
}

int TQtBackend::ScreenHeight() const
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() : 768;
}

// On X11 the application name becomes the windows' class, on Wayland the desktop entry their app
// id; both are read when the first window appears. No display name is set: it would be added to
// every window title.
void TQtBackend::IdentityChanged()
{
    const TApplication& application = Application();
    if (!application.Title().empty())
        QGuiApplication::setApplicationName(fromWinText(application.Title()));
    if (!application.DesktopEntry().empty())
        QGuiApplication::setDesktopFileName(fromWinText(application.DesktopEntry()));
    if (application.Icon().empty())
        return;
    QIcon icon;
    const QString pictures = QStringLiteral(":/pictures/");
    const QString family = fromWinText(application.Icon()) + QStringLiteral("_*.png");
    for (const QString& name : QDir(pictures).entryList({ family }, QDir::Files))
        icon.addFile(pictures + name);
    if (!icon.isNull())
        QGuiApplication::setWindowIcon(icon);
}

// Only ever arms the timer: ticks are delivered by the event loop, never from inside a call that
// changed a timer (which may itself be a tick being delivered).
void TQtBackend::Rearm()
{
    if (!m_timer)
        return;
    std::int64_t due = Application().NextDue();
    if (due < 0) {
        m_timer->stop();
        return;
    }
    std::int64_t wait = std::clamp<std::int64_t>(due - Application().Clock().Now(), 0, INT_MAX);
    m_timer->start(std::chrono::milliseconds(wait));
}

// A handler that opens a modal dialog runs a nested loop, and this slot runs again inside it: that
// is how the other timers keep ticking meanwhile. So the timer is armed before delivering too, or
// a dialog opened by the first handler would wait with no tick armed. A timer whose handler is
// still running is left out of NextDue (and TTimer never fires it twice), so this cannot spin.
void TQtBackend::Tick()
{
    Rearm();
    Application().DeliverDueTimers();
    Rearm();
}

}
