// SPDX-License-Identifier: MIT
#include "toolkit/file_errors.h"

#include "platform/filesystem.h"

namespace tk {

std::string openFailure(const std::string& winPath, std::error_code why)
{
    std::string text = "Cannot open file \"" + winPath + "\"";
    if (why == std::errc::file_too_large)
        return text + ": it is larger than 64 MiB.";
    return text + ".";
}

std::string readWholeFile(const std::string& winPath)
{
    auto bytes = platform::FileSystem::instance().readFile(winPath);
    if (!bytes)
        throw EFOpenError(openFailure(winPath, bytes.error()));
    return std::move(*bytes);
}

void writeWholeFile(const std::string& winPath, std::string_view bytes)
{
    if (!platform::FileSystem::instance().writeFileAtomic(winPath, bytes))
        throw EFCreateError("Cannot create file \"" + winPath + "\".");
}

}
