// Protects the actions that run on every device at once: each device's values and log lines
// reach its own panel, the window answers meanwhile, the result of each device and a summary go
// to the message log, and the window gives up running exchanges only when the user agrees.
#include "device/framedevice.h"
#include "platform/gui/actionupdates.h"
#include "tests/main/alldevicesfixture.h"
#include "terminal/kovterminal.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using namespace std::chrono_literals;

TEST_F(TAllDevices, ReceiveAllGivesEachPanelItsDevicesValuesAndLinesWhileTheWindowAnswers)
{
    ConnectAndEnterConfigMode();
    // The window's event loop keeps running while the devices are read (how long its pauses
    // are is the exchange benchmark's business, not a test's).
    int ticksWhileRunning = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (Win.Devices()[0]->ExchangeRunning())
            ++ticksWhileRunning;
    });
    tick.start(1);
    TTestMainWin::Trigger(Win.ActAllReceive);
    for (int i = 0; i < Count; ++i)
        EXPECT_TRUE(Win.Devices()[i]->ExchangeRunning()) << i;
    ASSERT_TRUE(Win.AwaitExchanges());
    tick.stop();
    EXPECT_GT(ticksWhileRunning, 0);

    for (int i = 0; i < Count; ++i) {
        const std::string n = std::to_string(i + 1);
        const TKovParameters& p = Win.Document().Parameters(i);
        EXPECT_EQ(p.GetMsnIncoming(0), n + "01");
        EXPECT_EQ(p.GetMsnIncoming(1), n + "02");
        EXPECT_EQ(p.GetAutomaticCallNumber(1), n + "04");
        EXPECT_EQ(p.GetAutomaticCallMode(), i % 4);
        EXPECT_EQ(Win.Devices()[i]->findChild<QLineEdit*>("EdMsn1")->text().toStdString(), n + "01");
        // Every line of the device's exchange, under its name, in its order.
        const QString name = QString::fromStdString(p.GetKovName());
        QStringList own;
        for (const QString& line : Win.ComLines())
            if (line.startsWith(name + QStringLiteral(": ")))
                own << line.mid(name.size() + 2);
        ASSERT_EQ(own.size(), 12) << i;
        EXPECT_EQ(own[0], "TALV <= aciomco");
        EXPECT_TRUE(own[9].contains(QString::fromStdString(n + "01"))) << own[9].toStdString();
    }
    EXPECT_EQ(Win.ComLines().size(), 12 * Count);
    const QStringList messages = Win.MessageLines();
    ASSERT_EQ(messages.size(), Count + 1);
    EXPECT_EQ(messages.back(), "3 von 3 Geräten: Parameter empfangen");
}

TEST_F(TAllDevices, AFailingDeviceIsNamedAndTheOthersFinish)
{
    ConnectAndEnterConfigMode();
    Sims[1]->SetSilent(true);
    TTestMainWin::Trigger(Win.ActAllReceive);
    ASSERT_TRUE(Win.AwaitExchanges());
    const QString failed = QString::fromStdString(Win.Document().Parameters(1).GetKovName());
    const QStringList messages = Win.MessageLines();
    ASSERT_EQ(messages.size(), Count + 1);
    EXPECT_EQ(messages.back(), "2 von 3 Geräten: Parameter empfangen; " + failed +
                                   ": TKovTerminal::ProcessReceived: Timout beim Senden nach 2000 msec.");
    EXPECT_EQ(Win.Document().Parameters(2).GetMsnIncoming(0), "301");
    EXPECT_TRUE(Win.Errors.empty());
}

TEST_F(TAllDevices, TwoDevicesOnOnePortAreRefusedByName)
{
    Win.Document().Parameters(2).SetCOMPort(COM1);
    Win.Devices()[2]->UpdateView();
    TTestMainWin::Trigger(Win.ActAllConnect);
    ASSERT_EQ(Win.Errors.size(), 1u);
    EXPECT_EQ(Win.Errors[0], "<TALV 1> und <TALV 3> verwenden beide COM1: Geräte am selben COM-Port können nicht "
                             "gleichzeitig bedient werden.");
    for (const TFrameDev* panel : Win.Devices())
        EXPECT_FALSE(panel->ExchangeRunning() || panel->Terminal()->GetConnected());
}

TEST_F(TAllDevices, ClosingTheWindowDuringAnExchangeAsksAndStopsItOnlyWhenTheUserAgrees)
{
    ConnectAndEnterConfigMode();
    Sims[0]->SetSilent(true);
    TFrameDev* panel = Win.Devices()[0];
    ASSERT_TRUE(panel->StartExchange(tDevExchange::Receive, true));

    Win.StopAnswers = {QMessageBox::No};
    EXPECT_FALSE(Win.close());
    EXPECT_TRUE(panel->ExchangeRunning());
    ASSERT_EQ(Win.StopQuestions.size(), 1u);
    EXPECT_EQ(Win.StopQuestions[0], "Mit <TALV 1> läuft noch eine Übertragung. Abbrechen?");

    Win.StopAnswers = {QMessageBox::Yes};
    Win.SaveAnswers = {QMessageBox::No};
    EXPECT_TRUE(Win.close());
    EXPECT_FALSE(panel->ExchangeRunning());
    // The port serves the next exchange.
    Sims[0]->SetSilent(false);
    EXPECT_TRUE(panel->StartExchange(tDevExchange::Receive, true));
    ASSERT_TRUE(Win.AwaitExchanges());
    EXPECT_EQ(Win.Document().Parameters(0).GetMsnIncoming(1), "102");
}
