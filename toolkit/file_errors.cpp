#include "toolkit/file_errors.h"

#include <cerrno>

namespace tk {

std::string openFailure(const std::string& winPath)
{
    std::string text = "Cannot open file \"" + winPath + "\"";
    if (errno == EFBIG)
        return text + ": it is larger than 64 MiB.";
    return text + ".";
}

}
