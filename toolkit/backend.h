// SPDX-License-Identifier: MIT
#pragma once

#include <memory>

namespace tk {

class TForm;
class TFormHost;

// A desktop that shows forms in real windows and runs the event loop.
class TBackend {
public:
    virtual ~TBackend() = default;
    virtual std::unique_ptr<TFormHost> CreateHost(TForm&) = 0;
    virtual void Run() = 0;           // until Quit
    virtual void Quit() = 0;
    virtual void TimersChanged() = 0; // the next due tick may have moved
    virtual int ScreenWidth() const = 0;
    virtual int ScreenHeight() const = 0;
    // The application's title, icon or desktop entry changed (or the backend was just installed).
    virtual void IdentityChanged() { }
    // A handler that runs long lets the windows repaint: pending paints and exposures are handled,
    // input meanwhile is thrown away and timers wait until the handler has ended.
    virtual void KeepPainted() { }
};

}
