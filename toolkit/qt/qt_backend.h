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

private:
    void Rearm();
    void Tick();

    // Parented to the application, so it goes with it even if the backend outlives it.
    QPointer<QTimer> m_timer;
};

}
