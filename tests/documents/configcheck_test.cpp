// Protects the configuration check on hand-picked plans: the exact log, each step's edge cases,
// the order of findings and the stop on an unexpected protocol.
#include "platform/exceptions.h"
#include "platform/resstrings.h"
#include "tests/documents/checkplan.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using TLines = std::vector<std::string>;

struct TCase {
    const char* What;
    std::vector<TPlanDevice> Devices;
    TLines Expected;
    std::size_t Shown = SIZE_MAX;
};

// The lines between the heading `headingId` and the next heading.
TLines StepLines(const TMessageList& log, int headingId)
{
    const std::string heading = LoadStr(headingId);
    TLines lines;
    bool inside = false;
    for (const TMessage& m : log.Messages()) {
        if (m.Kind == mkHeading) {
            if (inside)
                break;
            inside = m.Text == heading;
        } else if (inside) {
            lines.push_back(m.Text);
        }
    }
    return lines;
}

void ExpectStep(int headingId, const std::vector<TCase>& cases)
{
    for (const TCase& c : cases) {
        TMessageList log;
        TPlan(c.Devices).Run(log, c.Shown);
        EXPECT_EQ(StepLines(log, headingId), c.Expected) << c.What;
    }
}

std::string CheckErrorOf(const TPlan& plan, TMessageList& log)
{
    try {
        plan.Run(log);
    } catch (const ERangeError& e) {
        return e.what();
    }
    return "no error";
}

}  // namespace

TEST(ConfigCheck, OneDeviceWithEqualMsnsGivesTheWholeLog)
{
    TMessageList log;
    log.AddMessage(mkInfo, "from an earlier run");
    TPlan({{.Name = "Zentrale", .Msn1 = "100", .Msn2 = "100"}}).Run(log);

    const std::vector<TMessage> expected = {
        {mkHeading, "---- Start der Prüfungen ----"},
        {mkHeading, "Check: Eindeutigkeit aller MSNs prüfen."},
        {mkError, "Zentrale.MSN1 ist identisch mit Zentrale.MSN2."},
        {mkHeading, "Check: eine MSN wird von mehreren Rufern angewählt."},
        {mkHeading, "Check: MSN liegt ausserhalb des Netzwerks."},
        {mkHeading, "Check: beide Stellen sind auf ACCEPT/DIAL eingestellt."},
        {mkHeading, "Check: Standleitung und DSS1 eingestellt."},
        {mkHeading, "---- Ende der Prüfungen ----"},
    };
    EXPECT_EQ(log.Messages(), expected);
    EXPECT_EQ(log.ErrorCount(), 1);
    EXPECT_EQ(log.WarningCount(), 0);
    EXPECT_EQ(log.HeadingCount(), 7);
    EXPECT_EQ(log.InfoCount(), 0);
}

TEST(ConfigCheck, DuplicateMsnsAreReportedPerPairInOrder)
{
    ExpectStep(602, {
        {"MSN1 of the first against MSN2 of the second",
         {{.Name = "A", .Msn1 = "100"}, {.Name = "B", .Msn2 = "100"}},
         {"A.MSN1 ist identisch mit B.MSN2."}},
        {"MSN2 against MSN1 and MSN2 of later devices",
         {{.Name = "A", .Msn2 = "7"}, {.Name = "B", .Msn1 = "7"}, {.Name = "C", .Msn2 = "7"}},
         {"A.MSN2 ist identisch mit B.MSN1.", "A.MSN2 ist identisch mit C.MSN2.",
          "B.MSN1 ist identisch mit C.MSN2."}},
        {"all four comparisons and both own pairs",
         {{.Name = "A", .Msn1 = "1", .Msn2 = "1"}, {.Name = "B", .Msn1 = "1", .Msn2 = "1"}},
         {"A.MSN1 ist identisch mit A.MSN2.", "A.MSN1 ist identisch mit B.MSN1.", "A.MSN1 ist identisch mit B.MSN2.",
          "A.MSN2 ist identisch mit B.MSN1.", "A.MSN2 ist identisch mit B.MSN2.", "B.MSN1 ist identisch mit B.MSN2."}},
        {"the no-number marker never matches",
         {{.Name = "A", .Msn1 = "-", .Msn2 = "-"}, {.Name = "B", .Msn1 = "-", .Msn2 = "-"}}, {}},
        {"empty texts are numbers",
         {{.Name = "A", .Msn1 = ""}, {.Name = "B", .Msn1 = ""}},
         {"A.MSN1 ist identisch mit B.MSN1."}},
        {"texts are compared exactly",
         {{.Name = "A", .Msn1 = "0123", .Msn2 = "abc"}, {.Name = "B", .Msn1 = "123", .Msn2 = "ABC"},
          {.Name = "C", .Msn1 = "123 ", .Msn2 = " abc"}},
         {}},
        {"device names are taken as they are",
         {{.Name = "50%s", .Msn1 = "1"}, {.Name = "%d", .Msn1 = "1"}},
         {"50%s.MSN1 ist identisch mit %d.MSN1."}},
    });
}

