// Protects the window's report: printing is offered, the PDF export writes the plan with the
// devices' latest comparisons, and those go when the plan is replaced.
#include "tests/main/alldevicesfixture.h"
#include "tests/pdftext.h"
#include "tests/tempdir.h"

#include <string>

TEST_F(TAllDevices, ExportWritesThePlanWithTheLatestComparisons)
{
    TActionUpdates::RunAll();
    EXPECT_TRUE(Win.ActPrint->isVisible() && Win.ActPrint->isEnabled());
    EXPECT_TRUE(Win.ActPrintPreview->isVisible() && Win.ActExportPdf->isVisible());

    ConnectAndEnterConfigMode();
    Win.Devices()[2]->Terminal()->Close();
    TTestMainWin::Trigger(Win.ActVerifyInstallation);
    ASSERT_TRUE(Win.AwaitExchanges());

    const TTempDir dir;
    Win.ExportAnswers = {QString::fromStdString(dir.File("plan.pdf")), QString::fromStdString(dir.Path())};
    TTestMainWin::Trigger(Win.ActExportPdf);
    ASSERT_TRUE(Win.Errors.empty()) << Win.Errors.front();
    const std::string text = PdfText(dir.File("plan.pdf"));
    EXPECT_NE(text.find(Win.Document().Panel(0).Name()), std::string::npos);
    EXPECT_NE(text.find("Vergleich der Geräte mit dem Plan"), std::string::npos);
    const TDeviceComparisons kept = Win.ReportInput().Comparisons;
    EXPECT_TRUE(kept[0] && kept[1]);
    // The device skipped was not compared.
    EXPECT_FALSE(kept[2]);

    // A file that cannot be written is shown as the action's error.
    TTestMainWin::Trigger(Win.ActExportPdf);
    ASSERT_EQ(Win.Errors.size(), 1u);
    EXPECT_EQ(Win.Errors[0], "nach " + dir.Path() + " kann nicht geschrieben werden");

    Win.SetModified(false);
    Win.ActFileNewExecute();
    for (const auto& comparison : Win.ReportInput().Comparisons)
        EXPECT_FALSE(comparison);
}
