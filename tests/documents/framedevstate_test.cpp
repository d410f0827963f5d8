// Protects the panel rules that documents and the desktop panel share: DSS1 values hidden and
// restored around a leased line, the call mode following the DIAL buttons, clearing.
#include "documents/framedevstate.h"
#include "platform/exceptions.h"
#include "terminal/kovparameters.h"

#include <gtest/gtest.h>

namespace {

struct TPanel : ::testing::Test {
    TKovParameters T;
    TFrameDevState P;

    void SetUp() override
    {
        T.SetMsnIncoming(0, "301");
        T.SetMsnIncoming(1, "302");
        T.SetAutomaticCallNumber(0, "401");
        T.SetAutomaticCallNumber(1, "402");
        T.SetAutomaticCallMode(EAciomcoB2);
        P.SetParameters(&T);
    }
};

}  // namespace

TEST_F(TPanel, LeasedLineHidesTheDss1ValuesAndDss1BringsThemBack)
{
    EXPECT_FALSE(P.Dial(0));
    EXPECT_TRUE(P.Dial(1));
    P.SetModified(false);

    P.ProtocolChange(2);  // Standleitung B2
    EXPECT_EQ(T.GetIsdnDChannelProtocol(), IsdnLeasedLineB2);
    EXPECT_EQ(P.Msn(0), "<disabled>");
    EXPECT_EQ(P.Msn(1), "Standleitung B2");
    EXPECT_EQ(P.Number(1), "Standleitung B2");
    EXPECT_FALSE(P.NumbersEnabled());
    for (int line = 0; line < 2; ++line) {
        EXPECT_EQ(T.GetMsnIncoming(line), "-");
        EXPECT_EQ(T.GetAutomaticCallNumber(line), "-");
    }
    EXPECT_EQ(T.GetAutomaticCallMode(), EAciomcoB2);
    EXPECT_TRUE(P.Modified());

    P.ProtocolChange(3);  // B1+B2: both dial
    EXPECT_EQ(T.GetAutomaticCallMode(), EAciomcoB1B2);

    P.ProtocolChange(0);
    EXPECT_TRUE(P.NumbersEnabled());
    EXPECT_EQ(T.GetIsdnDChannelProtocol(), IsdnDss1);
    EXPECT_EQ(T.GetMsnIncoming(0), "301");
    EXPECT_EQ(T.GetMsnIncoming(1), "302");
    EXPECT_EQ(T.GetAutomaticCallNumber(0), "401");
    EXPECT_EQ(T.GetAutomaticCallNumber(1), "402");
    EXPECT_EQ(P.Msn(0), "301");
    EXPECT_EQ(T.GetAutomaticCallMode(), EAciomcoB2);
}

TEST_F(TPanel, ClearingResetsEverythingButTheSavedDss1Values)
{
    P.ProtocolChange(1);
    P.Memo() = {"x"};
    P.Clear();
    EXPECT_FALSE(P.Modified());
    EXPECT_TRUE(P.Memo().empty());
    EXPECT_EQ(P.ComPortIndex(), 0);
    EXPECT_EQ(T.GetKovName(), "<TALv>");
    EXPECT_EQ(T.GetIsdnDChannelProtocol(), IsdnDss1);
    // Clearing went through the protocol logic with the DSS1 values saved before the leased line.
    EXPECT_TRUE(P.Dial(0));
    EXPECT_TRUE(P.Dial(1));
    EXPECT_EQ(P.Msn(0), "");
}

TEST_F(TPanel, ValuesThePanelCannotShowAreRangeErrors)
{
    T.SetIsdnDChannelProtocol(5);
    T.SetKovName("neu");
    try {
        P.UpdateView();
        FAIL();
    } catch (const ERangeError& e) {
        EXPECT_STREQ(e.what(), "TFrameDev::UpdateView: falsches IsdnDChannelProtocol 5");
    }
    EXPECT_EQ(P.Name(), "neu");  // the steps before the protocol took effect

    try {
        P.ProtocolChange(4);
        FAIL();
    } catch (const ERangeError& e) {
        EXPECT_STREQ(e.what(),
                     "TFrameDev::UpdateViewByIsdnChannelProtocoll: falscher Index bei "
                     "CmbBxIsdnDChannelProtocol->ItemIndex 4");
    }
}

TEST_F(TPanel, DialButtonsDriveTheCallModeOnlyWhenTheyChange)
{
    const struct { bool dial1, dial2; tAciomco mode; } cases[] = {
        {true, true, EAciomcoB1B2}, {true, false, EAciomcoB1}, {false, true, EAciomcoB2}, {false, false, EAciomcoNo}};
    for (const auto& c : cases) {
        P.DialClick(0, c.dial1);
        P.DialClick(1, c.dial2);
        EXPECT_EQ(T.GetAutomaticCallMode(), c.mode);
    }
    P.SetModified(false);
    P.DialClick(0, false);  // already so: no click
    EXPECT_FALSE(P.Modified());
}

