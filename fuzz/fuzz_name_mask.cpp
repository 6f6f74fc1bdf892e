// SPDX-License-Identifier: MIT
// File masks and names, any bytes: how a mask is split into patterns and matched against a name.
#include "platform/name_mask.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    std::string mask = in.ConsumeRandomLengthString(256);
    std::string name = in.ConsumeRemainingBytesAsString();
    platform::NameMask filter(mask);
    bool matched = filter.matches(name);
    // A mask of patterns matches a name when one of them does, in whichever order they stand.
    if (platform::NameMask(mask + ";" + mask).matches(name) != matched)
        std::abort();
    if (!platform::NameMask("*").matches(name) || !platform::NameMask("").matches(name))
        std::abort();
    return 0;
}
