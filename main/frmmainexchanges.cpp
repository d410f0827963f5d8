// The exchanges of the panels as the window sees them: the "Alle" actions of the "Gerät" menu
// that run one exchange on every shown device at once, the status bar's account of what runs,
// and the question before the window gives up exchanges still running.
#include "main/frmmain.h"

#include "device/framedevice.h"
#include "documents/framedevstate.h"
#include "main/mainstatusbar.h"
#include "platform/exceptions.h"
#include "platform/gui/actionupdates.h"
#include "platform/resstrings.h"
#include "terminal/kovterminal.h"

#include <QAction>
#include <QStringList>

#include <algorithm>
#include <map>

namespace {

QString NameOf(const TFrameDev* panel)
{
    return QString::fromStdString(panel->State()->Parameters()->GetKovName());
}

}  // namespace

void TFrmMainWin::CreateAllDevicesActions()
{

    const auto make = [this](const char* name, const QString& caption, const QString& hint, tDevExchange kind) {
        QAction* action = NewAction(name, caption, hint);
        connect(action, &QAction::triggered, this, [this, kind] { Guarded([this, kind] { RunOnAllDevices(kind); }); });
        return action;
    };
    ActAllConnect = make("ActAllConnect", tr("Alle verbinden"),
                         tr("Alle TALV-Geräte verbinden|Verbindet alle angezeigten TALV-Geräte gleichzeitig, jedes "
                            "über seinen COM-Port."),
                         tDevExchange::Connect);
    ActAllReceive = make("ActAllReceive", tr("Alle: Empfange Parameter"),
                         tr("Parameter aller TALV-Geräte empfangen|Lädt die Parameter aus allen TALV-Geräten im "
                            "Konfigurationsmodus gleichzeitig."),
                         tDevExchange::Receive);
    ActAllSend = make("ActAllSend", tr("Alle: Sende Parameter"),
                      tr("Parameter an alle TALV-Geräte senden|Sendet die Parameter an alle TALV-Geräte im "
                         "Konfigurationsmodus gleichzeitig."),
                      tDevExchange::Send);
    ActAllGo = make("ActAllGo", tr("Alle starten"),
                    tr("Alle TALV-Geräte starten|Startet alle TALV-Geräte im Konfigurationsmodus."), tDevExchange::Go);
    TActionUpdates::Add(this, [this] {
        ActAllConnect->setEnabled(!PanelsFor(tDevExchange::Connect).empty());
        ActAllReceive->setEnabled(!PanelsFor(tDevExchange::Receive).empty());
        ActAllSend->setEnabled(!PanelsFor(tDevExchange::Send).empty());
        ActAllGo->setEnabled(!PanelsFor(tDevExchange::Go).empty());
    });

    for (TFrameDev* panel : FDevices) {
        connect(panel, &TFrameDev::ExchangeChanged, this, &TFrmMainWin::ShowExchanges);
        connect(panel, &TFrameDev::ExchangeFinished, this, &TFrmMainWin::PanelExchangeFinished);
    }
}

std::vector<TFrameDev*> TFrmMainWin::PanelsFor(tDevExchange kind) const
{
    std::vector<TFrameDev*> panels;
    for (int i = 0; i < FDocument->DeviceCount(); ++i)
        if (FDevices[i]->CanStartExchange(kind))
            panels.push_back(FDevices[i]);
    return panels;
}

void TFrmMainWin::RunOnAllDevices(tDevExchange kind)
{
    const std::vector<TFrameDev*> panels = PanelsFor(kind);
    // Two devices on one port would talk over each other's line. Connected panels each hold a
    // port of their own (a port opens for one only), so only a connect can meet another's port.
    if (kind == tDevExchange::Connect) {
        std::map<std::string, const TFrameDev*> byPort;
        for (const TFrameDev* panel : panels) {
            const auto [other, fresh] = byPort.emplace(panel->PortPath(), panel);
            if (fresh)
                continue;
            const tCOMPorts port = other->second->State()->Parameters()->GetCOMPort();
            const bool sameName = panel->State()->Parameters()->GetCOMPort() == port;
            throw Exception(tr("%1 und %2 verwenden beide %3: Geräte am selben COM-Port können nicht "
                               "gleichzeitig bedient werden.")
                                .arg(NameOf(other->second), NameOf(panel),
                                     sameName ? QStringLiteral("COM%1").arg(port + 1)
                                              : QString::fromStdString(other->first))
                                .toStdString());
        }
    }
    TAllRun run{kind, {}, 0, {}};
    for (TFrameDev* panel : panels)
        if (panel->StartExchange(kind, true))
            run.Pending.push_back(panel);
    run.Total = static_cast<int>(run.Pending.size());
    if (run.Total > 0)
        FAllRuns.push_back(std::move(run));
    ShowExchanges();
}