TEST(FrameDevStateEdits, OwnNumbersAreDigitsADashOrNothing)
{
    const struct { const char* text; bool accepted; } cases[] = {
        {"", true}, {"-", true}, {"<disabled>", true}, {"0049", true}, {"0", true},
        {"9223372036854775807", true},              // the largest signed 64-bit value
        {"000000000000000000000000001", true},      // long, but small in value
        {"9223372036854775808", false}, {"12345678901234567890", false},
        {"-5", false}, {"-0", false}, {"--", false}, {"+1", false}, {" 1", false}, {"1 2", false},
        {"12a", false}, {"0x1F", false}, {"<DISABLED>", false}};
    for (const auto& c : cases)
        EXPECT_EQ(TFrameDevState::IsAcceptedMsn(c.text), c.accepted) << c.text;
}

TEST_F(TPanel, RefusedOwnNumberKeepsTheParametersButCountsAsAnEdit)
{
    P.SetModified(false);
    EXPECT_FALSE(P.MsnChange(0, "30x"));
    EXPECT_EQ(T.GetMsnIncoming(0), "301");
    EXPECT_EQ(P.Msn(0), "301");
    EXPECT_TRUE(P.Modified());

    EXPECT_TRUE(P.MsnChange(1, "<disabled>"));
    EXPECT_EQ(T.GetMsnIncoming(1), "-");
    EXPECT_TRUE(P.MsnChange(1, ""));
    EXPECT_EQ(T.GetMsnIncoming(1), "");

    TFrameDevState unbound;
    EXPECT_TRUE(unbound.MsnChange(0, "x"));
    EXPECT_FALSE(unbound.Modified());
}

TEST_F(TPanel, PartnerNumbersAreAnyTextAndALeasedLineStoresNone)
{
    P.SetModified(false);
    P.NumberChange(1, "");
    EXPECT_EQ(T.GetAutomaticCallNumber(1), "");
    P.NumberChange(0, "beliebig 1");
    EXPECT_EQ(T.GetAutomaticCallNumber(0), "beliebig 1");
    EXPECT_TRUE(P.Modified());

    P.ProtocolChange(3);
    P.SetModified(false);
    P.NumberChange(0, "555");
    EXPECT_EQ(T.GetAutomaticCallNumber(0), "-");
    EXPECT_FALSE(P.Modified());
}

TEST(FrameDevStateEdits, PartnerListOffersEveryShownNumberButTheLinesOwn)
{
    // Devices (11, 12), (21, -), (31, empty); a fourth device is not shown.
    TKovParameters parameters[4];
    TFrameDevState panels[4];
    const char* msns[4][2] = {{"11", "12"}, {"21", "-"}, {"31", ""}, {"41", "42"}};
    for (int i = 0; i < 4; ++i) {
        parameters[i].SetMsnIncoming(0, msns[i][0]);
        parameters[i].SetMsnIncoming(1, msns[i][1]);
        panels[i].SetParameters(&parameters[i]);
    }
    const std::vector<const TFrameDevState*> shown = {&panels[0], &panels[1], &panels[2]};
    using TList = std::vector<std::string>;
    EXPECT_EQ(TFrameDevState::PartnerNumbers(shown, &panels[1], 0), (TList{"11", "12", "-", "31"}));
    EXPECT_EQ(TFrameDevState::PartnerNumbers(shown, &panels[1], 1), (TList{"11", "12", "21", "31"}));
    EXPECT_EQ(TFrameDevState::PartnerNumbers(shown, &panels[0], 0), (TList{"12", "21", "-", "31"}));

    parameters[2].SetMsnIncoming(0, "11");  // the same number twice is listed twice
    EXPECT_EQ(TFrameDevState::PartnerNumbers(shown, &panels[1], 1), (TList{"11", "12", "21", "11"}));
}

TEST_F(TPanel, PortNameAndCommentEdits)
{
    P.SetModified(false);
    P.ComPortChange(3);
    EXPECT_EQ(T.GetCOMPort(), COM4);
    EXPECT_EQ(P.ComPortIndex(), 3);
    EXPECT_TRUE(P.Modified());
    try {
        P.ComPortChange(4);
        FAIL();
    } catch (const ERangeError& e) {
        EXPECT_STREQ(e.what(), "TFrameDev::CmbBxComPortChange: falscher Index 4");
    }

    const std::string name = T.GetKovName();
    P.SetModified(false);
    P.NameChange(name);  // confirmed unchanged: still an edit
    EXPECT_TRUE(P.Modified());
    P.NameChange("");
    EXPECT_EQ(P.Name(), "");
    EXPECT_EQ(T.GetKovName(), "");

    P.SetModified(false);
    EXPECT_TRUE(P.MemoChange({"eins", ""}));
    EXPECT_TRUE(P.Modified());
    P.SetModified(false);
    EXPECT_FALSE(P.MemoChange({"eins", ""}));
    EXPECT_FALSE(P.Modified());
}
