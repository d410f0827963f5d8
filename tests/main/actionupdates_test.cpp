// Protects the idle-time update handlers: they run when the loop goes idle (also in modal loops), leave with their owner, and an idle program stays asleep.
#include "platform/exceptions.h"
#include "platform/gui/actionupdates.h"
#include "tests/main/uitesthelpers.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QEventLoop>
#include <QTimer>

#include <memory>

using namespace std::chrono_literals;

TEST(TActionUpdates, HandlersFollowTheStateWhenTheLoopGoesIdle)
{
    QAction action("Speichern");
    bool modified = false;
    TActionUpdates::Add(&action, [&] {
        action.setEnabled(modified);
        action.setText(modified ? "&Speichern *" : "&Speichern");
    });

    modified = true;
    RunUntilIdle();
    EXPECT_TRUE(action.isEnabled());
    EXPECT_EQ(action.text(), "&Speichern *");

    modified = false;
    RunUntilIdle();
    EXPECT_FALSE(action.isEnabled());
    EXPECT_EQ(action.text(), "&Speichern");
}

TEST(TActionUpdates, HandlerLeavesWithItsOwner)
{
    int runs = 0;
    auto owner = std::make_unique<QObject>();
    TActionUpdates::Add(owner.get(), [&] { ++runs; });
    TActionUpdates::RunAll();
    EXPECT_EQ(runs, 1);
    owner.reset();
    TActionUpdates::RunAll();
    RunUntilIdle();
    EXPECT_EQ(runs, 1);
}

TEST(TActionUpdates, HandlersRunInsideAModalLoop)
{
    QDialog dialog;
    QAction action("Abbrechen");
    bool done = false;
    TActionUpdates::Add(&action, [&] {
        action.setEnabled(!done);
        if (dialog.isVisible() && !done) {
            done = true;
            dialog.accept();
        }
    });
    QTimer::singleShot(5s, &dialog, &QDialog::reject);  // a failing test ends instead of hanging
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_TRUE(done);
}

TEST(TActionUpdates, AnIdleLoopStaysAsleep)
{
    // Handlers that find nothing changed must not wake the loop again: over a quarter of a
    // second the loop wakes only for its one timer, so only a few passes run, not thousands.
    QAction save("&Speichern");
    QAction check("&Prüfung");
    check.setCheckable(true);
    TActionUpdates::Add(&save, [&] {
        save.setEnabled(false);
        save.setText("&Speichern");
    });
    TActionUpdates::Add(&check, [&] { check.setChecked(true); });
    RunUntilIdle();

    const quint64 before = TActionUpdates::PassCount();
    QEventLoop loop;
    QTimer::singleShot(250ms, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_LE(TActionUpdates::PassCount() - before, 5u);
    EXPECT_GE(TActionUpdates::PassCount() - before, 1u);
}

TEST(TActionUpdates, FailingHandlerIsShownOnceAndDropped)
{
    TMessageBoxWatcher watcher;
    QObject owner;
    int failing = 0;
    int healthy = 0;
    TActionUpdates::Add(&owner, [&] {
        ++failing;
        throw ERangeError("TFrameDev::ActDevGoUpdate: falscher Index 9");
    });
    TActionUpdates::Add(&owner, [&] { ++healthy; });

    RunUntilIdle();  // the pass; the error box comes from the queue after it
    RunUntilIdle();
    TActionUpdates::RunAll();

    EXPECT_EQ(failing, 1);
    EXPECT_GE(healthy, 3);
    ASSERT_EQ(watcher.Boxes.size(), 1u);
    EXPECT_EQ(watcher.Boxes[0].Text, "TFrameDev::ActDevGoUpdate: falscher Index 9.");
}
