#pragma once

#include <stdexcept>

namespace tk {

// Base of the toolkit's exceptions; the application's default handler shows the message.
class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A picture file or resource that can't be read or isn't a readable image.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

}
