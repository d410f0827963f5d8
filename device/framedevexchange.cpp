// The panel's exchanges with its device: they run on the terminal's worker, so the window stays
// responsive. While one runs, the panel's own fields and device actions are disabled, its
// bottom row shows the progress and a cancel button, and only the panel shows a busy cursor.
#include "device/framedevice.h"

#include "documents/framedevstate.h"
#include "platform/exceptions.h"
#include "platform/gui/application.h"
#include "platform/resstrings.h"
#include "slutil/slportmap.h"
#include "terminal/kovparameters.h"
#include "terminal/kovterminal.h"

#include <QApplication>
#include <QComboBox>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>

#include <algorithm>

namespace {

// Commands an exchange writes: a receive asks for six values; a send loads the factory
// settings, sets the six values and stores them.
int StepsOf(tDevExchange kind)
{
    switch (kind) {
    case tDevExchange::Receive:
    case tDevExchange::Compare:
        return 6;
    case tDevExchange::Send:
        return 8;
    case tDevExchange::Go:
        return 1;
    case tDevExchange::Connect:
        break;
    }
    return 0;
}

}  // namespace

void TFrameDev::SetUpExchanges()
{
    // The worker's events run on this panel's thread; a call posted for a panel that is gone is
    // dropped by Qt, and the panel's terminal stops its worker before the panel goes.
    Terminal()->SetEventPost([this](std::function<void()> call) {
        QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
    });
    Terminal()->OnExchangeStep = [this](TKovTerminal& terminal) {
        C.PrgBrExchange->setValue(terminal.ExchangeStep());
        emit ExchangeChanged(this);
    };
    connect(C.BtnCancel, &QPushButton::clicked, this, [this] {
        if (ExchangeRunning())
            CancelExchange();
        else
            ShowProtocolRow();
    });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, [this] {
        if (ExchangeRunning())
            CancelExchange();
    });
}

QString TFrameDev::ExchangeCaption(tDevExchange kind)
{
    switch (kind) {
    case tDevExchange::Connect:
        return tr("Verbinden");
    case tDevExchange::Receive:
        return tr("Empfange Parameter");
    case tDevExchange::Send:
        return tr("Sende Parameter");
    case tDevExchange::Go:
        return tr("Starten");
    case tDevExchange::Compare:
        return tr("Vergleichen");
    }
    return {};
}

std::string TFrameDev::PortPath() const
{
    const std::string& own = Terminal()->GetDevicePath();
    if (!own.empty() && (Terminal()->GetConnected() || own != FResolvedPath))
        return own;
    const tCOMPorts port = FState->Parameters() ? FState->Parameters()->GetCOMPort() : COM1;
    return FPortResolver ? FPortResolver(port) : TslPortMap::DefaultPath(port);
}

bool TFrameDev::CanStartExchange(tDevExchange kind) const
{
    if (!FState->Parameters() || Terminal()->ExchangeRunning())
        return false;
    if (kind == tDevExchange::Connect)
        return !Terminal()->GetConnected();
    return Terminal()->GetConnected() && Terminal()->GetConfigMode();
}

bool TFrameDev::StartExchange(tDevExchange kind, bool quiet)
{
    if (!CanStartExchange(kind))
        return false;
    TKovTerminal& terminal = *Terminal();
    // The worker reads and changes its own copy; the panel's values change only when the
    // result is handed back here. Open takes the port from the copy.
    HandParametersToTerminal();
    if (kind == tDevExchange::Connect && FPortResolver &&
        (terminal.GetDevicePath().empty() || terminal.GetDevicePath() == FResolvedPath)) {
        FResolvedPath = FPortResolver(terminal.Parameters().GetCOMPort());
        terminal.SetDevicePath(FResolvedPath);
    }

    TKovTerminal::TExchangeJob job;
    switch (kind) {
    case tDevExchange::Connect:
        job = [](TKovTerminal& t) { t.Open(); };
        break;
    case tDevExchange::Receive:
    case tDevExchange::Compare:
        job = [](TKovTerminal& t) { t.ReceiveConfiguration(); };
        break;
    case tDevExchange::Send:
        job = [](TKovTerminal& t) {
            t.SendDefaultFactory();
            t.SendConfiguration();
            t.SendSave();
        };
        break;
    case tDevExchange::Go:
        job = [](TKovTerminal& t) { t.SendGo(); };
        break;
    }
    FExchange = kind;
    terminal.RunExchange(std::move(job),
                         [this, kind, quiet](std::exception_ptr error) { ExchangeDone(kind, quiet, error); });
    ShowExchangeRunning(true);
    if (!quiet) {
        // Escape reaches the panel only while the keyboard is in it.
        FFocusBeforeExchange = QApplication::focusWidget();
        C.BtnCancel->setFocus();
    }
    emit ExchangeChanged(this);
    return true;
}

bool TFrameDev::ExchangeRunning() const
{
    return Terminal()->ExchangeRunning();
}

void TFrameDev::CancelExchange()
{
    Terminal()->CancelExchange();
}

