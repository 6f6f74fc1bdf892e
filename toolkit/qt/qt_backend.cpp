// SPDX-License-Identifier: MIT
#include "toolkit/qt/qt_backend.h"

#include "toolkit/application.h"
#include "toolkit/qt/qt_form_host.h"
#include "toolkit/win_text.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QIcon>
#include <QScreen>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <climits>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace tk {

namespace {

// Input that would reach a handler. Paints, exposures, moves and the window system's own events
// pass.
bool isInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress: case QEvent::MouseButtonRelease: case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: case QEvent::Wheel: case QEvent::KeyPress: case QEvent::KeyRelease:
    case QEvent::ShortcutOverride: case QEvent::Shortcut: case QEvent::ContextMenu: case QEvent::Enter:
    case QEvent::Leave: case QEvent::HoverEnter: case QEvent::HoverLeave: case QEvent::HoverMove:
    case QEvent::TouchBegin: case QEvent::TouchUpdate: case QEvent::TouchEnd: case QEvent::InputMethod:
    case QEvent::DragEnter: case QEvent::DragMove: case QEvent::Drop: case QEvent::Close:
        return true;
    default:
        return false;
    }
}

// Throws input away while a handler paints its way through a long job; a window closed meanwhile
// ends the session once the job is done.
class InputBlocker : public QObject {
public:
    InputBlocker(TQtBackend& backend, QObject* parent)
        : QObject(parent)
        , m_backend(backend)
    {
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (!m_backend.Busy() || !isInput(event->type()))
            return false;
        if (event->type() == QEvent::Close)
            m_backend.EndSessionWhenIdle();
        return true;
    }

private:
    TQtBackend& m_backend;
};

// A signal handler may only write to a pipe; the loop of the backend listening reads it.
int stopPipe[2] = { -1, -1 };
const TQtBackend* listening = nullptr;

void noteStopSignal(int)
{
    char byte = 1;
    [[maybe_unused]] ssize_t n = ::write(stopPipe[1], &byte, 1);
}

}

TQtBackend::TQtBackend()
    : m_timer(new QTimer(QCoreApplication::instance()))
{
    // The program ends when its main form closes, not when Qt sees no window left
    // (a message box closed while every form is hidden would otherwise end it).
    QGuiApplication::setQuitOnLastWindowClosed(false);
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(m_timer, &QTimer::timeout, [this] { Tick(); });
    m_inputBlocker = new InputBlocker(*this, QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(m_inputBlocker);
    ListenForStopSignals();
}

// The session's end and the signals that ask a program to stop end it as its close button does.
void TQtBackend::ListenForStopSignals()
{
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QObject::connect(gui, &QGuiApplication::commitDataRequest, m_timer.data(), [this](QSessionManager&) { EndSessionWhenIdle(); });
    if (stopPipe[0] < 0 && ::pipe2(stopPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* notifier = new QSocketNotifier(stopPipe[0], QSocketNotifier::Read, m_timer.data());
    QObject::connect(notifier, &QSocketNotifier::activated, m_timer.data(), [this] {
        char bytes[16];
        while (::read(stopPipe[0], bytes, sizeof bytes) > 0) {
        }
        EndSessionWhenIdle();
    });
    struct sigaction action {};
    action.sa_handler = noteStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int stop : { SIGTERM, SIGINT, SIGHUP })
        ::sigaction(stop, &action, nullptr);
    listening = this;
}

void TQtBackend::EndSessionWhenIdle()
{
    if (m_busy) {
        QTimer::singleShot(50, m_timer.data(), [this] { EndSessionWhenIdle(); });
        return;
    }
    Application().EndSession();
}

// Painting is what the loop does for a window; the filter throws the input away, and a tick that
// comes due waits for the handler to end.
void TQtBackend::KeepPainted()
{
    if (m_busy)
        return;
    m_busy = true;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    m_busy = false;
    if (std::exchange(m_tickHeld, false))
        Rearm();
}

TQtBackend::~TQtBackend()
{
    if (listening == this) {
        for (int stop : { SIGTERM, SIGINT, SIGHUP })
            ::signal(stop, SIG_DFL);
        listening = nullptr;
    }
    delete m_inputBlocker.data();
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
    if (m_busy) {
        m_tickHeld = true;
        return;
    }
    Rearm();
    Application().DeliverDueTimers();
    Rearm();
}

}
