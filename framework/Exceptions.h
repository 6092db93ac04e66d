#pragma once
// The framework's exception classes. Messages carry the system's own texts;
// the application's error box shows Message().

#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
  public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// A text that is not a number, a bad enumeration name and the like.
class EConvertError : public Exception {
    using Exception::Exception;
};

// Reading past the end of a stream, a malformed stream image.
class EReadError : public Exception {
    using Exception::Exception;
};

class EWriteError : public Exception {
    using Exception::Exception;
};

class EFOpenError : public Exception {
    using Exception::Exception;
};

// An index outside a list.
class EListError : public Exception {
    using Exception::Exception;
};

// A named resource that the executable does not contain.
class EResNotFound : public Exception {
    using Exception::Exception;
};

// Malformed form description: unknown class, property, value or handler.
class EFormReadError : public Exception {
    using Exception::Exception;
};

// A property looked up by name that the class does not publish.
class EPropertyError : public Exception {
    using Exception::Exception;
};

class ERegistryException : public Exception {
    using Exception::Exception;
};

// A picture or image operation that the platform refused.
class EInvalidGraphic : public Exception {
    using Exception::Exception;
};

// printf-style formatting for exception messages with one string argument,
// as in "'%s' is not a valid integer value".
std::string Format(const char* pattern, const std::string& arg);
std::string Format(const char* pattern, long long arg);
