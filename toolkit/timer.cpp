#include "toolkit/timer.h"

#include "toolkit/application.h"

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
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    Restart();
}

void TTimer::SetInterval(int ms)
{
    if (ms == m_interval)
        return;
    m_interval = ms;
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
    Application().Guard([this] { OnTimer(this); });
    m_firing = false;
    // A tick missed while the handler ran is delivered once, not made up.
    if (generation == m_generation) {
        m_due = std::max(due + m_interval, Application().Clock().Now());
        Application().TimersChanged();
    }
}

}
