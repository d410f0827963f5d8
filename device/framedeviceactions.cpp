// The panel's actions: what they do with the device, and the update handlers that work out their
// enabled states, captions and pictures whenever the user interface becomes idle.
#include "device/framedevice.h"

#include "device/frmmemodlg.h"
#include "device/frmpressresetdlg.h"
#include "device/frmressource.h"
#include "device/hint.h"
#include "documents/framedevstate.h"
#include "platform/exceptions.h"
#include "platform/gui/actionupdates.h"
#include "platform/gui/application.h"
#include "platform/resstrings.h"
#include "terminal/kovparameters.h"
#include "terminal/kovterminal.h"

#include <QAction>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

#include <stdexcept>

namespace {

const char* const ImageIndexProperty = "ImageIndex";

// Image indices of the shared image list.
constexpr int ImageConnect = 25;
constexpr int ImageDisconnect = 26;
constexpr int ImageSend = 27;
constexpr int ImageReceive = 28;
constexpr int ImageConfigMode = 29;
constexpr int ImageComment = 32;
constexpr int ImageStart = 35;
// Not in the shared list: the compare button's own picture.
constexpr int ImageCompare = TFrmRes::CompareImage;
constexpr int ImageCommentExists = 37;
constexpr int ImageNoComment = 38;

QString Res(int id)
{
    return QString::fromStdString(LoadStr(id));
}

// Sets a picture only when it changes: setting an icon always tells every control bound to the
// action, and the update handlers run in every idle pass.
void SetImage(QObject* target, int index)
{
    const QVariant shown = target->property(ImageIndexProperty);
    if (shown.isValid() && shown.toInt() == index)
        return;
    target->setProperty(ImageIndexProperty, index);
    const QIcon icon = index < 0                          ? QIcon()
                       : index == TFrmRes::CompareImage ? TFrmRes::ComparePicture()
                                                        : TFrmRes::Image(index);
    if (auto* action = qobject_cast<QAction*>(target))
        action->setIcon(icon);
    else if (auto* button = qobject_cast<QAbstractButton*>(target))
        button->setIcon(icon);
}

}  // namespace

