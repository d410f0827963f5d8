// Protects the simulated device's start values: a device of a plan answers with the plan's
// values, a setting changes just its one value, and a bad plan or setting is refused.

#include "sim/simcommands.h"
#include "sim/simplan.h"
#include "tests/tempdir.h"

#include "platform/exceptions.h"

#include <gtest/gtest.h>

namespace {

// Device 2 holds values other than the factory's in every field, its MSN 1 with a blank.
const std::string Plan =
    "[Device1]\r\nKOVName=Erstes\r\nMsnIncoming1=111\r\n\r\n"
    "[Device2]\r\nKOVName=Zweites\r\nMsnIncoming1=21 01\r\nMsnIncoming2=-\r\n"
    "AutomaticCallMode=1\r\nAutomaticCallNumber1=1102\r\nAutomaticCallNumber2=3101\r\n"
    "IsdnDChannelProtocol=12\r\nCOMPort=2\r\n\r\n"
    "[Device3]\r\nAutomaticCallMode=7\r\n\r\n"
    "[Device4]\r\nIsdnDChannelProtocol=4\r\n";

// The device's answers to the six queries, in the order of the plan's keys.
std::vector<std::string> Answers(const TSimParameters& parameters)
{
    TSimCommands commands;
    commands.SetCurrent(parameters);
    std::vector<std::string> answers;
    for (const char* query : {"vmoddi/1.msni", "vmoddi/2.msni", "aciomco", "aciomcatab1",
                              "aciomcatab2", "isdn"}) {
        const TSimCommandResult result = commands.Execute(query);
        answers.push_back(result.Output.size() == 1 ? result.Output.front() : "?");
    }
    return answers;
}

}  // namespace

TEST(SimPlan, DeviceOfAPlanAnswersWithThePlansValuesAndASettingChangesOne)
{
    TTempDir dir;
    dir.Write("plan.kov", Plan);
    TSimParameters parameters = SimPlanDevice(dir.File("plan.kov"), 2);
    EXPECT_EQ(Answers(parameters), (std::vector<std::string>{
                                       "21 01", "-", "1", "1102", "3101", "12-Standleitung B1"}));

    SimApplySetting(parameters, "AutomaticCallNumber2=3999");
    SimApplySetting(parameters, "IsdnDChannelProtocol=0");
    EXPECT_EQ(Answers(parameters), (std::vector<std::string>{
                                       "21 01", "-", "1", "1102", "3999", "0-DSS1"}));

    // Keys the section lacks take the desktop program's defaults.
    EXPECT_EQ(Answers(SimPlanDevice(dir.File("plan.kov"), 1)),
              (std::vector<std::string>{"111", "*", "3", "", "", "0-DSS1"}));
}

TEST(SimPlan, BadPlansAndSettingsAreRefused)
{
    TTempDir dir;
    dir.Write("plan.kov", Plan);
    struct TPlanCase {
        std::string File;
        int Device;
        std::string Message;  // contained in the error
    };
    const std::vector<TPlanCase> plans = {
        {dir.File("missing.kov"), 1, "cannot read the plan"},
        {dir.Path(), 1, "cannot read the plan"},
        {dir.File("plan.kov"), 5, "has no section [Device5]"},
        {dir.File("plan.kov"), 3, "[Device3]: CheckAutomaticCallMode"},
        {dir.File("plan.kov"), 4, "[Device4]: CheckIsdnDChannelProtocol"},
        {dir.File("plan.kov"), 7, "devices 1..6"},
    };
    for (const TPlanCase& c : plans) {
        SCOPED_TRACE(c.File + " " + std::to_string(c.Device));
        try {
            SimPlanDevice(c.File, c.Device);
            ADD_FAILURE() << "no error";
        } catch (const Exception& error) {
            EXPECT_NE(std::string(error.what()).find(c.Message), std::string::npos) << error.what();
        }
    }

    const TSimParameters before = SimPlanDevice(dir.File("plan.kov"), 2);
    for (const char* setting : {"AutomaticCallNumber2", "Msn1=5", "msnincoming1=5", "=5",
                                "AutomaticCallMode=4", "AutomaticCallMode=", "AutomaticCallMode=+1",
                                "IsdnDChannelProtocol=2", "IsdnDChannelProtocol=DSS1",
                                "MsnIncoming1=1\r2"}) {
        SCOPED_TRACE(setting);
        TSimParameters parameters = before;
        EXPECT_THROW(SimApplySetting(parameters, setting), Exception);
        EXPECT_EQ(parameters, before);
    }
}
