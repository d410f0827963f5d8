// Protects the printed record of a plan: every shown device's values, the check's findings and,
// when given, the devices' comparisons reach the pages a customer reads.
#include "documents/configcheck.h"
#include "documents/messagelist.h"
#include "documents/plancompare.h"
#include "platform/datafolders.h"
#include "platform/exceptions.h"
#include "report/report.h"
#include "tests/pdftext.h"
#include "tests/tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

struct TPlan {
    TMessageList Log;
    TKovDocument Document{Log};

    explicit TPlan(const std::string& sample)
    {
        Document.Open((std::filesystem::path(FindDataFolder("samples")) / sample).string());
    }

    TReportInput Input(TDeviceComparisons comparisons = {}) const
    {
        TLineColours colours;
        colours.fill("#3366cc");
        return {Document, Document.FileName(), QDate(2026, 3, 14), "V2.00.00", colours, comparisons};
    }
};

std::string ReportText(const TReportInput& input)
{
    const TTempDir dir;
    const std::string pdf = dir.File("report.pdf");
    TReport::WritePdf(pdf, input);
    return PdfText(pdf);
}

}  // namespace

TEST(TReport, ShowsEveryDeviceAndFinding)
{
    for (const char* sample : {"Fehlerbeispiel.kov", "Kette-fuenf-Standorte.kov", "Standleitung.kov"}) {
        SCOPED_TRACE(sample);
        const TPlan plan(sample);
        const std::string text = ReportText(plan.Input());
        EXPECT_NE(text.find("TALV-Konfiguration"), std::string::npos);
        EXPECT_NE(text.find("14.03.2026"), std::string::npos);
        EXPECT_NE(text.find("V2.00.00"), std::string::npos);
        EXPECT_NE(text.find("Seite 1 von"), std::string::npos);
        EXPECT_EQ(text.find("Vergleich der Geräte mit dem Plan"), std::string::npos);

        for (int i = 0; i < plan.Document.DeviceCount(); ++i) {
            const TFrameDevState& panel = plan.Document.Panel(i);
            const auto expect = [&](const std::string& part) {
                EXPECT_NE(text.find(Collapsed(part)), std::string::npos) << "device " << i + 1 << ": " << part;
            };
            expect(panel.Name());
            expect("Eigene Nummer LWL1 " + panel.Msn(0));
            expect("Eigene Nummer LWL2 " + panel.Msn(1));
            expect("Partnernummer LWL1 " + panel.Number(0) + (panel.Dial(0) ? " (DIAL)" : " (ACCEPT)"));
            expect("Partnernummer LWL2 " + panel.Number(1) + (panel.Dial(1) ? " (DIAL)" : " (ACCEPT)"));
            expect("D-Kanal-Protokoll " + TFrameDevState::ProtocolItem(panel.ProtocolIndex()));
            for (const std::string& line : panel.Memo())
                expect(line);
        }

        TMessageList findings;
        RunConfigurationCheck(plan.Document.ShownDevices(), findings);
        for (const TMessage& finding : findings.Messages()) {
            const std::string kind = finding.Kind == mkError ? "Fehler: " : finding.Kind == mkWarning ? "Warnung: " : "";
            EXPECT_NE(text.find(Collapsed(kind + finding.Text)), std::string::npos) << finding.Text;
        }
        const bool clean = findings.ErrorCount() + findings.WarningCount() + findings.InfoCount() == 0;
        EXPECT_EQ(text.find("Die Prüfung hat nichts gefunden.") != std::string::npos, clean);
    }
}

TEST(TReport, ShowsTheGivenComparisons)
{
    const TPlan plan("Kette-fuenf-Standorte.kov");
    TKovParameters device = plan.Document.Parameters(1);
    device.SetMsnIncoming(0, "4711");
    TDeviceComparisons comparisons;
    comparisons[0] = TDeviceComparison{ComparePlanWithDevice(plan.Document.Parameters(0), plan.Document.Parameters(0)), {}};
    comparisons[1] = TDeviceComparison{ComparePlanWithDevice(plan.Document.Parameters(1), device), {}};
    comparisons[2] = TDeviceComparison{{}, "Keine Antwort vom Gerät"};

    const std::string text = ReportText(plan.Input(comparisons));
    const auto expect = [&text](const std::string& part) {
        EXPECT_NE(text.find(Collapsed(part)), std::string::npos) << part;
    };
    expect("Vergleich der Geräte mit dem Plan");
    expect(plan.Document.Panel(0).Name() + ": stimmt mit dem Plan überein.");
    expect(plan.Document.Panel(1).Name() + ": weicht vom Plan ab:");
    expect("Eigene Nummer LWL1 " + plan.Document.Parameters(1).GetMsnIncoming(0) + " 4711");
    expect(plan.Document.Panel(2).Name() + ": Vergleich fehlgeschlagen: Keine Antwort vom Gerät");
    // Only the values that differ are listed.
    EXPECT_EQ(text.find("Eigene Nummer LWL2 " + plan.Document.Parameters(1).GetMsnIncoming(1) + " " +
                        plan.Document.Parameters(1).GetMsnIncoming(1)),
              std::string::npos);
}

TEST(TReport, RefusesAFileItCannotWrite)
{
    const TTempDir dir;
    const TPlan plan("Punkt-zu-Punkt.kov");
    for (const std::string& target : {dir.File("missing/report.pdf"), dir.Path()}) {
        try {
            TReport::WritePdf(target, plan.Input());
            ADD_FAILURE() << target;
        } catch (const Exception& e) {
            EXPECT_EQ(std::string(e.what()), "nach " + target + " kann nicht geschrieben werden");
        }
    }
}
