// Protects the panel's actions and dialogs: enable rules in the three device states, the
// connect/disconnect swap, the name and comment dialogs, the active-device margin and the line
// colours.
#include "device/frmmemodlg.h"
#include "device/frmressource.h"
#include "device/namebutton.h"
#include "modalwatch.h"
#include "panelfixture.h"
#include "platform/gui/actionupdates.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QToolButton>

namespace {

using TPanel = TPanelFixture;

struct TActionState {
    bool RequestConfigMode, Receive, Send, Go;
};

void ExpectActions(const TFrameDev& panel, const TActionState& expected, const char* when)
{
    EXPECT_EQ(panel.ActDevRequestConfigMode->isEnabled(), expected.RequestConfigMode) << when;
    EXPECT_EQ(panel.ActDevReceiveConfiguration->isEnabled(), expected.Receive) << when;
    EXPECT_EQ(panel.ActDevSendConfiguration->isEnabled(), expected.Send) << when;
    EXPECT_EQ(panel.ActDevGo->isEnabled(), expected.Go) << when;
}

}  // namespace

TEST_F(TPanel, ActionsFollowTheDeviceState)
{
    auto device = MakeDevice();
    if (!device)
        GTEST_SKIP() << "no pseudo-terminal";
    Engine().SetDevicePath(device->SlavePath());
    TMessageBoxes boxes;
    auto* comPort = Get<QComboBox>("CmbBxComPort");
    auto* connectButton = Get<QToolButton>("BitBtnDevConnect");
    auto* disconnectButton = Get<QToolButton>("BitBtnDevDisconnect");

    TActionUpdates::RunAll();
    ExpectActions(*Panel, {false, false, false, false}, "not connected");
    EXPECT_EQ(Panel->ActDevConnect->text(), "&Verbinden");
    EXPECT_EQ(TFrameDev::ImageIndex(Panel->ActDevConnect), 25);
    EXPECT_EQ(Panel->ActDevConnect->icon().cacheKey(), TFrmRes::Image(25).cacheKey());
    EXPECT_TRUE(comPort->isEnabled());
    EXPECT_TRUE(connectButton->isVisible());
    EXPECT_FALSE(disconnectButton->isVisible());

    Panel->ActDevConnect->trigger();
    ASSERT_TRUE(AwaitExchange());
    ASSERT_TRUE(Engine().GetConnected());
    TActionUpdates::RunAll();
    ExpectActions(*Panel, {true, false, false, false}, "connected");
    EXPECT_EQ(Panel->ActDevConnect->text(), "&Trennen");
    EXPECT_EQ(TFrameDev::ImageIndex(Panel->ActDevConnect), 26);
    EXPECT_FALSE(comPort->isEnabled());
    EXPECT_FALSE(connectButton->isVisible());
    EXPECT_TRUE(disconnectButton->isVisible());

    Engine().SetConfigMode(true);
    TActionUpdates::RunAll();
    ExpectActions(*Panel, {true, true, true, true}, "in configuration mode");

    // Unbound, the device actions keep their last state; only the comment needs parameters.
    Panel->SetState(nullptr);
    TActionUpdates::RunAll();
    ExpectActions(*Panel, {true, true, true, true}, "unbound");
    EXPECT_FALSE(Panel->ActMemo->isEnabled());
    Panel->SetState(&State);

    Panel->ActDevConnect->trigger();  // connected: the toggle disconnects
    EXPECT_FALSE(Engine().GetConnected());
    Panel->ActDevDisconnect->trigger();  // already disconnected: nothing
    TActionUpdates::RunAll();
    ExpectActions(*Panel, {false, false, false, false}, "disconnected again");
    EXPECT_TRUE(connectButton->isVisible());
    EXPECT_TRUE(comPort->isEnabled());
    EXPECT_TRUE(boxes.Texts.empty());
}

