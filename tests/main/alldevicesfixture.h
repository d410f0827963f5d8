#pragma once
// Three shown devices, each behind a simulated device of its own on its own COM port, for the
// tests of what the window does with all devices at once.

#include "device/framedevice.h"
#include "sim/simdevice.h"
#include "terminal/kovterminal.h"
#include "tests/main/testmainwin.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

struct TAllDevices : ::testing::Test {
    static constexpr int Count = 3;
    std::vector<std::unique_ptr<TSimDevice>> Sims;
    TTestMainWin Win;

    void SetUp() override
    {
        TUserOptions options;
        options.ComTimeOut = 2000;
        Win.ApplyOptions(options);
        Win.SetDeviceCount(Count);
        for (int i = 0; i < Count; ++i) {
            TSimDeviceOptions device;
            device.InProcess = true;
            device.Split = true;
            device.Seed = 7 + i;
            Sims.push_back(std::make_unique<TSimDevice>(device));
            const std::string n = std::to_string(i + 1);
            Sims[i]->SetStored({n + "01", n + "02", i % 4, n + "03", n + "04", 0});
            TFrameDev* panel = Win.Devices()[i];
            panel->Terminal()->SetLine(Sims[i]->LineEnd());
            // Each device on a port of its own.
            Win.Document().Parameters(i).SetCOMPort(static_cast<tCOMPorts>(COM1 + i));
            panel->UpdateView();
        }
        Win.show();
    }

    // Connects all and brings every device into configuration mode without the request's
    // pauses: the exchange that waits for the start string answers it itself.
    void ConnectAndEnterConfigMode()
    {
        TTestMainWin::Trigger(Win.ActAllConnect);
        ASSERT_TRUE(Win.AwaitExchanges());
        for (int i = 0; i < Count; ++i) {
            TKovTerminal& t = *Win.Devices()[i]->Terminal();
            ASSERT_TRUE(t.GetConnected()) << i;
            t.Send("", EKovWaitStartString);
            Sims[i]->Reset();
            t.ProcessReceived();
            ASSERT_TRUE(t.GetConfigMode()) << i;
        }
        Win.ActMsgLogClearExecute();
        Win.ActComLogClearExecute();
    }
};

