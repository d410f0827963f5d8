// The devices compared with the plan as the window sees them: the line a panel's own compare
// leaves in the message log, and "Anlage prüfen", which compares every ready device at once.
#include "main/frmmain.h"

#include "device/framedevice.h"
#include "documents/framedevstate.h"
#include "documents/plancompare.h"
#include "platform/gui/actionupdates.h"
#include "platform/resstrings.h"
#include "terminal/kovparameters.h"
#include "terminal/kovterminal.h"

#include <QAction>

#include <algorithm>

namespace {

constexpr int VerifyHeadingId = 650;
constexpr int SkippedId = 651;
constexpr int VerifySummaryId = 652;
constexpr int BusyId = 653;

std::string NameOf(const TFrameDev* panel)
{
    return panel->State()->Parameters()->GetKovName();
}

}  // namespace

void TFrmMainWin::CreateVerifyAction()
{
    ActVerifyInstallation = NewAction("ActVerifyInstallation", tr("A&nlage prüfen"),
                                      tr("Anlage prüfen|Vergleicht alle verbundenen TALV-Geräte im Konfigurationsmodus "
                                         "gleichzeitig mit dem Plan; der Plan bleibt, wie er ist."));
    connect(ActVerifyInstallation, &QAction::triggered, this,
            [this] { Guarded([this] { ActVerifyInstallationExecute(); }); });
    TActionUpdates::Add(this, [this] { ActVerifyInstallation->setEnabled(!FVerifyRun); });
    for (TFrameDev* panel : FDevices)
        connect(panel, &TFrameDev::Compared, this, &TFrmMainWin::PanelCompared);
}

int TFrmMainWin::DeviceIndexOf(const TFrameDev* panel) const
{
    return static_cast<int>(std::find(FDevices.begin(), FDevices.end(), panel) - FDevices.begin());
}

void TFrmMainWin::ActVerifyInstallationExecute()
{
    if (FVerifyRun)
        return;
    AddMessage(mkHeading, LoadStr(VerifyHeadingId));
    TVerifyRun run;
    for (int i = 0; i < FDocument->DeviceCount(); ++i) {
        TFrameDev* const panel = FDevices[i];
        ++run.Total;
        if (panel->StartExchange(tDevExchange::Compare, true)) {
            run.Pending.push_back(panel);
            continue;
        }
        ++run.Skipped;
        const int why = panel->ExchangeRunning() ? BusyId : SkippedId;
        AddFinding(mkWarning, FmtLoadStr(why, {NameOf(panel)}), {i, tFindingField::Name});
    }
    FVerifyRun = std::move(run);
    ShowExchanges();
    // With no device ready the summary follows at once.
    NoteVerifyResult(nullptr, {});
}

void TFrmMainWin::PanelCompared(TFrameDev* panel)
{
    const bool verifying = FVerifyRun && std::find(FVerifyRun->Pending.begin(), FVerifyRun->Pending.end(), panel) !=
                                             FVerifyRun->Pending.end();
    const std::vector<TValueComparison> rows = panel->CompareRows();
    FComparisons[DeviceIndexOf(panel)] = TDeviceComparison{rows, {}};
    ReportComparison(*this, DeviceIndexOf(panel), NameOf(panel), rows, verifying);
    if (verifying)
        ++(CountDifferences(rows) == 0 ? FVerifyRun->Agreeing : FVerifyRun->Differing);
}

// One device of the verification is done (or, for no panel, none was started): a failure gets
// its line, and after the last device the summary.
void TFrmMainWin::NoteVerifyResult(TFrameDev* panel, const QString& error)
{
    if (!FVerifyRun)
        return;
    if (panel) {
        const auto pending = std::find(FVerifyRun->Pending.begin(), FVerifyRun->Pending.end(), panel);
        if (pending == FVerifyRun->Pending.end())
            return;
        FVerifyRun->Pending.erase(pending);
        if (!error.isEmpty()) {
            ++FVerifyRun->Failed;
            AddFinding(mkError, NameOf(panel) + ": " + error.toStdString(), {DeviceIndexOf(panel), tFindingField::Name});
        }
    }
    if (!FVerifyRun->Pending.empty())
        return;
    const TVerifyRun done = *FVerifyRun;
    FVerifyRun.reset();
    AddMessage(mkHeading, FmtLoadStr(VerifySummaryId, {done.Agreeing, done.Total, done.Differing, done.Skipped, done.Failed}));
}
