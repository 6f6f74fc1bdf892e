// SPDX-License-Identifier: MIT
#include "platform/fault_injector.h"

#include "platform/ascii.h"
#include "platform/win_path.h"

#include <algorithm>

namespace platform {

namespace {

char foldForMatch(char c)
{
    return c == '/' ? '\\' : asciiLower(c);
}

}

void FaultInjector::add(const Fault& fault)
{
    if (fault.times != 0)
        m_faults.push_back(fault);
}

void FaultInjector::clear()
{
    m_faults.clear();
    m_counting = false;
    m_calls = 0;
    m_failingCall = 0;
    bringBackAll();
}

void FaultInjector::startCounting()
{
    m_counting = true;
    m_calls = 0;
    m_failingCall = 0;
}

void FaultInjector::failCall(int n, Fault::Kind kind, std::uint64_t bytesBeforeFailure)
{
    m_failingCall = n;
    m_failure = Fault(Fault::Op::Copy, kind, {}, 1, bytesBeforeFailure);
}

void FaultInjector::bringBack(char letter)
{
    m_goneDrives.erase(asciiLower(letter));
}

void FaultInjector::bringBackAll()
{
    m_goneDrives.clear();
}

bool FaultInjector::matches(const Fault& fault, std::string_view winPath)
{
    auto equal = [](char a, char b) { return foldForMatch(a) == foldForMatch(b); };
    const std::string& needle = fault.pathContains;
    return std::search(winPath.begin(), winPath.end(), needle.begin(), needle.end(), equal) != winPath.end();
}

std::optional<FaultHit> FaultInjector::takeMatching(Fault::Op op, const FaultPaths& winPaths)
{
    if (m_counting && ++m_calls == m_failingCall && !winPaths.empty()) {
        Fault failure = m_failure;
        failure.op = op;
        return hit(failure, winPaths.front());
    }
    for (auto it = m_faults.begin(); it != m_faults.end(); ++it) {
        if (it->op != op)
            continue;
        for (const std::string& path : winPaths) {
            if (!matches(*it, path))
                continue;
            Fault fault = *it;
            if (it->times > 0 && --it->times == 0)
                m_faults.erase(it);
            return hit(fault, path);
        }
    }
    return std::nullopt;
}

std::optional<FaultHit> FaultInjector::hit(const Fault& fault, const std::string& winPath)
{
    if (fault.kind == Fault::Kind::DriveGone)
        m_goneDrives.insert(WinPath::parse(winPath).drive());
    return FaultHit { fault, winPath };
}

}