QString TFrmMainWin::AllDoneText(tDevExchange kind)
{
    switch (kind) {
    case tDevExchange::Connect:
        return tr("verbunden");
    case tDevExchange::Receive:
        return tr("Parameter empfangen");
    case tDevExchange::Send:
        return tr("Parameter gesendet");
    case tDevExchange::Go:
        return tr("gestartet");
    case tDevExchange::Compare:
        // Compares run through the installation's verification, which reports them itself.
        break;
    }
    return {};
}

void TFrmMainWin::PanelExchangeFinished(TFrameDev* panel, tDevExchange kind, const QString& error)
{
    // A compare that could not read its device is the device's latest comparison too.
    if (kind == tDevExchange::Compare && !error.isEmpty())
        FComparisons[DeviceIndexOf(panel)] = TDeviceComparison{{}, error.toStdString()};
    ShowExchanges();
    NoteAllDevicesResult(panel, error);
    NoteVerifyResult(panel, error);
}

// One device of an "Alle" action is done: its line in the message log, and once the last one is
// done the summary.
void TFrmMainWin::NoteAllDevicesResult(TFrameDev* panel, const QString& error)
{
    const auto run = std::find_if(FAllRuns.begin(), FAllRuns.end(), [panel](const TAllRun& r) {
        return std::find(r.Pending.begin(), r.Pending.end(), panel) != r.Pending.end();
    });
    if (run == FAllRuns.end())
        return;
    std::erase(run->Pending, panel);
    const QString name = NameOf(panel);
    if (error.isEmpty()) {
        AddMessage(mkInfo, (name + QStringLiteral(": ") + AllDoneText(run->Kind)).toStdString());
    } else {
        AddMessage(mkError, (name + QStringLiteral(": ") + error).toStdString());
        run->Failures << name + QStringLiteral(": ") + error;
    }
    if (!run->Pending.empty())
        return;
    const TAllRun done = *run;
    FAllRuns.erase(run);
    QStringList summary{tr("%1 von %2 Geräten: %3")
                            .arg(done.Total - static_cast<int>(done.Failures.size()))
                            .arg(done.Total)
                            .arg(AllDoneText(done.Kind))};
    summary << done.Failures;
    AddMessage(done.Failures.isEmpty() ? mkInfo : mkError, summary.join(QStringLiteral("; ")).toStdString());
}

void TFrmMainWin::ShowExchanges()
{
    QStringList running;
    for (const TFrameDev* panel : FDevices)
        if (panel->ExchangeRunning())
            running << NameOf(panel) + QStringLiteral(": ") + panel->ExchangeText();
    StatusBar->SetActivity(running.join(QStringLiteral("  |  ")));
}

bool TFrmMainWin::StopExchanges(int fromDevice)
{
    QStringList names;
    std::vector<TFrameDev*> running;
    for (int i = fromDevice; i < DeviceCount; ++i)
        if (FDevices[i]->ExchangeRunning()) {
            running.push_back(FDevices[i]);
            names << NameOf(FDevices[i]);
        }
    if (running.empty())
        return true;
    if (AskStopExchanges(tr("Mit %1 läuft noch eine Übertragung. Abbrechen?").arg(names.join(QStringLiteral(", ")))) !=
        QMessageBox::Yes)
        return false;
    for (TFrameDev* panel : running) {
        panel->StopExchange();
        NoteAllDevicesResult(panel, QString::fromStdString(LoadStr(259)));
        NoteVerifyResult(panel, QString::fromStdString(LoadStr(259)));
    }
    ShowExchanges();
    return true;
}

QMessageBox::StandardButton TFrmMainWin::AskStopExchanges(const QString& text)
{
    return QMessageBox::question(this, windowTitle(), text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
}
