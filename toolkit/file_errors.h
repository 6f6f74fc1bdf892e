#pragma once

#include "toolkit/exceptions.h"

namespace tk {

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