void TFrameDev::StopExchange()
{
    if (!Terminal()->ExchangeRunning())
        return;
    Terminal()->StopExchange();
    ShowExchangeRunning(false);
    ShowProtocolRow();
    emit ExchangeChanged(this);
}

QString TFrameDev::ExchangeText() const
{
    if (!Terminal()->ExchangeRunning())
        return {};
    const int steps = StepsOf(FExchange);
    if (steps == 0)
        return ExchangeCaption(FExchange);
    return tr("%1: Schritt %2 von %3")
        .arg(ExchangeCaption(FExchange))
        .arg(std::min(Terminal()->ExchangeStep() + 1, steps))
        .arg(steps);
}

// The keyboard goes back where it was before the exchange took it to the cancel button, so the
// panel stays the active device.
void TFrameDev::ShowProtocolRow()
{
    const bool hadFocus = C.BtnCancel->hasFocus();
    C.StckBottom->setCurrentWidget(C.PnlProtocol);
    if (hadFocus && FFocusBeforeExchange && FFocusBeforeExchange->isEnabled() && FFocusBeforeExchange->isVisible())
        FFocusBeforeExchange->setFocus();
    else if (hadFocus)
        C.BtnName->setFocus();
    FFocusBeforeExchange.clear();
}

void TFrameDev::ShowExchangeRunning(bool running)
{
    // Disabling the containers keeps each control's own enabled state for afterwards.
    for (QWidget* area : std::initializer_list<QWidget*>{C.BtnName, C.CmbBxComPort, C.PnlTalv, C.PnlProtocol})
        area->setEnabled(!running);
    if (running) {
        setCursor(Qt::BusyCursor);
        const int steps = StepsOf(FExchange);
        // No steps to count: a busy bar.
        C.PrgBrExchange->setRange(0, steps);
        C.PrgBrExchange->setValue(0);
        C.PrgBrExchange->setFormat(ExchangeCaption(FExchange) + (steps ? QStringLiteral(": %v/%m") : QString()));
        C.BtnCancel->setText(tr("Abbrechen"));
        C.StckBottom->setCurrentWidget(C.PnlProgress);
    } else {
        unsetCursor();
    }
    ActDevConnectUpdate();
    ActDevConfigModeUpdate();
}

void TFrameDev::ExchangeDone(tDevExchange kind, bool quiet, std::exception_ptr error)
{
    const int steps = StepsOf(kind);
    // Commands written: the step at which a failed or cancelled exchange ended.
    const int done = Terminal()->ExchangeStep();
    ShowExchangeRunning(false);
    QString errorText;
    bool cancelled = false;
    try {
        if (error)
            std::rethrow_exception(error);
    } catch (const EAbort& e) {
        cancelled = true;
        errorText = QString::fromUtf8(e.what());
    } catch (const std::exception& e) {
        errorText = QString::fromUtf8(e.what());
    }

    // What came from the device, a part-way receive included, goes into the panel's values. The
    // device echoes each value it is sent, and the engine takes the echo for the value, so a
    // send brings back what the device reported as well.
    if (kind == tDevExchange::Receive || kind == tDevExchange::Send)
        TakeDeviceValues();
    std::exception_ptr refreshError;
    if (kind == tDevExchange::Receive || kind == tDevExchange::Send) {
        try {
            UpdateView();
        } catch (...) {
            refreshError = std::current_exception();
        }
    }
    if (kind == tDevExchange::Receive && !error && !refreshError)
        FState->SetModified(true);
    if (kind == tDevExchange::Receive || kind == tDevExchange::Send)
        emit Edited(this);

    if (errorText.isEmpty()) {
        ShowProtocolRow();
    } else {
        // The panel keeps saying where the exchange ended until the user dismisses it.
        const QString how = cancelled ? tr("abgebrochen") : tr("Fehler");
        C.PrgBrExchange->setValue(std::max(0, done - 1));
        C.PrgBrExchange->setFormat(steps ? tr("%1: %2 bei Schritt %3 von %4")
                                               .arg(ExchangeCaption(kind), how)
                                               .arg(std::clamp(done, 1, steps))
                                               .arg(steps)
                                         : ExchangeCaption(kind) + QStringLiteral(": ") + how);
        C.BtnCancel->setText(tr("OK"));
    }
    // A compare that ended part-way has nothing to compare.
    const bool compared = kind == tDevExchange::Compare && errorText.isEmpty();
    if (compared) {
        FComparedDevice = Terminal()->Parameters();
        emit Compared(this);
    }
    emit ExchangeFinished(this, kind, errorText);

    if (refreshError) {
        // A refresh that fails as well is no transfer error: it goes to the application's display.
        try {
            std::rethrow_exception(refreshError);
        } catch (const std::exception& second) {
            TApplication::ShowException(second);
        }
        return;
    }
    if (compared && !quiet)
        ShowCompareDialog();
    if (quiet || cancelled || errorText.isEmpty())
        return;
    if (kind == tDevExchange::Connect)
        TApplication::ShowException(Exception(errorText.toStdString()));
    else
        ShowError(Exception(errorText.toStdString()));
}
