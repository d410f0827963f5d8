// Protects the press-reset dialog: status texts and colours, fresh status per request, keys, and real requests against the simulated device (success, cancel during a hand-over, failure).
#include "device/frmpressresetdlg.h"
#include "platform/exceptions.h"
#include "sim/simdevice.h"
#include "terminal/kovterminal.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <condition_variable>
#include <mutex>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

const QColor Yellow(255, 255, 0);
const QColor Aqua(0, 255, 255);
const QColor Lime(0, 255, 0);

QColor Background(const QLabel& label)
{
    return label.palette().color(QPalette::Window);
}

// The dialog as the program uses it, which also tells the test what the request thread did.
class TRecordingDlg : public TDlgPressReset {
public:
    void ShowStatus(tConfigModeStatus status, const std::string& reason) override
    {
        TDlgPressReset::ShowStatus(status, reason);
        Statuses.push_back(status);
        if (OnStatus)
            OnStatus(status);
    }

    // Request thread.
    void Post(std::function<void()> call) override
    {
        {
            std::lock_guard lock(FMutex);
            ++FPosts;
        }
        FPosted.notify_all();
        TDlgPressReset::Post(std::move(call));
    }

    size_t Posts()
    {
        std::lock_guard lock(FMutex);
        return FPosts;
    }
    bool WaitForPosts(size_t count, std::chrono::milliseconds limit)
    {
        std::unique_lock lock(FMutex);
        return FPosted.wait_for(lock, limit, [&] { return FPosts >= count; });
    }

    std::vector<tConfigModeStatus> Statuses;
    std::function<void(tConfigModeStatus)> OnStatus;

private:
    std::mutex FMutex;
    std::condition_variable FPosted;
    size_t FPosts = 0;
};

struct TPressResetRequest : ::testing::Test {
    std::unique_ptr<TSimDevice> Device;
    // The dialog outlives the terminal, whose request thread posts to it until it has ended.
    TRecordingDlg Dlg;
    TKovTerminal T;
    bool TimedOut = false;

    bool Start(TSimDeviceOptions options = {})
    {
        try {
            Device = std::make_unique<TSimDevice>(std::move(options));
        } catch (const EOSError&) {
            return false;
        }
        T.SetDevicePath(Device->SlavePath());
        T.SetComTimeOut(1000);
        T.Open();
        return true;
    }

    // The dialog shown modally, as the panel does; a test that goes wrong ends instead of hanging.
    int Exec(std::chrono::milliseconds limit)
    {
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, &Dlg, [this] {
            TimedOut = true;
            Dlg.reject();
        });
        guard.start(limit);
        return Dlg.exec();
    }
};

}  // namespace

TEST(TDlgPressResetView, EachStatusShowsItsTextOnItsColourInsideTheLabel)
{
    TDlgPressReset dlg;
    const std::string timeOut = "Das TALV-Gerät hat nicht innerhalb von 1000 msec geantwortet.";
    const struct {
        tConfigModeStatus Status;
        std::string Reason;
        QString Text;
        QColor Colour;
    } cases[] = {
        {EConfigModeWaitForStart, "", "Warte auf Start-Zeichenkette von TALV-Gerät.", Yellow},
        {EConfigModeConfirmed, "", "Bestätigung für Start-Zeichenkette an TALV-Gerät gesendet.", Aqua},
        {EConfigModeEntered, "", "TALV-Gerät ist im Konfigurationsmodus.", Lime},
        {EConfigModeFailed, timeOut, "Konfigurationsmodus nicht erreicht: " + QString::fromStdString(timeOut),
         TDlgPressReset::StatusColor(EConfigModeFailed)},
    };
    for (const auto& c : cases) {
        dlg.ShowStatus(c.Status, c.Reason);
        QLabel& label = *dlg.LblStatus();
        EXPECT_EQ(label.text(), c.Text) << c.Status;
        EXPECT_TRUE(label.autoFillBackground()) << c.Status;
        EXPECT_EQ(Background(label), c.Colour) << c.Status;
        EXPECT_LE(label.heightForWidth(label.width()), label.height()) << "text cut off: " << c.Status;
    }
    // The failure must not look like one of the steps, nor like no status at all.
    const QColor failure = TDlgPressReset::StatusColor(EConfigModeFailed);
    for (const QColor& other : {Yellow, Aqua, Lime, dlg.palette().color(QPalette::Window)})
        EXPECT_NE(failure, other);
}

TEST(TDlgPressResetView, FixedTextsFitTheirLabels)
{
    TDlgPressReset dlg;
    EXPECT_EQ(dlg.windowTitle(), "TALV - Konfigurationsmodus anfordern");
    EXPECT_EQ(dlg.size(), QSize(306, 214));
    for (const char* name : {"LblPressReset", "LblComment"}) {
        const auto* label = dlg.findChild<QLabel*>(name);
        ASSERT_NE(label, nullptr) << name;
        EXPECT_LE(label->heightForWidth(label->width()), label->height()) << "text cut off: " << name;
    }
}

