#pragma once
// The program's errors. Every failure is an exception whose message is the text the user sees;
// the place it was raised is kept beside the message, never inside it.
//
//   Exception      plain error (protocol failures, missing arguments)
//   ERangeError    a value or an index out of range
//   EConvertError  a text that does not read as a whole number
//   EOSError       a failed system call, with its errno

#include <source_location>
#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message,
                       std::source_location where = std::source_location::current())
        : std::runtime_error(message), FWhere(where) {}
    const std::source_location& Where() const noexcept { return FWhere; }

private:
    std::source_location FWhere;
};

class ERangeError : public Exception {
public:
    using Exception::Exception;
};

class EConvertError : public Exception {
public:
    using Exception::Exception;
};

class EOSError : public Exception {
public:
    EOSError(int errorCode, const std::string& message,
             std::source_location where = std::source_location::current())
        : Exception(message, where), FErrorCode(errorCode) {}
    int ErrorCode() const noexcept { return FErrorCode; }

private:
    int FErrorCode;
};

// The system's text for an errno value.
std::string SysErrorMessage(int errorCode);

// Raises EOSError for errorCode: "Systemfehler. Code: <n>.\n<text>", or
// "Eine Systemfunktion ist fehlgeschlagen" when no code is known (0).
[[noreturn]] void RaiseLastOSError(int errorCode,
                                   std::source_location where = std::source_location::current());

// Reads a decimal whole number (optional sign, digits, 32-bit range).
// Anything else raises EConvertError "'<text>' ist kein gültiger Integerwert".
int StrToInt(const std::string& text);
