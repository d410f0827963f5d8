// Protects the version label rule shown by the about box and the title (2.10.3.7 gives V2.10.03).
#include "main/versionlabel.h"

#include <gtest/gtest.h>

TEST(TAboutBox, VersionLabelShowsMinorAndReleaseWithTwoDigits)
{
    const struct {
        int Major, Minor, Release;
        QString Label;
    } cases[] = {
        {2, 10, 3, "V2.10.03"},
        {1, 0, 1, "V1.00.01"},
        {2, 0, 0, "V2.00.00"},
        {10, 123, 45, "V10.123.45"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VersionLabel(c.Major, c.Minor, c.Release), c.Label) << c.Label.toStdString();
}
