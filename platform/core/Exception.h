#pragma once
// The platform's exception: a message in code page 932, shown by the standard exception report.
#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
public:
    explicit Exception(std::string message) : std::runtime_error(message), Message(std::move(message)) {}
    std::string Message;
};

// Assigning one persistent object to another of an unrelated class.
class EConvertError : public Exception {
    using Exception::Exception;
};

// A picture file that is not what its kind says.
class EInvalidGraphic : public Exception {
    using Exception::Exception;
};

// A file that cannot be opened or created.
class EFOpenError : public Exception {
    using Exception::Exception;
};
class EFCreateError : public Exception {
    using Exception::Exception;
};
class EWriteError : public Exception {
    using Exception::Exception;
};

// Fills the "%s"/"%d" markers of a code page 932 format in order; other text is copied.
std::string Format(std::string_view format, std::initializer_list<std::string> args);

// "%s を %s に代入することはできません" with the two class names.
[[noreturn]] void ThrowAssignError(const std::string& sourceClass, const std::string& targetClass);
