// SPDX-License-Identifier: MIT
#pragma once

#include "platform/fault.h"

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct FaultHit {
    Fault fault;
    std::string winPath; // the path the fault matched
};

// The Windows paths of one call, as a fault's text is matched against them.
using FaultPaths = std::vector<std::string>;

// The faults a test has armed, and the drives they have pulled out so far. The file system asks
// take() before every call a fault can hit; with nothing armed that costs one test of an empty list.
class FaultInjector {
public:
    void add(const Fault& fault);
    void clear(); // disarms every fault and the counting, and puts back every drive they pulled out
    bool armed() const { return !m_faults.empty() || m_counting; }

    // Numbers every call a fault could hit, from 1 on; a test runs an operation once to learn how
    // many calls it makes, then again with each of them failing in turn.
    void startCounting();
    int callsCounted() const { return m_calls; }
    // Call number n of the counting fails as `kind` says, whatever it is and whatever its paths.
    void failCall(int n, Fault::Kind kind, std::uint64_t bytesBeforeFailure = 0);

    // The first fault armed for `op` whose text occurs in one of the Windows paths that `spell()`
    // returns (tried in order); one of its hits is used up, and a DriveGone hit pulls out the drive
    // of the path it matched. `spell` is called only while a fault is armed, so an unarmed run
    // builds no path text.
    template <class Spell>
    std::optional<FaultHit> take(Fault::Op op, Spell&& spell)
    {
        if (!armed())
            return std::nullopt;
        return takeMatching(op, spell());
    }

    // Letters are 'a'..'z'.
    bool driveGone(char letter) const { return !m_goneDrives.empty() && m_goneDrives.count(letter); }
    void bringBack(char letter);
    void bringBackAll();

private:
    std::optional<FaultHit> takeMatching(Fault::Op op, const FaultPaths& winPaths);
    std::optional<FaultHit> hit(const Fault& fault, const std::string& winPath);
    static bool matches(const Fault& fault, std::string_view winPath);

    std::vector<Fault> m_faults;
    std::set<char> m_goneDrives;
    bool m_counting { false };
    int m_calls { 0 };
    int m_failingCall { 0 };
    Fault m_failure;
};

}
