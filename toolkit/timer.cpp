// SPDX-License-Identifier: MIT
#include "toolkit/timer.h"

#include "toolkit/application.h"
#include "toolkit/object_watch.h"
#include "toolkit/property.h"

#include <algorithm>

namespace tk {

TTimer::TTimer(TComponent* owner, std::string name)
    : TComponent(owner, std::move(name))
{
    Application().AddTimer(this);
    Restart();
}

TTimer::~TTimer()
{
    Application().RemoveTimer(this);
}

void TTimer::SetEnabled(bool enabled)
{
    if (!Change(m_enabled, enabled))
        return;
    Restart();
}

void TTimer::SetInterval(int ms)
{
    if (!Change(m_interval, ms))
        return;
    Restart();
}

void TTimer::SetOnTimer(TNotifyEvent handler)
{
    bool starts = !m_onTimer && handler;
    m_onTimer = std::move(handler);
    if (starts)
        Restart();
}

void TTimer::Restart()
{
    ++m_generation;
    m_due = Application().Clock().Now() + m_interval;
    Application().TimersChanged();
}

void TTimer::Fire()
{
    if (m_firing || !Running())
        return;
    m_firing = true;
    unsigned generation = m_generation;
    std::int64_t due = m_due;
    std::int64_t start = Application().Clock().Now();
    // The handler may stop, retime or free its own timer.
    TObjectWatch watch(*this);
    Application().Guard([this] { CallEvent(m_onTimer, this); });
    if (watch.Gone())
        return;
    m_firing = false;
    if (generation == m_generation) {
        // Ticks that fell due while the loop was blocked before this one are merged into it; one
        // that fell due while its own handler ran follows at once. None is made up.
        std::int64_t next = due + m_interval;
        if (m_interval > 0 && next <= start)
            next += ((start - next) / m_interval + 1) * m_interval;
        m_due = std::max(next, Application().Clock().Now());
        Application().TimersChanged();
    }
}

}
