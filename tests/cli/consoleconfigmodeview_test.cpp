// Protects the console request view: which status lines it prints and that the first outcome counts.
#include "cli/consoleconfigmodeview.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const std::string Waiting = "Warte auf Start-Zeichenkette von TALV-Gerät.\n";
const std::string Confirmed = "Bestätigung für Start-Zeichenkette an TALV-Gerät gesendet.\n";
const std::string Entered = "TALV-Gerät ist im Konfigurationsmodus.\n";

enum tEvent : int { EWait, EConfirm, EEnter, EFail, ECloseOk, ECancel };

}  // namespace

TEST(ConsoleConfigModeView, PrintsEachStatusButWaitingOnceAndKeepsTheFirstOutcome)
{
    struct TCase {
        std::vector<tEvent> Events;
        std::string Printed;
        TConsoleConfigModeView::tOutcome Outcome;
        std::string Reason;
    };
    const TCase cases[] = {
        {{EWait, EWait, EWait, EConfirm, EEnter, ECloseOk}, Waiting + Confirmed + Entered,
         TConsoleConfigModeView::ESucceeded, ""},
        {{EWait, EWait, EFail}, Waiting + "Konfigurationsmodus nicht erreicht: kaputt\n",
         TConsoleConfigModeView::EFailed, "kaputt"},
        {{EWait, EConfirm, EFail}, Waiting + Confirmed + "Konfigurationsmodus nicht erreicht: kaputt\n",
         TConsoleConfigModeView::EFailed, "kaputt"},
        {{EWait, ECancel, EWait, EConfirm}, Waiting + Confirmed, TConsoleConfigModeView::ECancelled, ""},
        // Whatever comes after the outcome is fixed changes it no more.
        {{EWait, EConfirm, EEnter, ECloseOk, ECancel}, Waiting + Confirmed + Entered,
         TConsoleConfigModeView::ESucceeded, ""},
        {{EWait, ECancel, EFail, ECloseOk}, Waiting + "Konfigurationsmodus nicht erreicht: kaputt\n",
         TConsoleConfigModeView::ECancelled, ""},
    };
    for (const auto& c : cases) {
        std::ostringstream printed;
        TConsoleConfigModeView view(printed);
        for (const tEvent event : c.Events) {
            switch (event) {
            case EWait: view.ShowStatus(EConfigModeWaitForStart, {}); break;
            case EConfirm: view.ShowStatus(EConfigModeConfirmed, {}); break;
            case EEnter: view.ShowStatus(EConfigModeEntered, {}); break;
            case EFail: view.ShowStatus(EConfigModeFailed, "kaputt"); break;
            case ECloseOk: view.CloseOk(); break;
            case ECancel: view.Cancel(); break;
            }
        }
        EXPECT_EQ(printed.str(), c.Printed);
        EXPECT_EQ(view.WaitForEnd(), c.Outcome);
        EXPECT_EQ(view.FailureReason(), c.Reason);
    }
}
