#pragma once
// The program's errors. Every failure is an exception whose message is the text the user sees;
// the place it was raised is kept beside the message, never inside it.
//
//   Exception      plain error (protocol failures, missing arguments)
//   ERangeError    a value or an index out of range
//   EConvertError  a text that does not read as a whole number
//   EOSError       a failed system call, with its errno
//
// RaiseLastOSError and StrToInt take their messages from the string table (resstrings.h), so a
// language module translates them.

#include <stdexcept>
#include <string>
#if __has_include(<source_location>)
#include <source_location>
#endif

#ifdef __cpp_lib_source_location
using TSourceLocation = std::source_location;
#else
// libstdc++ offers std::source_location only to compilers with __builtin_source_location, which
// clang lacks before version 15 (the sanitizer builds use clang). The older builtins give the same
// answers: as default arguments they are evaluated where the exception is constructed.
class TSourceLocation {
public:
    static constexpr TSourceLocation current(const char* file = __builtin_FILE(),
                                             const char* function = __builtin_FUNCTION(),
                                             unsigned line = __builtin_LINE()) noexcept
    {
        TSourceLocation where;
        where.FFile = file;
        where.FFunction = function;
        where.FLine = line;
        return where;
    }
    constexpr const char* file_name() const noexcept { return FFile; }
    constexpr const char* function_name() const noexcept { return FFunction; }
    constexpr unsigned line() const noexcept { return FLine; }
    constexpr unsigned column() const noexcept { return 0; }

private:
    const char* FFile = "";
    const char* FFunction = "";
    unsigned FLine = 0;
};
#endif

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message,
                       TSourceLocation where = TSourceLocation::current())
        : std::runtime_error(message), FWhere(where) {}
    const TSourceLocation& Where() const noexcept { return FWhere; }

private:
    TSourceLocation FWhere;
};

class ERangeError : public Exception {
public:
    using Exception::Exception;
};

// An operation the user cancelled: no error to show.
class EAbort : public Exception {
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
             TSourceLocation where = TSourceLocation::current())
        : Exception(message, where), FErrorCode(errorCode) {}
    int ErrorCode() const noexcept { return FErrorCode; }

private:
    int FErrorCode;
};

// The text for an errno value: for the errors met at serial ports (missing device file, access
// denied, port in use, input/output error, no such device) the string table's text in the
// program's language, for any other the system's text.
// On Windows the codes are GetLastError's, and the text is always the system's.
std::string SysErrorMessage(int errorCode);

// Raises EOSError for errorCode: "Systemfehler. Code: <n>.\n<text>", or
// "Eine Systemfunktion ist fehlgeschlagen" when no code is known (0). An input/output error and
// a vanished device (EIO, ENXIO, ENODEV) add the line that the connection to the device broke
// off and that adapter and cable want checking.
// On Windows: "Win32-Fehler. Code: <n>.\n<text>", or "Eine Win32-API-Funktion ist
// fehlgeschlagen" when no code is known; the errors a pulled USB adapter gives add the same line.
[[noreturn]] void RaiseLastOSError(int errorCode,
                                   TSourceLocation where = TSourceLocation::current());

// Reads a decimal whole number (optional sign, digits, 32-bit range).
// Anything else raises EConvertError "'<text>' ist kein gültiger Integerwert".
int StrToInt(const std::string& text);
