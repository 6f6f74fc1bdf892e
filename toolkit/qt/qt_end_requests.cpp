#include "toolkit/qt/qt_end_requests.h"

#include "toolkit/application.h"
#include "toolkit/form.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace tk {

namespace {

int pipeEnds[2] { -1, -1 };

void onSignal(int)
{
    char byte = 1;
    // Nothing to do when the pipe is full: a close is on its way already.
    [[maybe_unused]] ssize_t written = write(pipeEnds[1], &byte, 1);
}

}

TQtEndRequests::TQtEndRequests()
{
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, this, [](QSessionManager&) { CloseMainForm(); });
    if (pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    QObject::connect(m_notifier, &QSocketNotifier::activated, this, [] {
        char bytes[16];
        while (read(pipeEnds[0], bytes, sizeof bytes) > 0) { }
        CloseMainForm();
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : { SIGTERM, SIGINT, SIGHUP })
        sigaction(signal, &action, nullptr);
}

TQtEndRequests::~TQtEndRequests()
{
    for (int signal : { SIGTERM, SIGINT, SIGHUP })
        std::signal(signal, SIG_DFL);
    delete m_notifier;
    for (int& end : pipeEnds) {
        if (end >= 0)
            close(end);
        end = -1;
    }
}

void TQtEndRequests::CloseMainForm()
{
    if (TForm* form = Application().MainForm())
        form->Close();
}

}
