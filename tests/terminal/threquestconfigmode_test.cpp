// Protects the configuration-mode request: start string search, the exact confirmation bytes,
// the prompt wait and its time-out, failure reports, cancelling, and the hand-over to the view's
// thread that must never deadlock with a stop.
#include "platform/exceptions.h"
#include "terminal/kovterminal.h"
#include "terminal/threquestconfigmode.h"
#include "tests/terminal/ptypair.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

// A view owned by "the GUI thread" (the test thread): posted calls wait in a queue until the
// test pumps them, as a modal dialog's event loop would.
class TQueuedView : public TConfigModeView {
public:
    void ShowStatus(tConfigModeStatus status, const std::string& reason) override
    {
        Statuses.push_back(status);
        Reasons.push_back(reason);
        StatusTimes.push_back(Clock::now());
    }
    void CloseOk() override
    {
        Closed = true;
        ClosedAt = Clock::now();
    }
    void Repaint() override { Repainted = Closed; }
    void Post(std::function<void()> call) override
    {
        std::lock_guard lock(FMutex);
        FQueue.push_back(std::move(call));
        FPosted.notify_all();
    }

    // Runs posted calls until `done` holds or `limit` passes.
    bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit)
    {
        const auto end = Clock::now() + limit;
        while (!done()) {
            std::function<void()> call;
            {
                std::unique_lock lock(FMutex);
                if (!FPosted.wait_until(lock, end, [&] { return !FQueue.empty(); }))
                    return done();
                call = std::move(FQueue.front());
                FQueue.pop_front();
            }
            call();
        }
        return true;
    }

    size_t Waiting()
    {
        std::lock_guard lock(FMutex);
        return FQueue.size();
    }

    std::vector<tConfigModeStatus> Statuses;
    std::vector<std::string> Reasons;
    std::vector<Clock::time_point> StatusTimes;
    bool Closed = false;
    bool Repainted = false;
    Clock::time_point ClosedAt;

private:
    std::mutex FMutex;
    std::condition_variable FPosted;
    std::deque<std::function<void()>> FQueue;
};

struct TRequest : ::testing::Test {
    TPtyPair Pty;
    TKovTerminal T;
    TQueuedView View;

    void SetUp() override
    {
        if (!Pty.Ok())
            GTEST_SKIP() << "no pseudo-terminal";
        T.SetDevicePath(Pty.SlavePath());
        T.SetComTimeOut(1000);
        T.Open();
    }

    bool Has(tConfigModeStatus status) const
    {
        return std::find(View.Statuses.begin(), View.Statuses.end(), status) != View.Statuses.end();
    }
};

}  // namespace

TEST(ThRequestConfigModeArguments, MissingTerminalOrViewIsAPlainError)
{
    TKovTerminal t;
    TQueuedView view;
    try {
        ThRequestConfigMode thread(true, nullptr, &view);
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "ThRequestConfigMode::ThRequestConfigMode: Kein KovTerminal übergeben.");
    }
    try {
        ThRequestConfigMode thread(true, &t, nullptr);
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "ThRequestConfigMode::ThRequestConfigMode: Kein Form übergeben.");
    }
}

TEST_F(TRequest, SplitStartStringIsAnsweredAndThePromptEntersConfigMode)
{
    std::atomic<bool> confirmed{false};
    std::string confirmation;
    std::thread device([&] {
        Pty.Write("ende der letzten Ausgabe\r\n+++ Press <CR>,<CR>,");
        std::this_thread::sleep_for(700ms);  // the rest comes with a later read
        Pty.Write("<ESC>,<ESC> to enter TA+configurator +++\r\n");
        confirmation = Pty.ReadExactly(5, 3s);
        confirmed = true;
        Pty.Write("\r\nTALV configuration\r\n#\r\n#");
    });
    T.RequestConfigMode(&View);
    EXPECT_TRUE(View.PumpUntil([&] { return View.Closed && View.Repainted; }, 10s));
    device.join();

    EXPECT_EQ(confirmation, "\r\r\x1b\x1b\r");
    EXPECT_TRUE(T.GetConfigMode());
    ASSERT_GE(View.Statuses.size(), 3u);
    EXPECT_EQ(View.Statuses.front(), EConfigModeWaitForStart);
    EXPECT_EQ(View.Statuses[View.Statuses.size() - 2], EConfigModeConfirmed);
    EXPECT_EQ(View.Statuses.back(), EConfigModeEntered);
    EXPECT_FALSE(Has(EConfigModeFailed));
    // The dialog closes by itself about two seconds after showing status 3.
    const auto shown = View.StatusTimes.back();
    EXPECT_GE(View.ClosedAt - shown, 1900ms);
    EXPECT_LE(View.ClosedAt - shown, 3000ms);
    T.StopRequestConfigMode();  // after the end: harmless
}

