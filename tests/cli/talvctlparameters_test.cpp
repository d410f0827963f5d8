// Protects the KEY=VALUE parameter form: "receive" output reads back through "send" unchanged.
#include "cli/talvctlparameters.h"
#include "terminal/kovparameters.h"

#include <gtest/gtest.h>

namespace {

TTalvctlParameters Make(AnsiString msn1, AnsiString msn2, tAciomco mode, AnsiString number1,
                        AnsiString number2, tIsdnDChannelProtocol isdn)
{
    TTalvctlParameters p;
    p.MsnIncoming = {std::move(msn1), std::move(msn2)};
    p.AutomaticCallMode = mode;
    p.AutomaticCallNumber = {std::move(number1), std::move(number2)};
    p.IsdnDChannelProtocol = isdn;
    return p;
}

// Boundary values of every field: empty and "no number" texts, blanks and "=" inside a number,
// the lowest and highest mode and protocol.
const TTalvctlParameters Sets[] = {
    Make("", "", EAciomcoB1B2, "", "", IsdnDss1),
    Make("4711", "-", EAciomcoNo, "0301234", "-", IsdnLeasedLineB1),
    Make("47 11", "0=1", EAciomcoB1, " 030 ", "99999999999999999999", IsdnLeasedLineB1B2),
    Make("-", "", EAciomcoB2, "-", "", 5),
};

}  // namespace

TEST(TalvctlParameters, PrintsTheSixKeysInFixedOrder)
{
    EXPECT_EQ(Sets[1].Assignments(),
              (std::vector<std::string>{"MsnIncoming1=4711", "MsnIncoming2=-", "AutomaticCallMode=3",
                                        "AutomaticCallNumber1=0301234", "AutomaticCallNumber2=-",
                                        "IsdnDChannelProtocol=12"}));
}

TEST(TalvctlParameters, ReceiveOutputReadsBackAsSendInput)
{
    for (const auto& set : Sets) {
        SCOPED_TRACE(::testing::PrintToString(set.Assignments()));
        EXPECT_EQ(TTalvctlParameters::FromAssignments(set.Assignments()), set);
    }
}

TEST(TalvctlParameters, ValuesPassThroughADevicesParametersUnchanged)
{
    TKovParameters parameters;
    for (const auto& set : Sets) {
        SCOPED_TRACE(::testing::PrintToString(set.Assignments()));
        set.ApplyTo(parameters);
        EXPECT_EQ(TTalvctlParameters::FromParameters(parameters), set);
    }
}
