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
    bringBackAll();
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
    for (auto it = m_faults.begin(); it != m_faults.end(); ++it) {
        if (it->op != op)
            continue;
        for (const std::string& path : winPaths) {
            if (!matches(*it, path))
                continue;
            FaultHit hit { *it, path };
            if (it->times > 0 && --it->times == 0)
                m_faults.erase(it);
            if (hit.fault.kind == Fault::Kind::DriveGone)
                m_goneDrives.insert(WinPath::parse(hit.winPath).drive());
            return hit;
        }
    }
    return std::nullopt;
}

}
