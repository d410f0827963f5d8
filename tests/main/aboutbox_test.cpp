// Protects the about box: its labels come from the version information by the version label rule (2.10.3.7 gives V2.10.03), and its fixed layout.
#include "main/frmaboutbox.h"
#include "main/versioninfo.h"
#include "main/versionlabel.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

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

TEST(TAboutBox, LabelsAndCaptionComeFromTheVersionInformation)
{
    const struct {
        TVersionInfo Version;
        QString Caption, Label;
    } cases[] = {
        {{"TALV-Configurator", "Copyright © 2026 TALV-Configurator developers", 2, 10, 3, 7}, "TALV-Configurator - Info",
         "V2.10.03"},
        {{"Prüfstand", "Alle Rechte vorbehalten.", 1, 0, 1, 1}, "Prüfstand - Info", "V1.00.01"},
    };
    for (const auto& c : cases) {
        const TAboutBox box(c.Version, nullptr);
        EXPECT_EQ(box.windowTitle(), c.Caption);
        EXPECT_EQ(box.LblProduct->text(), c.Version.ProductName);
        EXPECT_EQ(box.LblVersion->text(), c.Label);
        EXPECT_EQ(box.LblCopyright->text(), c.Version.LegalCopyright);
    }
}

TEST(TAboutBox, ProgramVersionIsTheProjectVersionWithAllFourNumbers)
{
    const TVersionInfo version = ProgramVersionInfo();
    EXPECT_EQ(version.ProductName, "TALV-Configurator");
    EXPECT_FALSE(version.LegalCopyright.isEmpty());
    EXPECT_EQ(QString("%1.%2.%3.%4").arg(version.Major).arg(version.Minor).arg(version.Release).arg(version.Build),
              QString(TALV_PROJECT_VERSION));
    const TAboutBox box;
    EXPECT_EQ(box.LblVersion->text(), VersionLabel());
    EXPECT_EQ(box.windowTitle(), "TALV-Configurator - Info");
}

TEST(TAboutBox, FixedLayoutCentredOnTheScreen)
{
    TAboutBox box;
    EXPECT_EQ(box.size(), QSize(362, 281));
    EXPECT_EQ(box.minimumSize(), box.maximumSize());
    EXPECT_EQ(box.IcnProgram->size(), QSize(64, 64));
    EXPECT_TRUE(box.IcnProgram->hasScaledContents());
    ASSERT_FALSE(box.IcnProgram->pixmap().isNull());
    // The icon is drawn, not left transparent.
    const QImage icon = box.IcnProgram->pixmap().toImage();
    EXPECT_GT(qAlpha(icon.pixel(icon.width() / 2, icon.height() / 2)), 0);
    EXPECT_TRUE(box.LblProduct->font().bold());
    EXPECT_GT(box.LblProduct->font().pixelSize(), box.LblVersion->fontInfo().pixelSize());
    EXPECT_EQ(box.LblCopyright->size(), QSize(245, 29));
    EXPECT_TRUE(box.LblCopyright->wordWrap());
    EXPECT_TRUE(box.BitBtnOK->isDefault());

    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    const QPoint offset = box.frameGeometry().center() - box.screen()->availableGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 2);
    box.BitBtnOK->click();
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), QDialog::Accepted);
}
