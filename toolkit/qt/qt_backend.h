// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/backend.h"

#include <QPointer>

class QTimer;

namespace tk {

// Shows forms in Qt windows and runs Qt's event loop. The QApplication belongs to the program's
// main and must exist before this backend is made.
class TQtBackend : public TBackend {
public:
    TQtBackend();
    ~TQtBackend() override;

    std::unique_ptr<TFormHost> CreateHost(TForm&) override;
    void Run() override;
    void Quit() override;
    void TimersChanged() override;
    int ScreenWidth() const override;
    int ScreenHeight() const override;
    void IdentityChanged() override;
    void KeepPainted() override;

    // Ends the session as the main form's close button would, once no handler is painting its way
    // through a long job; SIGTERM, SIGINT, SIGHUP and the desktop's session end come here.
    void EndSessionWhenIdle();
    bool Busy() const { return m_busy; }

private:
    void Rearm();
    void Tick();
    void ListenForStopSignals();

    // Parented to the application, so it goes with it even if the backend outlives it.
    QPointer<QTimer> m_timer;
    QPointer<QObject> m_inputBlocker;
    bool m_busy { false };
    bool m_tickHeld { false };
};

}
