// SPDX-License-Identifier: MIT
#pragma once

#include <stdexcept>
#include <string>

namespace tk {

// Base of the toolkit's exceptions; the application's default handler shows the message.
class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An index outside a list or a table, with the message the classic toolkit gives.
class EListError : public Exception {
public:
    explicit EListError(int index)
        : Exception("List index out of bounds (" + std::to_string(index) + ")")
    {
    }
};

// A picture file or resource that can't be read or isn't a readable image.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

}
