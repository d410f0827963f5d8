#pragma once
// What the measurements of bench_exchange share: the clock and its units, medians, and the values
// a simulated device is given before a receive, in the device's terms.

#include "sim/simparameters.h"
#include "terminal/kovparameters.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace exchangebench {

using TClock = std::chrono::steady_clock;

// The program's default reply time (options: ComTimeOut), and how long the benchmark lets a
// device take to enter configuration mode or an exchange to end before it gives up.
constexpr int ReplyTimeMs = 500;
constexpr auto EnterConfigModeLimit = std::chrono::seconds(10);
constexpr auto ExchangeLimit = std::chrono::seconds(30);

inline double Ms(std::chrono::nanoseconds d) { return std::chrono::duration<double, std::milli>(d).count(); }

inline double Median(const std::vector<double>& figures)
{
    if (figures.empty())
        return 0;
    std::vector<double> values = figures;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

inline double Max(const std::vector<double>& values)
{
    return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

// The values device `index` holds for a round of receives: distinct per device and from one
// round to the next, so a value read from the wrong line or left from the round before would
// show; of the same length always, so every round puts the same number of bytes on the line. On
// DSS1, since a panel shows a leased line in place of the numbers and keeps none of them.
inline TSimParameters DeviceValues(int index, int round)
{
    const std::string digits{static_cast<char>('1' + index), static_cast<char>('0' + round % 10)};
    return {"4711" + digits, "4712" + digits, EAciomcoB2, "030123" + digits, "030765" + digits, IsdnDss1};
}

// The device values among a device's parameters, in the device's terms.
inline TSimParameters ParameterValues(const TKovParameters& p)
{
    return {p.GetMsnIncoming(0), p.GetMsnIncoming(1), p.GetAutomaticCallMode(), p.GetAutomaticCallNumber(0),
            p.GetAutomaticCallNumber(1), p.GetIsdnDChannelProtocol()};
}

}  // namespace exchangebench
