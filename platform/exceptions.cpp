#include "platform/exceptions.h"

#include "platform/resstrings.h"

#include <charconv>

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
