#include "documents/plancompare.h"

#include "documents/framedevstate.h"
#include "documents/msgkind.h"
#include "platform/resstrings.h"
#include "terminal/kovparameters.h"

#include <algorithm>

namespace {

constexpr int LabelIds = 640;
constexpr int DirectionsId = 646;
constexpr int AgreesId = 647;
constexpr int DiffersId = 648;
constexpr int DifferenceId = 649;

bool DialsOn(tAciomco mode, int link)
{
    return mode == EAciomcoB1B2 || mode == (link == 0 ? EAciomcoB1 : EAciomcoB2);
}

std::string FileText(tDeviceValue value, const TKovParameters& p)
{
    switch (value) {
    case tDeviceValue::Msn1:
        return p.GetMsnIncoming(0);
    case tDeviceValue::Msn2:
        return p.GetMsnIncoming(1);
    case tDeviceValue::Number1:
        return p.GetAutomaticCallNumber(0);
    case tDeviceValue::Number2:
        return p.GetAutomaticCallNumber(1);
    case tDeviceValue::CallMode:
        return std::to_string(p.GetAutomaticCallMode());
    case tDeviceValue::Protocol:
        return std::to_string(p.GetIsdnDChannelProtocol());
    }
    return {};
}

// The field that shows a value; the mode shows in both DIAL/ACCEPT pairs, LWL1's first.
tFindingField FieldFor(tDeviceValue value)
{
    constexpr tFindingField Fields[DeviceValueCount] = {tFindingField::Msn1,    tFindingField::Msn2,
                                                        tFindingField::Number1, tFindingField::Number2,
                                                        tFindingField::Dial1,   tFindingField::Protocol};
    return Fields[static_cast<int>(value)];
}

// Where a difference leads: for the mode, the first link whose direction differs.
tFindingField FieldOf(tDeviceValue value, const TKovParameters& plan, const TKovParameters& device)
{
    if (value == tDeviceValue::CallMode &&
        DialsOn(plan.GetAutomaticCallMode(), 0) == DialsOn(device.GetAutomaticCallMode(), 0))
        return tFindingField::Dial2;
    return FieldFor(value);
}

}  // namespace

std::vector<TValueComparison> ComparePlanWithDevice(const TKovParameters& plan, const TKovParameters& device)
{
    std::vector<TValueComparison> rows;
    for (int i = 0; i < DeviceValueCount; ++i) {
        const auto value = static_cast<tDeviceValue>(i);
        rows.push_back({value, FileText(value, plan), FileText(value, device), DeviceValueText(value, plan),
                        DeviceValueText(value, device), FieldOf(value, plan, device)});
    }
    return rows;
}

int CountDifferences(const std::vector<TValueComparison>& rows)
{
    return static_cast<int>(std::count_if(rows.begin(), rows.end(), [](const auto& row) { return row.Differs(); }));
}

std::string DeviceValueKey(tDeviceValue value)
{
    return FindingFieldKey(FieldFor(value));
}

std::string DeviceValueLabel(tDeviceValue value)
{
    return LoadStr(LabelIds + static_cast<int>(value));
}

std::string DeviceValueText(tDeviceValue value, const TKovParameters& parameters)
{
    if (value == tDeviceValue::CallMode) {
        const tAciomco mode = parameters.GetAutomaticCallMode();
        const auto direction = [mode](int link) { return std::string(DialsOn(mode, link) ? "DIAL" : "ACCEPT"); };
        return FmtLoadStr(DirectionsId, {direction(0), direction(1)});
    }
    if (value == tDeviceValue::Protocol) {
        const tIsdnDChannelProtocol protocol = parameters.GetIsdnDChannelProtocol();
        const tIsdnDChannelProtocol offered[] = {IsdnDss1, IsdnLeasedLineB1, IsdnLeasedLineB2, IsdnLeasedLineB1B2};
        for (int index = 0; index < TFrameDevState::ProtocolItemCount; ++index)
            if (offered[index] == protocol)
                return TFrameDevState::ProtocolItem(index);
    }
    return FileText(value, parameters);
}

void TakeDeviceValue(TKovParameters& plan, const TKovParameters& device, tDeviceValue value)
{
    switch (value) {
    case tDeviceValue::Msn1:
        plan.SetMsnIncoming(0, device.GetMsnIncoming(0));
        break;
    case tDeviceValue::Msn2:
        plan.SetMsnIncoming(1, device.GetMsnIncoming(1));
        break;
    case tDeviceValue::Number1:
        plan.SetAutomaticCallNumber(0, device.GetAutomaticCallNumber(0));
        break;
    case tDeviceValue::Number2:
        plan.SetAutomaticCallNumber(1, device.GetAutomaticCallNumber(1));
        break;
    case tDeviceValue::CallMode:
        plan.SetAutomaticCallMode(device.GetAutomaticCallMode());
        break;
    case tDeviceValue::Protocol:
        plan.SetIsdnDChannelProtocol(device.GetIsdnDChannelProtocol());
        break;
    }
}

void ReportComparison(TMessageLog& log, int device, const std::string& name,
                      const std::vector<TValueComparison>& rows, bool details)
{
    const int differences = CountDifferences(rows);
    if (differences == 0) {
        log.AddFinding(mkInfo, FmtLoadStr(AgreesId, {name}), {device, tFindingField::Name});
        return;
    }
    const auto first = std::find_if(rows.begin(), rows.end(), [](const auto& row) { return row.Differs(); });
    log.AddFinding(mkWarning, FmtLoadStr(DiffersId, {name, differences}), {device, first->Field});
    if (!details)
        return;
    for (const TValueComparison& row : rows)
        if (row.Differs())
            log.AddFinding(mkWarning,
                           FmtLoadStr(DifferenceId, {name, DeviceValueLabel(row.Value), row.PlanText, row.DeviceText}),
                           {device, row.Field});
}
