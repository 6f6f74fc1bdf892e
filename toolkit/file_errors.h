// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/exceptions.h"

#include <string>
#include <string_view>
#include <system_error>

namespace tk {

// "Cannot open file "path"." with the reason when it is not the common one (a file too large).
std::string openFailure(const std::string& winPath, std::error_code why);

// Whole files through the platform, the components' way: a failure throws EFOpenError or
// EFCreateError; a write replaces the file atomically, never half-written.
std::string readWholeFile(const std::string& winPath);
void writeWholeFile(const std::string& winPath, std::string_view bytes);

// File and directory failures raised by the toolkit's components.
class EFOpenError : public Exception {
public:
    using Exception::Exception;
};

class EFCreateError : public Exception {
public:
    using Exception::Exception;
};

class EInOutError : public Exception {
public:
    using Exception::Exception;
};

}