TEST(ConfigCheck, ANumberCalledByMoreThanOneLinkIsAnError)
{
    ExpectStep(603, {
        {"two callers of a third device",
         {{.Name = "A", .Number1 = "300"}, {.Name = "B", .Number2 = "300"}, {.Name = "C", .Msn1 = "300"}},
         {"C.MSN1 wird von 2 Rufern angewählt."}},
        {"one caller is fine",
         {{.Name = "A", .Number1 = "300"}, {.Name = "C", .Msn1 = "300"}}, {}},
        {"the own Number2 counts as a caller of the own MSN1",
         {{.Name = "A", .Msn1 = "100", .Number2 = "100"}, {.Name = "B", .Number1 = "100"}},
         {"A.MSN1 wird von 2 Rufern angewählt."}},
        {"MSN1 before MSN2, and both links of one device count",
         {{.Name = "A", .Number1 = "2", .Number2 = "2"}, {.Name = "B", .Number1 = "1", .Number2 = "2"},
          {.Name = "C", .Msn1 = "1", .Msn2 = "2", .Number1 = "1"}},
         {"C.MSN1 wird von 2 Rufern angewählt.", "C.MSN2 wird von 3 Rufern angewählt."}},
        {"unused numbers are no callers",
         {{.Name = "A", .Msn1 = "-"}, {.Name = "B"}, {.Name = "C"}}, {}},
    });
}

TEST(ConfigCheck, PartnerNumbersOutsideTheShownDevicesAreWarnings)
{
    ExpectStep(604, {
        {"unknown number", {{.Name = "A", .Msn1 = "100", .Number1 = "555"}},
         {"A.Number 1 (555) liegt ausserhalb des Netzwerks."}},
        {"Number1 before Number2",
         {{.Name = "A", .Number1 = "1", .Number2 = "2"}},
         {"A.Number 1 (1) liegt ausserhalb des Netzwerks.", "A.Number 2 (2) liegt ausserhalb des Netzwerks."}},
        {"empty number without an empty MSN", {{.Name = "A", .Msn1 = "1", .Number2 = ""}},
         {"A.Number 2 () liegt ausserhalb des Netzwerks."}},
        {"empty number with an empty MSN", {{.Name = "A", .Number2 = ""}, {.Name = "B", .Msn2 = ""}}, {}},
        {"unused number", {{.Name = "A", .Number1 = "-", .Number2 = "-"}}, {}},
        {"the own MSN is inside", {{.Name = "A", .Msn2 = "100", .Number1 = "100"}}, {}},
        {"a device that is not shown is outside",
         {{.Name = "A", .Number1 = "9"}, {.Name = "B"}, {.Name = "C", .Msn1 = "9"}},
         {"A.Number 1 (9) liegt ausserhalb des Netzwerks."}, 2},
    });
}

TEST(ConfigCheck, BothEndsDiallingOrBothAcceptingAreErrors)
{
    ExpectStep(605, {
        {"both dial",
         {{.Name = "A", .Msn1 = "1", .Mode = EAciomcoB1B2}, {.Name = "B", .Number1 = "1", .Mode = EAciomcoB1}},
         {"A.MSN1 und Anrufer B.Number1 sind beide auf \"DIAL\" eingestellt."}},
        {"both accept",
         {{.Name = "A", .Msn1 = "1", .Mode = EAciomcoNo}, {.Name = "B", .Number1 = "1", .Mode = EAciomcoB2}},
         {"A.MSN1 und Anrufer B.Number1 sind beide auf \"ACCEPT\" eingestellt."}},
        {"one dials, one accepts",
         {{.Name = "A", .Msn1 = "1", .Mode = EAciomcoB1}, {.Name = "B", .Number1 = "1", .Mode = EAciomcoB2}}, {}},
        {"MSN2 against Number2, the caller shown first",
         {{.Name = "B", .Number2 = "2", .Mode = EAciomcoB1}, {.Name = "A", .Msn2 = "2", .Mode = EAciomcoB1}},
         {"A.MSN2 und Anrufer B.Number2 sind beide auf \"ACCEPT\" eingestellt."}},
        {"own Number2 calls own MSN1",
         {{.Name = "A", .Msn1 = "1", .Number2 = "1", .Mode = EAciomcoB1B2}},
         {"A.MSN1 und Anrufer A.Number2 sind beide auf \"DIAL\" eingestellt."}},
        {"own Number1 calls own MSN2",
         {{.Name = "A", .Msn2 = "1", .Number1 = "1", .Mode = EAciomcoNo}},
         {"A.MSN2 und Anrufer A.Number1 sind beide auf \"ACCEPT\" eingestellt."}},
        {"a link calling its own number is no connection",
         {{.Name = "A", .Msn1 = "1", .Msn2 = "2", .Number1 = "1", .Number2 = "2", .Mode = EAciomcoB1B2}}, {}},
        {"unused numbers are never connected",
         {{.Name = "A", .Mode = EAciomcoB1B2}, {.Name = "B", .Mode = EAciomcoB1B2}}, {}},
        {"order: called device, then caller, then links",
         {{.Name = "A", .Msn1 = "1", .Msn2 = "2", .Mode = EAciomcoNo},
          {.Name = "B", .Number1 = "2", .Number2 = "1", .Mode = EAciomcoNo},
          {.Name = "C", .Number1 = "1", .Mode = EAciomcoNo}},
         {"A.MSN1 und Anrufer B.Number2 sind beide auf \"ACCEPT\" eingestellt.",
          "A.MSN2 und Anrufer B.Number1 sind beide auf \"ACCEPT\" eingestellt.",
          "A.MSN1 und Anrufer C.Number1 sind beide auf \"ACCEPT\" eingestellt."}},
    });
}

