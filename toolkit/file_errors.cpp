// SPDX-License-Identifier: MIT
#include "toolkit/file_errors.h"

namespace tk {

std::string openFailure(const std::string& winPath, std::error_code why)
{
    std::string text = "Cannot open file \"" + winPath + "\"";
    if (why == std::errc::file_too_large)
        return text + ": it is larger than 64 MiB.";
    return text + ".";
}

}
