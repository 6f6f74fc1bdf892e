#include "platform/fault_injector.h"

#include "platform/ascii.h"

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
}

bool FaultInjector::matches(const Fault& fault, std::string_view winPath)
{
    auto equal = [](char a, char b) { return foldForMatch(a) == foldForMatch(b); };
    const std::string& needle = fault.pathContains;
    return std::search(winPath.begin(), winPath.end(), needle.begin(), needle.end(), equal) != winPath.end();
}

std::optional<FaultHit> FaultInjector::take(Fault::Op op, std::initializer_list<std::string_view> winPaths)
{
    for (auto it = m_faults.begin(); it != m_faults.end(); ++it) {
        if (it->op != op)
            continue;
        for (std::string_view path : winPaths) {
            if (!matches(*it, path))
                continue;
            FaultHit hit { *it, std::string(path) };
            if (it->times > 0 && --it->times == 0)
                m_faults.erase(it);
            return hit;
        }
    }
    return std::nullopt;
}

}