void TFrameDev::CreateActions()
{
    auto make = [this](const char* name, const QString& caption, int image, const QString& hint, bool device) {
        auto* action = new QAction(caption, this);
        action->setObjectName(name);
        SetImage(action, image);
        SetHint(action, hint);
        if (device)
            action->setProperty("Category", QStringLiteral("Device"));
        return action;
    };
    ActDevConnect = make("ActDevConnect", Res(216), ImageConnect,
                         tr("Verbindung zwischen PC und TALV herstellen|Baut eine Verbindung zum TALV-Gerät über den "
                            "eingestellten COM-Port auf."),
                         true);
    ActDevDisconnect = make("ActDevDisconnect", Res(217), ImageDisconnect,
                            tr("Verbindung zwischen PC und TALV trennen|Trennt die Verbindung zwischen PC und dem "
                               "TALV-Gerät."),
                            true);
    ActDevRequestConfigMode = make("ActDevRequestConfigMode", tr("K&onfigurationsmodus"), ImageConfigMode,
                                   tr("Konfigurationsmodus aktivieren|Schaltet das TALV-Gerät in den "
                                      "Konfigurationsmodus."),
                                   true);
    ActDevReceiveConfiguration = make("ActDevReceiveConfiguration", tr("Empfange &Parameter"), ImageReceive,
                                      tr("Parameter aus TALV empfangen|Lädt die Parameter aus dem TALV-Gerät."), true);
    ActDevSendConfiguration = make("ActDevSendConfiguration", tr("&Sende Parameter"), ImageSend,
                                   tr("Parameter zum TALV senden|Sendet die Parameter an das TALV-Gerät."), true);
    ActDevGo = make("ActDevGo", tr("St&arten"), ImageStart,
                    tr("TALV-Gerät starten|TALV-Gerät mit den geladenen Parametern starten."), true);
    ActDevCompare = make("ActDevCompare", tr("Ver&gleichen"), ImageCompare,
                         tr("Gerät mit dem Plan vergleichen|Liest die Parameter des TALV-Gerätes und zeigt, wo sie "
                            "vom Plan abweichen, ohne den Plan zu ändern."),
                         true);
    ActClear = make("ActClear", tr("ActClear"), -1, tr("Löscht alle Einstellungen des Gerätes."), false);
    ActMemo = make("ActMemo", tr("&Kommentar"), ImageComment,
                   tr("Kommentar zum TALV-Gerät|Öffnet ein Fenster zur Eingabe eines Kommentars zum TALV-Gerät."),
                   false);
    for (QAction* action :
         {ActDevRequestConfigMode, ActDevReceiveConfiguration, ActDevSendConfiguration, ActDevGo, ActDevCompare})
        action->setEnabled(false);

    connect(ActDevConnect, &QAction::triggered, this, &TFrameDev::ActDevConnectExecute);
    connect(ActDevDisconnect, &QAction::triggered, this, &TFrameDev::ActDevDisconnectExecute);
    connect(ActDevRequestConfigMode, &QAction::triggered, this, &TFrameDev::ActDevRequestConfigModeExecute);
    connect(ActDevReceiveConfiguration, &QAction::triggered, this, &TFrameDev::ActDevReceiveConfigurationExecute);
    connect(ActDevSendConfiguration, &QAction::triggered, this, &TFrameDev::ActDevSendConfigurationExecute);
    connect(ActDevGo, &QAction::triggered, this, &TFrameDev::ActDevGoExecute);
    connect(ActDevCompare, &QAction::triggered, this, &TFrameDev::ActDevCompareExecute);
    connect(ActClear, &QAction::triggered, this, &TFrameDev::ActClearExecute);
    connect(ActMemo, &QAction::triggered, this, &TFrameDev::ActMemoExecute);

    C.BitBtnDevConnect->setDefaultAction(ActDevConnect);
    C.BitBtnDevDisconnect->setDefaultAction(ActDevDisconnect);
    C.BitBtnDevRequestConfigMode->setDefaultAction(ActDevRequestConfigMode);
    C.BitBtnDevSendConfiguration->setDefaultAction(ActDevSendConfiguration);
    C.BitBtnDevReceiveConfiguration->setDefaultAction(ActDevReceiveConfiguration);
    C.BitBtnDevGo->setDefaultAction(ActDevGo);
    C.BitBtnDevCompare->setDefaultAction(ActDevCompare);
    C.BitBtnDevDisconnect->hide();
    // BitBtnMemo shows a picture of its own (comment or none), so it follows only the action's
    // enabled state.
    connect(C.BitBtnMemo, &QPushButton::clicked, ActMemo, &QAction::trigger);
    connect(ActMemo, &QAction::enabledChanged, C.BitBtnMemo, &QWidget::setEnabled);

    TActionUpdates::Add(this, [this] {
        ActDevConnectUpdate();
        ActDevConfigModeUpdate();
        ActMemoUpdate();
    });
}

int TFrameDev::ImageIndex(const QObject* actionOrButton)
{
    const QVariant index = actionOrButton->property(ImageIndexProperty);
    return index.isValid() ? index.toInt() : -1;
}

void TFrameDev::ActDevConnectUpdate()
{
    const TKovTerminal* const terminal = Terminal();
    const bool connected = terminal->GetConnected();
    const bool running = terminal->ExchangeRunning();
    SetImage(ActDevConnect, connected ? ImageDisconnect : ImageConnect);
    ActDevConnect->setText(Res(connected ? 217 : 216));
    ActDevConnect->setEnabled(!running);
    ActDevDisconnect->setEnabled(!running);
    C.CmbBxComPort->setEnabled(!connected);
    QToolButton* const front = connected ? C.BitBtnDevDisconnect : C.BitBtnDevConnect;
    QToolButton* const back = connected ? C.BitBtnDevConnect : C.BitBtnDevDisconnect;
    if (front->isHidden()) {
        front->show();
        front->raise();
        // The keyboard stays on the one button at this place, so a second key press undoes the
        // first.
        if (back->hasFocus())
            front->setFocus();
        back->hide();
    }
}

