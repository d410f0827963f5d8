// Protects the value checks and the parameters' setters: which values pass, exact messages, what stays stored.
#include "platform/exceptions.h"
#include "terminal/KovDef.h"
#include "terminal/kovparameters.h"
#include "terminal/kovterminal.h"

#include <gtest/gtest.h>

namespace {

template <typename F>
std::string RangeErrorOf(F&& f)
{
    try {
        f();
    } catch (const ERangeError& e) {
        return e.what();
    } catch (const std::exception& e) {
        return std::string("wrong type: ") + e.what();
    }
    return "no error";
}

}  // namespace

TEST(KovDef, IsdnDChannelProtocolAcceptsExactlyTheValidValues)
{
    for (int value = -2; value <= 16; ++value) {
        const bool valid = value == 0 || value == 1 || (value >= 5 && value <= 8) || (value >= 12 && value <= 14);
        if (valid)
            EXPECT_NO_THROW(CheckIsdnDChannelProtocol(value)) << value;
        else
            EXPECT_EQ(RangeErrorOf([&] { CheckIsdnDChannelProtocol(value); }),
                      "CheckIsdnDChannelProtocol: unzulässiger Wert " + std::to_string(value));
    }
}

TEST(KovDef, AutomaticCallModeRefusesAboveThreeAndNegative)
{
    for (int value : {0, 1, 2, 3})
        EXPECT_NO_THROW(CheckAutomaticCallMode(value));
    for (int value : {4, -1, 1000})
        EXPECT_EQ(RangeErrorOf([&] { CheckAutomaticCallMode(value); }),
                  "CheckAutomaticCallMode: unzulässiger Wert " + std::to_string(value));
}

TEST(KovParameters, DefaultsAfterConstructionAndClear)
{
    const TKovTerminal engine;
    EXPECT_EQ(engine.GetComTimeOut(), 0);
    EXPECT_FALSE(engine.GetConnected());
    EXPECT_FALSE(engine.GetConfigMode());

    TKovParameters t;
    EXPECT_EQ(t.GetKovName(), "");
    EXPECT_EQ(t.GetAutomaticCallMode(), EAciomcoB1B2);
    EXPECT_EQ(t.GetIsdnDChannelProtocol(), 0);

    t.SetKovName("Halle");
    t.SetCOMPort(COM3);
    t.SetMsnIncoming(0, "11");
    t.SetMsnIncoming(1, "12");
    t.SetAutomaticCallNumber(0, "21");
    t.SetAutomaticCallNumber(1, "22");
    t.SetAutomaticCallMode(EAciomcoB1);
    t.SetIsdnDChannelProtocol(IsdnLeasedLineB2);
    t.SetComment({"erste Zeile", "zweite"});
    t.Clear();
    EXPECT_EQ(t.GetKovName(), "<TALv>");
    EXPECT_EQ(t.GetCOMPort(), COM1);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(t.GetMsnIncoming(i), "");
        EXPECT_EQ(t.GetAutomaticCallNumber(i), "");
    }
    EXPECT_EQ(t.GetAutomaticCallMode(), EAciomcoNo);
    EXPECT_EQ(t.GetIsdnDChannelProtocol(), IsdnDss1);
    EXPECT_EQ(t.GetComment(), (std::vector<AnsiString>{"erste Zeile", "zweite"}));
}

TEST(KovParameters, NumberIndexOutOfRangeNamesTheOperation)
{
    TKovParameters t;
    EXPECT_EQ(RangeErrorOf([&] { t.SetMsnIncoming(2, "1"); }), "TKovTerminal::SetMsnIncoming: falscher Index 2");
    EXPECT_EQ(RangeErrorOf([&] { t.GetMsnIncoming(-1); }), "TKovTerminal::GetMsnIncoming: falscher Index -1");
    EXPECT_EQ(RangeErrorOf([&] { t.SetAutomaticCallNumber(5, "1"); }),
              "TKovTerminal::SetAutomaticCallNumber: falscher Index 5");
    EXPECT_EQ(RangeErrorOf([&] { t.GetAutomaticCallNumber(2); }),
              "TKovTerminal::GetAutomaticCallNumber: falscher Index 2");
    // The four numbers are distinct slots: incoming and automatic never alias.
    t.SetMsnIncoming(1, "a");
    t.SetAutomaticCallNumber(0, "b");
    EXPECT_EQ(t.GetMsnIncoming(0), "");
    EXPECT_EQ(t.GetMsnIncoming(1), "a");
    EXPECT_EQ(t.GetAutomaticCallNumber(0), "b");
    EXPECT_EQ(t.GetAutomaticCallNumber(1), "");
}

TEST(KovParameters, ValidatingSettersCheckOnlyChangedValuesAndKeepOldOnFailure)
{
    TKovParameters t;
    t.SetIsdnDChannelProtocol(IsdnLeasedLineB1);
    EXPECT_EQ(RangeErrorOf([&] { t.SetIsdnDChannelProtocol(2); }), "CheckIsdnDChannelProtocol: unzulässiger Wert 2");
    EXPECT_EQ(t.GetIsdnDChannelProtocol(), IsdnLeasedLineB1);
    EXPECT_NO_THROW(t.SetIsdnDChannelProtocol(IsdnLeasedLineB1));

    t.SetAutomaticCallMode(EAciomcoB2);
    EXPECT_EQ(RangeErrorOf([&] { t.SetAutomaticCallMode(static_cast<tAciomco>(-1)); }),
              "CheckAutomaticCallMode: unzulässiger Wert -1");
    EXPECT_EQ(t.GetAutomaticCallMode(), EAciomcoB2);
}

TEST(KovTerminal, ComTimeOutRoundsDownToHundredsWithFloor500)
{
    const struct { int in, out; } cases[] = {{1250, 1200}, {499, 500}, {-700, 500}, {0, 500}, {500, 500},
                                             {60000, 60000}, {3099, 3000}};
    for (const auto& c : cases) {
        TKovTerminal t;
        t.SetComTimeOut(c.in);
        EXPECT_EQ(t.GetComTimeOut(), c.out) << c.in;
    }
}