TEST_F(TPanel, AFailedConnectGoesToTheApplicationsErrorDisplay)
{
    Engine().SetDevicePath("/nonexistent/talv-tty");
    TMessageBoxes boxes;
    Panel->ActDevConnect->trigger();
    ASSERT_TRUE(AwaitExchange());
    ASSERT_EQ(boxes.Texts.size(), 1u);
    EXPECT_NE(boxes.Texts[0].find("/nonexistent/talv-tty"), std::string::npos) << boxes.Texts[0];
    EXPECT_FALSE(Engine().GetConnected());
}

TEST_F(TPanel, ALongNameIsShortenedWhereItIsDrawnButKeptWhole)
{
    const std::string longName = "Umspannwerk Altdorf, Schaltfeld 12, Reserveleitung";
    for (const std::string& name : {std::string("Ost"), longName}) {
        Parameters.SetKovName(name);
        Panel->UpdateView();
        const auto* button = Get<TNameButton>("BtnName");
        EXPECT_EQ(button->text().toStdString(), name);
        EXPECT_LE(button->fontMetrics().horizontalAdvance(button->ShownText()), button->width());
        if (name == longName) {
            EXPECT_TRUE(button->ShownText().endsWith(QChar(0x2026))) << button->ShownText().toStdString();
        } else {
            EXPECT_EQ(button->ShownText().toStdString(), name);
        }
    }
}

TEST_F(TPanel, TheNameDialogSetsTheNameOnOk)
{
    Parameters.SetKovName("Alt");
    Panel->UpdateView();
    auto* button = Get<QPushButton>("BtnName");
    std::string answer;  // empty: cancel
    std::vector<std::string> prompts;
    TModalWatch watch([&](QWidget& modal) {
        auto* dialog = qobject_cast<QInputDialog*>(&modal);
        ASSERT_NE(dialog, nullptr);
        prompts.push_back(dialog->windowTitle().toStdString() + "/" + dialog->labelText().toStdString() + "/" +
                          dialog->textValue().toStdString());
        if (answer.empty()) {
            dialog->reject();
        } else {
            dialog->setTextValue(QString::fromStdString(answer));
            dialog->accept();
        }
    });

    button->click();
    EXPECT_EQ(prompts.at(0), "TALV-Gerätename/Bitte geben Sie den Namen des Gerätes ein :/Alt");
    EXPECT_EQ(Parameters.GetKovName(), "Alt");
    EXPECT_FALSE(Panel->Modified());

    answer = "Süd & Co";
    button->click();
    EXPECT_EQ(Parameters.GetKovName(), "Süd & Co");
    EXPECT_EQ(button->text(), "Süd && Co");  // shown as it is, not as a shortcut letter
    EXPECT_TRUE(Panel->Modified());

    Panel->SetModified(false);
    button->click();  // confirmed unchanged: still an edit
    EXPECT_TRUE(Panel->Modified());
}

