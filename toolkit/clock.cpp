// SPDX-License-Identifier: MIT
#include "toolkit/clock.h"

#include <chrono>
#include <thread>

namespace tk {

static std::int64_t steadyMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

TRealClock::TRealClock()
    : m_origin(steadyMs())
{
}

std::int64_t TRealClock::Now() const
{
    return steadyMs() - m_origin;
}

void TRealClock::Sleep(int ms)
{
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void TVirtualClock::Sleep(int ms)
{
    if (ms > 0)
        m_now += ms;
}

}
