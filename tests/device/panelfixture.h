#pragma once
// A device panel showing a state bound to a device's parameters inside a shown window, and the
// ways a user reaches its controls: by name, by typing, by picking from a list.

#include "device/framedevice.h"
#include "documents/framedevstate.h"
#include "platform/exceptions.h"
#include "sim/simdevice.h"
#include "terminal/kovparameters.h"
#include "terminal/kovterminal.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

struct TPanelFixture : ::testing::Test {
    TKovParameters Parameters;
    TFrameDevState State;
    QWidget Window;
    TFrameDev* Panel = nullptr;

    void SetUp() override
    {
        State.SetParameters(&Parameters);
        Panel = new TFrameDev(&Window);
        Panel->SetState(&State);
        Panel->SetModified(false);
        Window.show();
    }

    // The panel's protocol engine.
    TKovTerminal& Engine() const { return *Panel->Terminal(); }

    // Runs the event loop until the panel's exchange has ended, its result shown (and any message
    // box about it closed), or until limit has passed; false if it still runs then. The panel's
    // actions only start an exchange: its events and its end arrive through the event loop.
    bool AwaitExchange(std::chrono::milliseconds limit = std::chrono::seconds(20)) const
    {
        return QTest::qWaitFor([this] { return !Panel->ExchangeRunning(); }, static_cast<int>(limit.count()));
    }

    template <class TWidget>
    static TWidget* Get(const TFrameDev* panel, const char* name)
    {
        auto* widget = panel->findChild<TWidget*>(name);
        if (!widget)
            ADD_FAILURE() << "no control " << name;
        return widget;
    }
    template <class TWidget>
    TWidget* Get(const char* name) const { return Get<TWidget>(Panel, name); }

    static QLineEdit* EdMsn(const TFrameDev* panel, int line) { return Get<QLineEdit>(panel, line == 0 ? "EdMsn1" : "EdMsn2"); }
    static QComboBox* CmbBxNumber(const TFrameDev* panel, int line)
    {
        return Get<QComboBox>(panel, line == 0 ? "CmbBxNumber1" : "CmbBxNumber2");
    }
    QLineEdit* EdMsn(int line) const { return EdMsn(Panel, line); }
    QComboBox* CmbBxNumber(int line) const { return CmbBxNumber(Panel, line); }
    QRadioButton* RdBtnDial(int line) const { return Get<QRadioButton>(line == 0 ? "RdBtnDial1" : "RdBtnDial2"); }
    QRadioButton* RdBtnAccept(int line) const { return Get<QRadioButton>(line == 0 ? "RdBtnAccept1" : "RdBtnAccept2"); }

    // The user picks an entry of a drop-down list.
    static void Pick(QComboBox* box, int index)
    {
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    static std::vector<std::string> Items(const QComboBox* box)
    {
        std::vector<std::string> items;
        for (int i = 0; i < box->count(); ++i)
            items.push_back(box->itemText(i).toStdString());
        return items;
    }

    static std::string ErrorOf(const std::function<void()>& f)
    {
        try {
            f();
        } catch (const Exception& e) {
            return e.what();
        }
        return "no error";
    }

    // A simulated device on a pseudo-terminal, or none where the system has no pseudo-terminals.
    static std::unique_ptr<TSimDevice> MakeDevice()
    {
        try {
            return std::make_unique<TSimDevice>();
        } catch (const EOSError&) {
            return nullptr;
        }
    }
};