TEST_F(TPanel, TheCommentDialogEditsTheCommentAndTheButtonShowsWhetherThereIsOne)
{
    TFrmDevMemo memo;
    Panel->SetDialogs(nullptr, &memo);
    Parameters.SetKovName("West");
    Panel->UpdateView();
    auto* button = Get<QPushButton>("BitBtnMemo");
    TActionUpdates::RunAll();
    EXPECT_EQ(TFrameDev::ImageIndex(button), 38);
    EXPECT_EQ(button->toolTip(), "Kommentar zum TALV eingeben");
    EXPECT_EQ(button->statusTip(), "Öffnet ein Fenster zur Eingabe eines Kommentars zum TALV-Gerät.");
    EXPECT_EQ(TFrameDev::ImageIndex(Panel->ActMemo), 32);

    // What the user does in the dialog, one step per opening.
    std::function<void(TFrmDevMemo&)> user;
    QString caption;
    QRect geometry;
    TModalWatch watch([&](QWidget& modal) {
        ASSERT_EQ(&modal, &memo);
        caption = memo.windowTitle();
        geometry = memo.geometry();
        user(memo);
    });
    auto type = [](const char* text, const char* close) {
        return [text, close](TFrmDevMemo& dialog) {
            QTest::keyClicks(dialog.MemoEdit(), text);
            if (std::string(close) == "ok")
                dialog.findChild<QPushButton*>("BitBtnOk")->click();
            else
                QTest::keyClick(dialog.MemoEdit(), Qt::Key_Escape);
        };
    };

    user = type("Erste Zeile", "ok");
    button->click();
    EXPECT_EQ(caption, "Kommentar zu West");
    EXPECT_EQ(geometry.size(), Panel->size());
    EXPECT_EQ(geometry, TFrmDevMemo::Placement(Panel->mapToGlobal(QPoint(0, 0)), Panel->size(),
                                               Panel->screen()->geometry()));
    EXPECT_EQ(Panel->State()->Memo(), std::vector<std::string>{"Erste Zeile"});
    EXPECT_TRUE(Panel->Modified());
    TActionUpdates::RunAll();
    EXPECT_EQ(TFrameDev::ImageIndex(button), 37);
    EXPECT_EQ(button->toolTip(), "Kommentar zum TALV vorhanden");

    Panel->SetModified(false);
    user = type("", "ok");  // confirmed unchanged
    button->click();
    EXPECT_FALSE(Panel->Modified());

    user = type("verworfen", "escape");
    button->click();
    EXPECT_EQ(Panel->State()->Memo(), std::vector<std::string>{"Erste Zeile"});
    EXPECT_FALSE(Panel->Modified());

    user = [](TFrmDevMemo& dialog) {
        dialog.MemoEdit()->selectAll();
        QTest::keyClick(dialog.MemoEdit(), Qt::Key_Delete);
        dialog.findChild<QPushButton*>("BitBtnOk")->click();
    };
    button->click();
    EXPECT_TRUE(Panel->State()->Memo().empty());
    TActionUpdates::RunAll();
    EXPECT_EQ(TFrameDev::ImageIndex(button), 38);
    EXPECT_EQ(button->toolTip(), "Kommentar zum TALV eingeben");
}

TEST_F(TPanel, FocusMakesThePanelTheActiveDevice)
{
    auto* other = new TFrameDev(&Window);
    other->move(333, 0);
    other->show();
    Window.activateWindow();
    if (!QTest::qWaitForWindowActive(&Window))
        GTEST_SKIP() << "no active window on this platform";
    const QColor grey(128, 128, 128);
    EdMsn(other, 0)->setFocus();  // activating the window put the focus into the first panel
    EXPECT_FALSE(Panel->Active());
    EXPECT_EQ(Panel->MarginColor(), grey);
    QSignalSpy entered(Panel, &TFrameDev::Entered);

    EdMsn(0)->setFocus();
    EXPECT_TRUE(Panel->Active());
    EXPECT_EQ(Panel->MarginColor(), QColor(0, 0, 255));
    EXPECT_EQ(entered.count(), 1);
    EXPECT_EQ(Panel->grab().toImage().pixelColor(1, 1), QColor(0, 0, 255));

    EdMsn(other, 1)->setFocus();
    EXPECT_FALSE(Panel->Active());
    EXPECT_TRUE(other->Active());
    EXPECT_EQ(Panel->MarginColor(), grey);
    EXPECT_EQ(Panel->grab().toImage().pixelColor(1, 1), grey);

    // A left click on a label makes the panel active; another button does not.
    QTest::mouseClick(Get<QLabel>("Label5"), Qt::RightButton);
    EXPECT_FALSE(Panel->Active());
    QTest::mouseClick(Get<QLabel>("Label5"), Qt::LeftButton);
    EXPECT_TRUE(Panel->Active());
    EXPECT_FALSE(other->Active());
    EXPECT_EQ(entered.count(), 2);

    // So does a click on a device button, also one that is disabled and takes no focus.
    for (const char* name : {"BitBtnDevRequestConfigMode", "BitBtnDevSendConfiguration",
                             "BitBtnDevReceiveConfiguration", "BitBtnDevGo"}) {
        EdMsn(other, 0)->setFocus();
        QTest::mouseClick(Get<QToolButton>(name), Qt::LeftButton);
        EXPECT_TRUE(Panel->Active()) << name;
        EXPECT_FALSE(other->Active()) << name;
    }

    Panel->SetActiveColor(QColor(255, 0, 0));
    EXPECT_EQ(Panel->MarginColor(), QColor(255, 0, 0));
}