TEST(ConfigCheck, Dss1FacingALeasedLineIsAWarning)
{
    ExpectStep(606, {
        {"DSS1 first", {{.Name = "A", .Protocol = IsdnDss1}, {.Name = "B", .Protocol = IsdnLeasedLineB2}},
         {"A ist auf \"DSS1\" und B ist auf \"Standleitung\" eingestellt."}},
        {"leased line first", {{.Name = "A", .Protocol = IsdnLeasedLineB1}, {.Name = "B", .Protocol = IsdnDss1}},
         {"A ist auf \"Standleitung\" und B ist auf \"DSS1\" eingestellt."}},
        {"two leased lines", {{.Name = "A", .Protocol = IsdnLeasedLineB1}, {.Name = "B", .Protocol = IsdnLeasedLineB1B2}}, {}},
        {"two DSS1", {{.Name = "A"}, {.Name = "B"}}, {}},
        {"DSS1 against any other protocol", {{.Name = "A"}, {.Name = "B", .Protocol = 6}},
         {"A ist auf \"DSS1\" und B ist auf \"Standleitung\" eingestellt."}},
        {"every later device",
         {{.Name = "A"}, {.Name = "B", .Protocol = IsdnLeasedLineB1}, {.Name = "C"}},
         {"A ist auf \"DSS1\" und B ist auf \"Standleitung\" eingestellt.",
          "B ist auf \"Standleitung\" und C ist auf \"DSS1\" eingestellt."}},
    });

    TMessageList log;
    TPlan({{.Name = "A"}, {.Name = "B", .Protocol = IsdnLeasedLineB1}, {.Name = "C"}}).Run(log);
    EXPECT_EQ(log.WarningCount(), 2);
    EXPECT_EQ(log.ErrorCount(), 0);
}

TEST(ConfigCheck, AnUnexpectedProtocolStopsTheCheckWhenALaterDeviceFollows)
{
    // Findings of every earlier step are written, then the check stops at the pair.
    TPlan firstOfTwo({{.Name = "A", .Msn1 = "1", .Number1 = "555", .Protocol = 5}, {.Name = "B", .Msn1 = "1"}});
    TMessageList log;
    EXPECT_EQ(CheckErrorOf(firstOfTwo, log), "TFrmMainWin::ActCheckExecute: falsches IsdnDChannelProtocol 5");
    const std::vector<TMessage> tail = {
        {mkHeading, "Check: eine MSN wird von mehreren Rufern angewählt."},
        {mkHeading, "Check: MSN liegt ausserhalb des Netzwerks."},
        {mkWarning, "A.Number 1 (555) liegt ausserhalb des Netzwerks."},
        {mkHeading, "Check: beide Stellen sind auf ACCEPT/DIAL eingestellt."},
        {mkHeading, "Check: Standleitung und DSS1 eingestellt."},
    };
    ASSERT_EQ(log.Messages().size(), 8u);
    EXPECT_EQ(log.Messages()[2], (TMessage{mkError, "A.MSN1 ist identisch mit B.MSN1."}));
    EXPECT_TRUE(std::equal(tail.begin(), tail.end(), log.Messages().end() - tail.size()));

    // Pairs of earlier devices are checked before the stop.
    TPlan middle({{.Name = "A"}, {.Name = "B", .Protocol = 7}, {.Name = "C"}});
    EXPECT_EQ(CheckErrorOf(middle, log), "TFrmMainWin::ActCheckExecute: falsches IsdnDChannelProtocol 7");
    EXPECT_EQ(log.Messages().back().Text, "A ist auf \"DSS1\" und B ist auf \"Standleitung\" eingestellt.");

    // Without a later device there is no pair and nothing to stop.
    for (const auto& devices : {std::vector<TPlanDevice>{{.Name = "A", .Protocol = 5}},
                                std::vector<TPlanDevice>{{.Name = "A", .Protocol = 14}, {.Name = "B", .Protocol = 5}}}) {
        EXPECT_EQ(CheckErrorOf(TPlan(devices), log), "no error");
        EXPECT_EQ(log.Messages().back().Text, "---- Ende der Prüfungen ----");
    }
}