void TFrameDev::ActDevConfigModeUpdate()
{
    const TKovTerminal* const terminal = Terminal();
    const bool running = terminal->ExchangeRunning();
    const bool connected = terminal->GetConnected() && !running;
    const bool configMode = connected && terminal->GetConfigMode();
    ActDevRequestConfigMode->setEnabled(connected);
    ActDevReceiveConfiguration->setEnabled(configMode);
    ActDevSendConfiguration->setEnabled(configMode);
    ActDevGo->setEnabled(configMode);
    ActDevCompare->setEnabled(configMode);
}

void TFrameDev::ActMemoUpdate()
{
    int image = ImageNoComment;
    if (FState->Parameters()) {
        ActMemo->setEnabled(true);
        const bool hasComment = !FState->Memo().empty();
        SetHint(ActMemo, Res(hasComment ? 219 : 220));
        image = hasComment ? ImageCommentExists : ImageNoComment;
    } else {
        ActMemo->setEnabled(false);
    }
    if (image == FMemoImage)
        return;
    FMemoImage = image;
    SetHint(C.BitBtnMemo, ActMemo->toolTip() + u'|' + ActMemo->statusTip());
    SetImage(C.BitBtnMemo, image);
}

void TFrameDev::ShowError(const std::exception& error)
{
    QMessageBox::critical(this, TApplication::Title(), QString::fromUtf8(error.what()));
}

void TFrameDev::HandParametersToTerminal()
{
    Terminal()->SetParameters(*FState->Parameters());
}

void TFrameDev::TakeDeviceValues()
{
    FState->Parameters()->AssignDeviceValues(Terminal()->Parameters());
}

// Opening the port runs on the worker; its failure goes to the application's error display.
void TFrameDev::ActDevConnectExecute()
{
    TKovTerminal* const terminal = Terminal();
    if (!FState->Parameters() || terminal->ExchangeRunning())
        return;
    if (!terminal->GetConnected()) {
        StartExchange(tDevExchange::Connect);
        return;
    }
    try {
        terminal->Close();
    } catch (const std::exception& error) {
        TApplication::ShowException(error);
    }
}

void TFrameDev::ActDevDisconnectExecute()
{
    TKovTerminal* const terminal = Terminal();
    if (!FState->Parameters() || !terminal->GetConnected() || terminal->ExchangeRunning())
        return;
    try {
        terminal->Close();
    } catch (const std::exception& error) {
        TApplication::ShowException(error);
    }
}

// The request runs in the engine's thread while the technician presses the reset key; the
// thread closes the dialog with OK once the device is in configuration mode.
void TFrameDev::ActDevRequestConfigModeExecute()
{
    if (!FState->Parameters())
        return;
    TKovTerminal* const terminal = Terminal();
    try {
        if (!FDlgPressReset)
            throw Exception("TFrameDev::ActDevRequestConfigModeExecute: Kein Form übergeben.");
        terminal->RequestConfigMode(FDlgPressReset);
        if (FDlgPressReset->exec() != QDialog::Accepted)
            terminal->StopRequestConfigMode();
    } catch (const std::exception& error) {
        ShowError(error);
    }
}

void TFrameDev::ActDevReceiveConfigurationExecute()
{
    StartExchange(tDevExchange::Receive);
}

void TFrameDev::ActDevSendConfigurationExecute()
{
    StartExchange(tDevExchange::Send);
}

void TFrameDev::ActDevGoExecute()
{
    StartExchange(tDevExchange::Go);
}

void TFrameDev::ActMemoExecute()
{
    const TKovParameters* const parameters = FState->Parameters();
    if (!parameters)
        return;
    if (!FFrmDevMemo) {
        TApplication::ShowException(Exception("TFrameDev::ActMemoExecute: Kein Form übergeben."));
        return;
    }
    const QString caption = QString::fromStdString(FmtLoadStr(218, {parameters->GetKovName()}));
    const QScreen* const screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect geometry = TFrmDevMemo::Placement(mapToGlobal(QPoint(0, 0)), size(), screen->geometry());
    if (const auto lines = FFrmDevMemo->Execute(caption, FState->Memo(), geometry))
        FState->MemoChange(*lines);
}