TEST_F(TPanel, LineColoursMarkTheOwnNumberAndOnlyTwoLinesExist)
{
    for (int index : {2, -1})
        EXPECT_EQ(ErrorOf([&] { Panel->SetColorMsn(index, Qt::red); }),
                  "TFrameDev::SetColorMsn: falscher Index " + std::to_string(index));
    const QColor green(0, 160, 0);
    Panel->SetColorMsn(1, green);
    EXPECT_EQ(Panel->ColorMsn(1), green);
    EXPECT_EQ(Panel->ColorMsn(0), QColor(Qt::black));
    EXPECT_EQ(Get<QFrame>("ShpLine2")->palette().color(QPalette::Window), green);
    EXPECT_EQ(Get<QFrame>("ShpLine1")->palette().color(QPalette::Window), QColor(Qt::black));
    // The arrows stay black whatever the line's colour (white, the default, would hide them).
    Panel->SetColorMsn(0, Qt::white);
    for (const char* arrow : {"Image1", "Image2", "Image3", "Image4"})
        EXPECT_EQ(Get<QLabel>(arrow)->pixmap().toImage().pixelColor(40, 3), QColor(Qt::black)) << arrow;
}

TEST_F(TPanel, ControlsCarryTheirNamesAndHints)
{
    EXPECT_EQ(Panel->size(), QSize(329, 242));
    const std::pair<const char*, const char*> hints[] = {
        {"BtnName", "Name des TALV-Gerätes"},
        {"CmbBxComPort", "Auswahl COM-Port am PC"},
        {"CmbBxIsdnDChannelProtocol", "Auswahl des D-Kanal-Protokolls"},
        {"EdMsn2", "Rufnummer für LWL2"},
        {"CmbBxNumber1", "Rufnummer TALV-Gegenstelle für LWL1"},
        {"RdBtnDial2", "Wählen"},
        {"RdBtnAccept1", "Annehmen"},
    };
    for (const auto& [name, shortHint] : hints)
        EXPECT_EQ(Get<QWidget>(name)->toolTip().toStdString(), shortHint) << name;
    EXPECT_EQ(Get<QWidget>("RdBtnAccept1")->statusTip(), "LWL1 nimmt Anruf eines anderen Gerätes an.");
    EXPECT_EQ(Panel->ActDevReceiveConfiguration->statusTip(), "Lädt die Parameter aus dem TALV-Gerät.");
    for (const char* name : {"PnlData", "PnlTalv", "PnlMsn", "PnlPartner1", "PnlPartner2", "Label5", "Image2"})
        EXPECT_NE(Panel->findChild<QWidget*>(name), nullptr) << name;
    const std::pair<QAction*, const char*> captions[] = {
        {Panel->ActDevRequestConfigMode, "K&onfigurationsmodus"}, {Panel->ActDevReceiveConfiguration, "Empfange &Parameter"},
        {Panel->ActDevSendConfiguration, "&Sende Parameter"}, {Panel->ActDevGo, "St&arten"},
        {Panel->ActDevDisconnect, "&Trennen"}, {Panel->ActMemo, "&Kommentar"}};
    for (const auto& [action, caption] : captions)
        EXPECT_EQ(action->text().toStdString(), caption);
}
