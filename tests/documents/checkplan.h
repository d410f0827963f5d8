#pragma once
// A planned network for the check tests: devices described by value, built into their parameters.

#include "documents/configcheck.h"
#include "documents/messagelist.h"
#include "terminal/KovDef.h"
#include "terminal/kovparameters.h"

#include <cstdint>
#include <string>
#include <vector>

// Every number is unused ("-") unless a test sets it.
struct TPlanDevice {
    std::string Name;
    std::string Msn1 = NoNumber;
    std::string Msn2 = NoNumber;
    std::string Number1 = NoNumber;
    std::string Number2 = NoNumber;
    tAciomco Mode = EAciomcoNo;
    tIsdnDChannelProtocol Protocol = IsdnDss1;
};

class TPlan {
public:
    explicit TPlan(const std::vector<TPlanDevice>& devices) { Set(devices); }

    void Set(const std::vector<TPlanDevice>& devices)
    {
        FParameters.assign(devices.size(), TKovParameters());
        for (std::size_t i = 0; i < devices.size(); ++i) {
            TKovParameters& t = FParameters[i];
            const TPlanDevice& d = devices[i];
            t.SetKovName(d.Name);
            t.SetMsnIncoming(0, d.Msn1);
            t.SetMsnIncoming(1, d.Msn2);
            t.SetAutomaticCallNumber(0, d.Number1);
            t.SetAutomaticCallNumber(1, d.Number2);
            t.SetAutomaticCallMode(d.Mode);
            t.SetIsdnDChannelProtocol(d.Protocol);
        }
    }

    // The first `shown` devices as the main window hands them to the check.
    std::vector<TCheckDevice> Shown(std::size_t shown) const
    {
        std::vector<TCheckDevice> result;
        for (std::size_t i = 0; i < shown && i < FParameters.size(); ++i)
            result.push_back(CheckDeviceFromCallMode(FParameters[i]));
        return result;
    }

    void Run(TMessageList& log, std::size_t shown = SIZE_MAX) const { RunConfigurationCheck(Shown(shown), log); }

private:
    std::vector<TKovParameters> FParameters;
};