TEST(ConfigCheck, RunsAreIndependent)
{
    const TPlan plan({{.Name = "A", .Msn1 = "1", .Number1 = "1", .Number2 = "x", .Mode = EAciomcoB1B2},
                      {.Name = "B", .Msn1 = "1", .Msn2 = "x", .Number1 = "1", .Protocol = IsdnLeasedLineB1}});
    TMessageList first;
    TMessageList second;
    plan.Run(first);
    plan.Run(second);
    plan.Run(second);
    EXPECT_EQ(second.Messages(), first.Messages());
    EXPECT_EQ(second.ErrorCount(), first.ErrorCount());
    EXPECT_EQ(second.WarningCount(), first.WarningCount());
    EXPECT_GT(first.ErrorCount(), 0);

    // A gap in the list of devices is a programming error; the log is left alone.
    std::vector<TCheckDevice> devices = plan.Shown(2);
    devices.insert(devices.begin() + 1, TCheckDevice{});
    EXPECT_THROW(RunConfigurationCheck(devices, second), ERangeError);
    EXPECT_EQ(second.Messages(), first.Messages());
}

// Each finding leads to the device and field the user has to change: the later device of a
// duplicate pair, the called device of an MSN called several times, the device with the outside
// number, the caller's direction, the later device of a protocol mismatch. Headings lead nowhere.
TEST(ConfigCheck, EachFindingLeadsToItsDeviceAndField)
{
    using F = tFindingField;
    const struct {
        const char* What;
        std::vector<TPlanDevice> Devices;
        TFindingPlace Place;
    } cases[] = {
        {"own MSNs equal", {{.Name = "A", .Msn1 = "1", .Msn2 = "1"}}, {0, F::Msn2}},
        {"MSN1 twice", {{.Name = "A", .Msn1 = "1"}, {.Name = "B", .Msn1 = "1"}}, {1, F::Msn1}},
        {"MSN1 as MSN2", {{.Name = "A", .Msn1 = "1"}, {.Name = "B", .Msn2 = "1"}}, {1, F::Msn2}},
        {"MSN2 as MSN1", {{.Name = "A", .Msn2 = "1"}, {.Name = "B", .Msn1 = "1"}}, {1, F::Msn1}},
        {"MSN2 twice", {{.Name = "A", .Msn2 = "1"}, {.Name = "B", .Msn2 = "1"}}, {1, F::Msn2}},
        {"two callers of MSN2",
         {{.Name = "A", .Number1 = "5"}, {.Name = "B", .Msn2 = "5", .Number1 = "5", .Mode = EAciomcoB2}},
         {1, F::Msn2}},
        {"outside number 2", {{.Name = "A", .Msn1 = "1"}, {.Name = "B", .Number2 = "9"}}, {1, F::Number2}},
        {"both dial", {{.Name = "A", .Msn1 = "1", .Mode = EAciomcoB1B2}, {.Name = "B", .Number2 = "1", .Mode = EAciomcoB1B2}},
         {1, F::Dial2}},
        {"both accept", {{.Name = "A", .Msn2 = "1"}, {.Name = "B", .Number1 = "1"}}, {1, F::Dial1}},
        {"DSS1 before leased line", {{.Name = "A"}, {.Name = "B", .Protocol = IsdnLeasedLineB2}}, {1, F::Protocol}},
    };
    for (const auto& c : cases) {
        TMessageList log;
        TPlan(c.Devices).Run(log);
        std::vector<TFindingPlace> findings;
        for (std::size_t i = 0; i < log.Messages().size(); ++i) {
            const bool heading = log.Messages()[i].Kind == mkHeading;
            EXPECT_EQ(log.Place(i).Leads(), !heading) << c.What << ": " << log.Messages()[i].Text;
            if (!heading)
                findings.push_back(log.Place(i));
        }
        EXPECT_EQ(findings, std::vector<TFindingPlace>{c.Place}) << c.What;
    }
}
