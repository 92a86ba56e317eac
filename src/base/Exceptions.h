#pragma once
// The failures of the system: every one is an exception that carries only its message.

#include <stdexcept>
#include <string>

namespace base {

// The root of every failure the program raises on purpose.
class Exception : public std::runtime_error {
  public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// A read past the end of a stream, or a stream whose content cannot be what it claims.
class EReadError : public Exception {
    using Exception::Exception;
};

// An index outside a list.
class EListError : public Exception {
    using Exception::Exception;
};

// An assignment between objects of kinds that cannot be assigned to each other.
class EConvertError : public Exception {
    using Exception::Exception;
};

// A picture that cannot be read or written (bad or unsupported file).
class EInvalidGraphic : public Exception {
    using Exception::Exception;
};

// A number that does not fit the stored form it is meant for.
class EOverflow : public Exception {
    using Exception::Exception;
};

// The frame unit's failures.
class EFrame : public Exception {
    using Exception::Exception;
};

// The sprite units' failures.
class ESprite : public Exception {
    using Exception::Exception;
};

}  // namespace base
