#pragma once

#include "platform/fault.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct FaultHit {
    Fault fault;
    std::string winPath; // the path the fault matched
};

class FaultInjector {
public:
    void add(const Fault& fault);
    void clear();
    bool empty() const { return m_faults.empty(); }

    // The first fault armed for `op` whose text occurs in one of `winPaths` (tried in the order
    // given); one of its hits is used up.
    std::optional<FaultHit> take(Fault::Op op, std::initializer_list<std::string_view> winPaths);

private:
    static bool matches(const Fault& fault, std::string_view winPath);

    std::vector<Fault> m_faults;
};

}
