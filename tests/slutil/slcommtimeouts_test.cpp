// Protects the time-out properties: which SetTimeOut calls take effect, and the copies to and from the port's record.
#include "slutil/slcommtimeouts.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>

namespace {

using TFive = std::array<int32_t, 5>;

TFive Properties(const TslCommTimeOuts& t)
{
    return {t.ReadIntervalTimeout(), t.ReadTotalTimeoutMultiplier(), t.ReadTotalTimeoutConstant(),
            t.WriteTotalTimeoutMultiplier(), t.WriteTotalTimeoutConstant()};
}

TFive Fields(const TslTimeOutRecord& r)
{
    return {r.ReadIntervalTimeout, r.ReadTotalTimeoutMultiplier, r.ReadTotalTimeoutConstant,
            r.WriteTotalTimeoutMultiplier, r.WriteTotalTimeoutConstant};
}

TFive Applied(const TslCommTimeOuts& t)
{
    TslTimeOutRecord port{-9, -9, -9, -9, -9};
    t.ApplyToPort(port);
    return Fields(port);
}

} // namespace

TEST(TslCommTimeOuts, SetTimeOutChangesPropertyAndRecordOnlyForNewNonNegativeValues)
{
    struct TCase {
        int index;
        int32_t value;
        TFive properties;
        TFive record;
    };
    const TCase cases[] = {
        {1, 7, {7, 0, 0, 0, 0}, {7, 0, 0, 0, 0}},
        {2, 1, {100, 1, 0, 0, 0}, {0, 1, 0, 0, 0}},
        {3, 500, {100, 0, 500, 0, 0}, {0, 0, 500, 0, 0}},
        {4, 2, {100, 0, 0, 2, 0}, {0, 0, 0, 2, 0}},
        {5, INT32_MAX, {100, 0, 0, 0, INT32_MAX}, {0, 0, 0, 0, INT32_MAX}},
        {1, 0, {0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}},
        // Refused: negative, equal to the stored property (so the record keeps its 0), bad index.
        {1, -1, {100, 0, 0, 0, 0}, {0, 0, 0, 0, 0}},
        {3, INT32_MIN, {100, 0, 0, 0, 0}, {0, 0, 0, 0, 0}},
        {1, 100, {100, 0, 0, 0, 0}, {0, 0, 0, 0, 0}},
        {3, 0, {100, 0, 0, 0, 0}, {0, 0, 0, 0, 0}},
        {0, 5, {100, 0, 0, 0, 0}, {0, 0, 0, 0, 0}},
        {6, 5, {100, 0, 0, 0, 0}, {0, 0, 0, 0, 0}},
        {-1, 5, {100, 0, 0, 0, 0}, {0, 0, 0, 0, 0}},
    };
    for (const TCase& c : cases) {
        TslCommTimeOuts t;
        t.SetTimeOut(c.index, c.value);
        EXPECT_EQ(Properties(t), c.properties) << "index " << c.index << " value " << c.value;
        EXPECT_EQ(Applied(t), c.record) << "index " << c.index << " value " << c.value;
    }
}

TEST(TslCommTimeOuts, LoadFromPortTakesAllFiveAndApplyToPortGivesThemBack)
{
    TslCommTimeOuts t;
    t.LoadFromPort(TslTimeOutRecord{1, 2, 3, 4, 5});
    EXPECT_EQ(Properties(t), (TFive{1, 2, 3, 4, 5}));
    EXPECT_EQ(Applied(t), (TFive{1, 2, 3, 4, 5}));

    // Loading replaces earlier changes in both places; later changes build on what was loaded.
    t.SetTimeOut(2, 20);
    t.LoadFromPort(TslTimeOutRecord{6, 7, 8, 9, 10});
    t.SetTimeOut(4, 40);
    t.SetTimeOut(1, 6);
    EXPECT_EQ(Properties(t), (TFive{6, 7, 8, 40, 10}));
    EXPECT_EQ(Applied(t), (TFive{6, 7, 8, 40, 10}));
}
