// Protects the network model of a plan: which lines a partner number links, in which direction,
// what is flagged, where outside partners and leased lines appear, and which parts a check marks.
#include "documents/networkmarks.h"
#include "documents/networkplan.h"
#include "platform/exceptions.h"
#include "tests/documents/checkplan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

using TLines = std::vector<std::string>;

std::string EndText(const TNetworkPlan& plan, const TLinkEnd& end)
{
    if (end.IsOutside())
        return "[" + plan.Outside.at(static_cast<std::size_t>(end.Outside)).Label + "]";
    return std::to_string(end.Line.Device + 1) + "." + std::to_string(end.Line.Line + 1);
}

// "1.1->2.1" a directed link, "--" one without direction, "!" flagged, "~B1" leased on B1.
std::string LinkText(const TNetworkPlan& plan, const TNetworkLink& link)
{
    return EndText(plan, link.Tail) + (link.Directed ? "->" : "--") + EndText(plan, link.Head) +
           (link.Flagged ? "!" : "") + (link.Leased ? "~" + link.Label : "");
}

TLines LinkTexts(const TNetworkPlan& plan)
{
    TLines lines;
    for (const TNetworkLink& link : plan.Links)
        lines.push_back(LinkText(plan, link));
    std::sort(lines.begin(), lines.end());
    return lines;
}

TNetworkPlan PlanOf(const TPlan& plan)
{
    return BuildNetworkPlan(plan.Shown(SIZE_MAX));
}

struct TLinkCase {
    const char* What;
    std::vector<TPlanDevice> Devices;
    TLines Expected;
};

TEST(NetworkPlan, LinksFollowPartnerNumbers)
{
    const std::vector<TLinkCase> cases = {
        {"caller dials", {{"A", "11", "-", "21", "-", EAciomcoB1}, {"B", "21"}}, {"1.1->2.1"}},
        {"caller accepts", {{"A", "11", "-", "21"}, {"B", "21", "-", "-", "-", EAciomcoB1}}, {"2.1->1.1"}},
        {"both dial", {{"A", "11", "-", "21", "-", EAciomcoB1}, {"B", "21", "-", "-", "-", EAciomcoB1}}, {"1.1--2.1!"}},
        {"both accept", {{"A", "11", "-", "21"}, {"B", "21"}}, {"1.1--2.1!"}},
        {"mutual calls are one link", {{"A", "11", "-", "22", "-", EAciomcoB1}, {"B", "-", "22", "-", "11"}}, {"1.1->2.2"}},
        {"the device's other line", {{"A", "11", "12", "12", "-", EAciomcoB1}}, {"1.1->1.2"}},
        {"a line calling its own number", {{"A", "11", "-", "11", "-", EAciomcoB1}}, {}},
        {"a number owned twice", {{"A", "-", "-", "30", "-", EAciomcoB1}, {"B", "30"}, {"C", "-", "30"}},
         {"1.1->2.1!", "1.1->3.2!"}},
        {"a number owned by the caller too", {{"A", "30", "-", "30", "-", EAciomcoB1}, {"B", "30"}}, {"1.1->2.1!"}},
        {"one outside node per number",
         {{"A", "-", "-", "99", "99", EAciomcoB1}, {"B", "-", "-", "99", "98", EAciomcoB2}},
         {"1.1->[99]", "2.2->[98]", "[99]->1.2", "[99]->2.1"}},
        {"\"-\" matches nothing", {{"A", "-", "-", "-", "-", EAciomcoB1B2}, {"B", "-", "-", "-", "-"}}, {}},
        {"the empty text is a number", {{"A", "", "-", "-", "", EAciomcoB2}}, {"1.2->1.1"}},
        {"leased lines without numbers",
         {{"A", "-", "-", "-", "-", EAciomcoNo, IsdnLeasedLineB1}, {"B", "-", "-", "-", "-", EAciomcoNo, IsdnLeasedLineB1B2}},
         {"1.1--2.1~B1", "2.2--[B1+B2]~B1+B2"}},
        {"three ends of leased lines are not paired",
         {{"A", "-", "-", "-", "-", EAciomcoNo, IsdnLeasedLineB1},
          {"B", "-", "-", "-", "-", EAciomcoNo, IsdnLeasedLineB2},
          {"C", "-", "-", "-", "-", EAciomcoNo, IsdnLeasedLineB2}},
         {"1.1--[B1]~B1", "2.2--[B2]~B2", "3.2--[B2]~B2"}},
        {"a leased line with numbers",
         {{"A", "11", "-", "21", "-", EAciomcoB1, IsdnLeasedLineB1B2}, {"B", "21"}},
         {"1.1->2.1~B1+B2", "1.2--[B1+B2]~B1+B2"}},
    };
    for (const TLinkCase& c : cases)
        EXPECT_EQ(LinkTexts(PlanOf(TPlan(c.Devices))), c.Expected) << c.What;

    const TPlan twice(std::vector<TPlanDevice>{{"A", "-", "-", "99", "99", EAciomcoB1}, {"B", "-", "-", "99"}});
    EXPECT_EQ(PlanOf(twice).Outside.size(), 1u);
}

TEST(NetworkPlan, NodesCarryWhatTheBoxShows)
{
    TKovParameters parameters;
    parameters.SetKovName("Nord");
    parameters.SetCOMPort(COM3);
    parameters.SetMsnIncoming(0, "111");
    parameters.SetMsnIncoming(1, "112");
    parameters.SetIsdnDChannelProtocol(IsdnLeasedLineB2);
    const TNetworkPlan plan = BuildNetworkPlan({CheckDeviceFromCallMode(parameters)});
    ASSERT_EQ(plan.Nodes.size(), 1u);
    const TNetworkNode& node = plan.Nodes[0];
    EXPECT_EQ(node.Name, "Nord");
    EXPECT_EQ(node.Port, "COM3");
    EXPECT_EQ(node.Msn, (std::array<std::string, 2>{"111", "112"}));
    EXPECT_EQ(node.Protocol, IsdnLeasedLineB2);
    EXPECT_THROW(BuildNetworkPlan({TCheckDevice{}}), ERangeError);
}

TEST(NetworkPlan, CheckFindingsMarkNodesAndLinks)
{
    // A and B both dial each other (error at A's DIAL), A's LWL2 dials a number outside (warning),
    // C repeats A's own number (error at C), D is on a leased line among DSS1 devices (warning).
    const TPlan plan({{"A", "11", "-", "21", "77", EAciomcoB1B2},
                      {"B", "21", "-", "-", "-", EAciomcoB1B2},
                      {"C", "11"},
                      {"D", "-", "-", "-", "-", EAciomcoNo, IsdnLeasedLineB1}});
    TMessageList log;
    plan.Run(log);
    const TNetworkPlan network = PlanOf(plan);
    const TNetworkMarks marks = NetworkMarksFromCheck(network, log);

    EXPECT_EQ(marks.Nodes, (std::vector<tNetworkMark>{tNetworkMark::None, tNetworkMark::None, tNetworkMark::Error,
                                                      tNetworkMark::Warning}));
    std::map<std::string, tNetworkMark> byLink;
    ASSERT_EQ(marks.Links.size(), network.Links.size());
    for (std::size_t i = 0; i < network.Links.size(); ++i)
        byLink[LinkText(network, network.Links[i])] = marks.Links[i];
    const std::map<std::string, tNetworkMark> expected = {
        {"1.1--2.1!", tNetworkMark::Error}, {"1.2->[77]", tNetworkMark::Warning}, {"4.1--[B1]~B1", tNetworkMark::None}};
    EXPECT_EQ(byLink, expected);
}

}  // namespace
