// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace tk {

// Milliseconds for the event loop. The program uses the real clock; tests use TVirtualClock.
class TClock {
public:
    virtual ~TClock() = default;
    virtual std::int64_t Now() const = 0;
    // Blocks for ms milliseconds without delivering anything.
    virtual void Sleep(int ms) = 0;
    virtual bool IsVirtual() const { return false; }
};

class TRealClock final : public TClock {
public:
    TRealClock();
    std::int64_t Now() const override;
    void Sleep(int ms) override;

private:
    std::int64_t m_origin { 0 };
};

// Time that moves only when told to: Sleep just adds to it.
class TVirtualClock final : public TClock {
public:
    std::int64_t Now() const override { return m_now; }
    void Sleep(int ms) override;
    void SetNow(std::int64_t now) { m_now = now; }
    bool IsVirtual() const override { return true; }

private:
    std::int64_t m_now { 0 };
};

}