TEST_F(TRequest, CancelWhileWaitingForTheStartStringEndsPromptly)
{
    T.SetConfigMode(true);
    T.RequestConfigMode(&View);
    EXPECT_TRUE(View.PumpUntil([&] { return Has(EConfigModeWaitForStart); }, 3s));
    View.PumpUntil([] { return false; }, 300ms);
    const auto start = Clock::now();
    T.StopRequestConfigMode();
    EXPECT_LT(Clock::now() - start, 800ms);
    EXPECT_FALSE(T.GetConfigMode());
    EXPECT_FALSE(Has(EConfigModeConfirmed));
    EXPECT_EQ(Pty.ReadAvailable(), "");  // nothing was sent to the device
    T.StopRequestConfigMode();
}

TEST_F(TRequest, StopNeverDeadlocksWithAHandOverWaitingForTheGuiThread)
{
    // The test thread plays the GUI thread but never pumps: the request thread is stuck waiting
    // for its first status to be shown when the stop comes.
    T.RequestConfigMode(&View);
    const auto end = Clock::now() + 3s;
    while (View.Waiting() == 0 && Clock::now() < end)
        std::this_thread::sleep_for(5ms);
    ASSERT_EQ(View.Waiting(), 1u);
    const auto start = Clock::now();
    T.StopRequestConfigMode();
    EXPECT_LT(Clock::now() - start, 800ms);
    // The call posted before the stop runs later on the GUI thread and changes nothing.
    View.PumpUntil([] { return false; }, 50ms);
    EXPECT_TRUE(View.Statuses.empty());
}

TEST_F(TRequest, MissingPromptAfterTheConfirmationIsReportedAsFailure)
{
    std::thread device([&] {
        std::this_thread::sleep_for(100ms);
        Pty.Write(StartString);
    });
    T.SetComTimeOut(1000);
    T.RequestConfigMode(&View);
    EXPECT_TRUE(View.PumpUntil([&] { return Has(EConfigModeFailed); }, 8s));
    device.join();
    EXPECT_TRUE(Has(EConfigModeConfirmed));
    EXPECT_EQ(View.Reasons.back(), "Das TALV-Gerät hat nicht innerhalb von 1000 msec geantwortet.");
    EXPECT_FALSE(View.Closed);
    EXPECT_FALSE(T.GetConfigMode());
    T.StopRequestConfigMode();
}

TEST_F(TRequest, HangUpWhileWaitingIsReportedWithTheSystemText)
{
    T.RequestConfigMode(&View);
    EXPECT_TRUE(View.PumpUntil([&] { return Has(EConfigModeWaitForStart); }, 3s));
    Pty.HangUp();
    EXPECT_TRUE(View.PumpUntil([&] { return Has(EConfigModeFailed); }, 3s));
    EXPECT_EQ(View.Reasons.back().rfind("Systemfehler. Code: ", 0), 0u) << View.Reasons.back();
    EXPECT_FALSE(T.GetConfigMode());
    T.StopRequestConfigMode();
}

TEST_F(TRequest, DestroyingTheTerminalStopsARunningRequest)
{
    auto terminal = std::make_unique<TKovTerminal>();
    terminal->SetDevicePath(Pty.SlavePath());
    terminal->SetComTimeOut(500);
    T.Close();
    terminal->Open();
    TConfigModeView* view = &View;
    terminal->RequestConfigMode(view);
    ASSERT_TRUE(View.PumpUntil([&] { return Has(EConfigModeWaitForStart); }, 3s));
    View.PumpUntil([] { return false; }, 100ms);
    EXPECT_FALSE(Has(EConfigModeFailed)) << View.Reasons.back();
    const auto start = Clock::now();
    terminal.reset();
    EXPECT_LT(Clock::now() - start, 800ms);
}

TEST_F(TRequest, ConfirmationThatCannotBeWrittenIsReportedAsFailure)
{
    // The confirmation waits for room on a full line, and then the device goes away.
    Pty.BlockTerminalOutput();
    Pty.Write(StartString);
    T.RequestConfigMode(&View);
    ASSERT_TRUE(View.PumpUntil([&] { return Has(EConfigModeWaitForStart); }, 3s));
    const auto end = Clock::now() + 3s;
    while (T.Port()->GetState() != TslCOMPort::stWriting && Clock::now() < end)
        std::this_thread::sleep_for(5ms);
    ASSERT_EQ(T.Port()->GetState(), TslCOMPort::stWriting);
    Pty.HangUp();

    EXPECT_TRUE(View.PumpUntil([&] { return Has(EConfigModeFailed); }, 5s));
    EXPECT_FALSE(Has(EConfigModeConfirmed));
    std::string systemText;
    try {
        RaiseLastOSError(EIO);
    } catch (const EOSError& e) {
        systemText = e.what();
    }
    EXPECT_EQ(View.Reasons.back(), systemText);
    EXPECT_FALSE(T.GetConfigMode());
    T.StopRequestConfigMode();
}