TEST(TDlgPressResetView, EveryShowStartsWithoutTheOldStatus)
{
    TDlgPressReset dlg;
    dlg.ShowStatus(EConfigModeEntered, {});
    dlg.show();
    EXPECT_EQ(dlg.LblStatus()->text(), "");
    EXPECT_FALSE(dlg.LblStatus()->autoFillBackground());
    dlg.hide();
}

TEST(TDlgPressResetView, EscapeAndEnterCancel)
{
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        TDlgPressReset dlg;
        QTimer::singleShot(0, &dlg, [&] { QTest::keyClick(&dlg, key); });
        QTimer::singleShot(5s, &dlg, &QDialog::accept);  // a key that does nothing fails, not hangs
        EXPECT_EQ(dlg.exec(), QDialog::Rejected) << key;
    }
}

TEST_F(TPressResetRequest, ResetDeviceEntersConfigurationModeAndTheDialogClosesWithOk)
{
    TSimDeviceOptions options;
    options.AutoResetPeriod = 700ms;  // the technician keeps pressing the reset key
    if (!Start(options))
        GTEST_SKIP() << "no pseudo-terminal";

    T.RequestConfigMode(&Dlg);
    const int result = Exec(20s);
    T.StopRequestConfigMode();

    EXPECT_FALSE(TimedOut);
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_TRUE(T.GetConfigMode());
    EXPECT_TRUE(Device->InConfigMode());
    ASSERT_FALSE(Dlg.Statuses.empty());
    EXPECT_EQ(Dlg.Statuses.front(), EConfigModeWaitForStart);
    EXPECT_EQ(Dlg.Statuses.back(), EConfigModeEntered);
    EXPECT_NE(std::find(Dlg.Statuses.begin(), Dlg.Statuses.end(), EConfigModeConfirmed), Dlg.Statuses.end());
    EXPECT_EQ(Dlg.LblStatus()->text(), "TALV-Gerät ist im Konfigurationsmodus.");
}

TEST_F(TPressResetRequest, CancelRejectsAndStopReturnsPromptlyWhileAHandOverWaits)
{
    if (!Start())  // a device that is never reset
        GTEST_SKIP() << "no pseudo-terminal";

    Dlg.OnStatus = [this](tConfigModeStatus status) {
        if (status == EConfigModeWaitForStart) {
            Dlg.OnStatus = nullptr;
            Dlg.BitBtnCancel()->click();
        }
    };
    T.RequestConfigMode(&Dlg);
    EXPECT_EQ(Exec(10s), QDialog::Rejected);
    EXPECT_FALSE(TimedOut);

    // After its next read the request thread hands its status to a GUI thread that no longer
    // runs the dialog's loop, and waits for it; the stop gives that hand-over up.
    ASSERT_TRUE(Dlg.WaitForPosts(Dlg.Posts() + 1, 3s));
    const size_t shown = Dlg.Statuses.size();
    const auto start = Clock::now();
    T.StopRequestConfigMode();
    EXPECT_LT(Clock::now() - start, 300ms);
    EXPECT_FALSE(T.GetConfigMode());

    // The abandoned call runs now and shows nothing.
    QCoreApplication::processEvents();
    EXPECT_EQ(Dlg.Statuses.size(), shown);
}

TEST_F(TPressResetRequest, FailureShowsItsReasonAndTheDialogStaysUntilCancelled)
{
    if (!Start())
        GTEST_SKIP() << "no pseudo-terminal";

    QString failureText;
    QColor failureColour;
    bool visibleAtFailure = false;
    Dlg.OnStatus = [&](tConfigModeStatus status) {
        if (status == EConfigModeWaitForStart && Device->LineUp()) {
            Device->HangUp();
        } else if (status == EConfigModeFailed) {
            failureText = Dlg.LblStatus()->text();
            failureColour = Background(*Dlg.LblStatus());
            visibleAtFailure = Dlg.isVisible();
            QTimer::singleShot(0, Dlg.BitBtnCancel(), &QPushButton::click);
        }
    };
    T.RequestConfigMode(&Dlg);
    EXPECT_EQ(Exec(10s), QDialog::Rejected);
    T.StopRequestConfigMode();

    EXPECT_FALSE(TimedOut);
    EXPECT_TRUE(visibleAtFailure);
    EXPECT_TRUE(failureText.startsWith("Konfigurationsmodus nicht erreicht: Systemfehler. Code: ")) << failureText.toStdString();
    EXPECT_EQ(failureColour, TDlgPressReset::StatusColor(EConfigModeFailed));
    EXPECT_FALSE(T.GetConfigMode());
    EXPECT_EQ(Dlg.Statuses.back(), EConfigModeFailed);
}
