#include "platform/exceptions.h"

#include "platform/resstrings.h"

#include <charconv>
#include <cstring>

std::string SysErrorMessage(int errorCode)
{
    char buffer[256];
    // GNU strerror_r may return a static text instead of filling the buffer.
    const char* text = strerror_r(errorCode, buffer, sizeof buffer);
    return text;
}

void RaiseLastOSError(int errorCode, TSourceLocation where)
{
    if (errorCode == 0)
        throw EOSError(0, LoadStr(244), where);
    throw EOSError(errorCode, FmtLoadStr(243, {errorCode, SysErrorMessage(errorCode)}), where);
}

int StrToInt(const std::string& text)
{
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+')
        ++first;
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    // from_chars takes a '-' only directly before digits, so "+-1" and "--1" are refused here.
    if (first == last || error != std::errc() || end != last || (first != text.data() && *first == '-'))
        throw EConvertError(FmtLoadStr(242, {text}));
    return value;
}
