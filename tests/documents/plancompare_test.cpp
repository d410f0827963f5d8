// A device compared with its plan: which values differ, how a value taken from the device lands in
// the plan under the panel's rules, and the log lines a comparison leaves.
#include "documents/framedevstate.h"
#include "documents/messagelist.h"
#include "documents/plancompare.h"
#include "terminal/kovparameters.h"

#include <gtest/gtest.h>

namespace {

TKovParameters Device(const std::string& msn1, const std::string& msn2, const std::string& number1,
                      const std::string& number2, tAciomco mode, tIsdnDChannelProtocol protocol)
{
    TKovParameters p;
    p.SetKovName("Nord");
    p.SetMsnIncoming(0, msn1);
    p.SetMsnIncoming(1, msn2);
    p.SetAutomaticCallNumber(0, number1);
    p.SetAutomaticCallNumber(1, number2);
    p.SetAutomaticCallMode(mode);
    p.SetIsdnDChannelProtocol(protocol);
    return p;
}

// The plan as a panel holds it: values taken into it count only after the panel's state has
// refreshed from them, as after a receive.
struct TPanelPlan {
    TKovParameters Parameters;
    TFrameDevState State;

    explicit TPanelPlan(const TKovParameters& plan) : Parameters(plan)
    {
        State.SetParameters(&Parameters);
        State.SetModified(false);
    }
    void Take(const TKovParameters& device, tDeviceValue value)
    {
        TakeDeviceValue(Parameters, device, value);
        State.UpdateView();
    }
};

}  // namespace

TEST(PlanCompare, RowsNameEveryValueAndMarkTheDifferingOnes)
{
    const TKovParameters plan = Device("100", "101", "200", "-", EAciomcoB1, IsdnDss1);
    const TKovParameters device = Device("100", "", "201", "-", EAciomcoNo, IsdnDss1);
    const std::vector<TValueComparison> rows = ComparePlanWithDevice(plan, device);

    ASSERT_EQ(rows.size(), 6u);
    std::vector<std::string> differing;
    for (const TValueComparison& row : rows)
        if (row.Differs())
            differing.push_back(DeviceValueKey(row.Value) + ": " + row.Plan + " -> " + row.Device);
    EXPECT_EQ(differing, (std::vector<std::string>{"MsnIncoming2: 101 -> ", "AutomaticCallNumber1: 200 -> 201",
                                                   "AutomaticCallMode: 1 -> 3"}));
    EXPECT_EQ(CountDifferences(rows), 3);
    // LWL1 dials in the plan and accepts in the device: the finding leads to LWL1's direction.
    EXPECT_EQ(rows[4].Field, tFindingField::Dial1);
    EXPECT_EQ(rows[4].PlanText, "LWL1 DIAL, LWL2 ACCEPT");
    EXPECT_EQ(rows[5].DeviceText, "DSS1");
}

TEST(PlanCompare, TakenValuesObeyTheLeasedLineAndModeRules)
{
    const TKovParameters dss1 = Device("100", "101", "200", "201", EAciomcoB1B2, IsdnDss1);
    const TKovParameters leased = Device("-", "-", "-", "-", EAciomcoB1, IsdnLeasedLineB1);

    // One value taken: only it changes.
    TPanelPlan one(dss1);
    one.Take(Device("100", "101", "777", "201", EAciomcoNo, IsdnDss1), tDeviceValue::Number1);
    EXPECT_EQ(one.Parameters.GetAutomaticCallNumber(0), "777");
    EXPECT_EQ(one.Parameters.GetAutomaticCallMode(), EAciomcoB1B2);
    EXPECT_EQ(CountDifferences(ComparePlanWithDevice(one.Parameters, dss1)), 1);

    // A leased line taken from the device blanks the numbers and sets the directions.
    TPanelPlan toLeased(dss1);
    toLeased.Take(leased, tDeviceValue::Protocol);
    EXPECT_EQ(toLeased.Parameters.GetIsdnDChannelProtocol(), IsdnLeasedLineB1);
    EXPECT_EQ(toLeased.Parameters.GetMsnIncoming(0), "-");
    EXPECT_EQ(toLeased.Parameters.GetAutomaticCallNumber(1), "-");
    EXPECT_EQ(toLeased.Parameters.GetAutomaticCallMode(), EAciomcoB1);
    EXPECT_EQ(CountDifferences(ComparePlanWithDevice(toLeased.Parameters, leased)), 0);

    // Under a leased line a number or a direction taken alone cannot stay.
    TPanelPlan onLeased(leased);
    onLeased.Take(dss1, tDeviceValue::Msn1);
    onLeased.Take(dss1, tDeviceValue::CallMode);
    EXPECT_EQ(onLeased.Parameters.GetMsnIncoming(0), "-");
    EXPECT_EQ(onLeased.Parameters.GetAutomaticCallMode(), EAciomcoB1);

    // All values taken at once, as a receive takes them, give the device's values, whatever the
    // plan held; taken one by one, a leased line in the plan would blank the numbers first.
    TPanelPlan all(leased);
    all.Parameters.AssignDeviceValues(dss1);
    all.State.UpdateView();
    EXPECT_EQ(CountDifferences(ComparePlanWithDevice(all.Parameters, dss1)), 0);
    EXPECT_EQ(all.Parameters.GetKovName(), "Nord");
}

TEST(PlanCompare, ReportNamesTheDeviceAndLeadsToTheFirstDifference)
{
    const TKovParameters plan = Device("100", "101", "200", "-", EAciomcoB1, IsdnDss1);
    TMessageList log;
    ReportComparison(log, 2, "Nord", ComparePlanWithDevice(plan, plan), true);
    ReportComparison(log, 3, "Süd", ComparePlanWithDevice(plan, Device("100", "9", "200", "-", EAciomcoB1, IsdnLeasedLineB2)), false);
    ReportComparison(log, 4, "Ost", ComparePlanWithDevice(plan, Device("100", "9", "200", "-", EAciomcoB1, IsdnDss1)), true);

    const std::vector<TMessage> expected = {
        {mkInfo, "Nord: stimmt mit dem Plan überein."},
        {mkWarning, "Süd: 2 Parameter weichen vom Plan ab."},
        {mkWarning, "Ost: 1 Parameter weichen vom Plan ab."},
        {mkWarning, "Ost: Eigene Nummer LWL2: Plan \"101\", Gerät \"9\"."},
    };
    EXPECT_EQ(log.Messages(), expected);
    EXPECT_EQ(log.Place(0), (TFindingPlace{2, tFindingField::Name}));
    EXPECT_EQ(log.Place(1), (TFindingPlace{3, tFindingField::Msn2}));
    EXPECT_EQ(log.Place(3), (TFindingPlace{4, tFindingField::Msn2}));
}
