// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/component.h"

#include <cstdint>

namespace tk {

// Ticks every Interval milliseconds while enabled, delivered only by the event loop.
// Starting a stopped timer, or changing its interval, waits a full interval before the next tick.
class TTimer : public TComponent {
public:
    TTimer(TComponent* owner, std::string name);
    ~TTimer() override;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool);
    int Interval() const { return m_interval; }
    void SetInterval(int ms);

    // A timer runs only with a handler, so giving it its first one starts it as SetEnabled does;
    // another handler in its place keeps the rhythm.
    const TNotifyEvent& OnTimer() const { return m_onTimer; }
    void SetOnTimer(TNotifyEvent);

    // Used by the application's loop.
    bool Running() const { return m_enabled && m_interval > 0 && m_onTimer; }
    std::int64_t Due() const { return m_due; }
    void Fire();
    bool Firing() const { return m_firing; }
    void ShiftDue(std::int64_t ms) { m_due += ms; }

private:
    void Restart();

    TNotifyEvent m_onTimer;
    bool m_enabled { true };
    int m_interval { 1000 };
    std::int64_t m_due { 0 };
    unsigned m_generation { 0 };
    bool m_firing { false };
};

}
