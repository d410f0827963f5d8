#include "sim/simparameters.h"

#include <array>
#include <utility>

namespace {

// The firmware's protocol table; numbers missing here are refused by "isdn N".
constexpr std::array<std::pair<int, std::string_view>, 9> IsdnNames{{
    {0, "DSS1"},
    {1, "1TR6"},
    {5, "QSIG"},
    {6, "NI1"},
    {7, "5ESS"},
    {8, "DMS100"},
    {12, "Standleitung B1"},
    {13, "Standleitung B2"},
    {14, "Standleitung B1+B2"},
}};

}  // namespace

std::optional<std::string_view> SimIsdnName(int isdn)
{
    for (const auto& [number, name] : IsdnNames)
        if (number == isdn)
            return name;
    return std::nullopt;
}

std::string SimIsdnText(int isdn)
{
    // Parameters set from a test may hold a number outside the table; show it with an empty
    // name rather than inventing one.
    return std::to_string(isdn) + "-" + std::string(SimIsdnName(isdn).value_or(""));
}

std::optional<int> SimParseDecimal(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > 0x7fffffffL)
            return std::nullopt;
    }
    return static_cast<int>(value);
}
