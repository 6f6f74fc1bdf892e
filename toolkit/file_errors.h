// SPDX-License-Identifier: MIT
#pragma once

#include "toolkit/exceptions.h"

#include <string>
#include <system_error>

namespace tk {

// "Cannot open file "path"." with the reason when it is not the common one (a file too large).
std::string openFailure(const std::string& winPath, std::error_code why);

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
