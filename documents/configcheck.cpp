#include "documents/configcheck.h"

#include "platform/exceptions.h"
#include "platform/resstrings.h"
#include "terminal/KovDef.h"
#include "terminal/kovparameters.h"

#include <array>
#include <string>

namespace {

// What the check reads of one device, taken once so that every step sees the same values.
struct TDeviceView {
    int Index = 0;  // 0 for device 1
    std::string Name;
    std::array<std::string, 2> Msn;     // own numbers of LWL1 and LWL2
    std::array<std::string, 2> Number;  // partner numbers LWL1 and LWL2 call or accept
    std::array<bool, 2> Dial{};         // false: the link accepts
    tIsdnDChannelProtocol Protocol = IsdnDss1;
};

// "-" marks an unused number and matches nothing, not even another "-". Every other text is a
// number and compared exactly as entered: the device does not normalise what it dials, so
// "0123" and "123" are different numbers, and two empty entries are the same number.
bool SameNumber(const std::string& a, const std::string& b)
{
    return a != NoNumber && b != NoNumber && a == b;
}

bool IsLeasedLine(tIsdnDChannelProtocol protocol)
{
    return protocol == IsdnLeasedLineB1 || protocol == IsdnLeasedLineB2 || protocol == IsdnLeasedLineB1B2;
}

class TConfigurationCheck {
public:
    TConfigurationCheck(const std::vector<TDeviceView>& devices, TMessageLog& log) : D(devices), FLog(log) {}

    void Run()
    {
        FLog.Clear();
        Add(mkHeading, 600);
        CheckUniqueMsns();
        CheckMultipleCallers();
        CheckNumbersInsideNetwork();
        CheckDirections();
        CheckProtocols();
        Add(mkHeading, 601);
    }

private:
    void Add(tMsgKind kind, int id, const std::vector<TFormatArg>& args = {})
    {
        FLog.AddMessage(kind, FmtLoadStr(id, args));
    }

    // A finding about two devices leads to the later one of a pair, which repeats what the
    // earlier one holds, and to the caller of a connection, whose direction is the one to turn.
    void Add(tMsgKind kind, int id, const std::vector<TFormatArg>& args, const TDeviceView& device, tFindingField field)
    {
        FLog.AddFinding(kind, FmtLoadStr(id, args), {device.Index, field});
    }

    void CheckUniqueMsns()
    {
        Add(mkHeading, 602);
        for (std::size_t i = 0; i < D.size(); ++i) {
            const TDeviceView& a = D[i];
            if (SameNumber(a.Msn[0], a.Msn[1]))
                Add(mkError, 620, {a.Name, a.Name}, a, tFindingField::Msn2);
            for (std::size_t j = i + 1; j < D.size(); ++j) {
                const TDeviceView& b = D[j];
                if (SameNumber(a.Msn[0], b.Msn[0]))
                    Add(mkError, 621, {a.Name, b.Name}, b, tFindingField::Msn1);
                if (SameNumber(a.Msn[0], b.Msn[1]))
                    Add(mkError, 622, {a.Name, b.Name}, b, tFindingField::Msn2);
                if (SameNumber(a.Msn[1], b.Msn[0]))
                    Add(mkError, 623, {a.Name, b.Name}, b, tFindingField::Msn1);
                if (SameNumber(a.Msn[1], b.Msn[1]))
                    Add(mkError, 624, {a.Name, b.Name}, b, tFindingField::Msn2);
            }
        }
    }

    int CountCallers(const std::string& msn) const
    {
        int count = 0;
        for (const TDeviceView& caller : D)
            for (const std::string& number : caller.Number)
                if (SameNumber(number, msn))
                    ++count;
        return count;
    }

    // A number can only accept one incoming connection; several links dialling it block each
    // other. Every link holding the number counts, the device's own links included.
    void CheckMultipleCallers()
    {
        Add(mkHeading, 603);
        for (const TDeviceView& called : D) {
            const int count1 = CountCallers(called.Msn[0]);
            const int count2 = CountCallers(called.Msn[1]);
            if (count1 > 1)
                Add(mkError, 625, {called.Name, count1}, called, tFindingField::Msn1);
            if (count2 > 1)
                Add(mkError, 626, {called.Name, count2}, called, tFindingField::Msn2);
        }
    }

    bool IsInsideNetwork(const std::string& number) const
    {
        for (const TDeviceView& device : D)
            if (SameNumber(number, device.Msn[0]) || SameNumber(number, device.Msn[1]))
                return true;
        return false;
    }

    // Only a warning: a partner outside the planned devices may well exist.
    void CheckNumbersInsideNetwork()
    {
        Add(mkHeading, 604);
        for (const TDeviceView& device : D) {
            const bool inside1 = IsInsideNetwork(device.Number[0]);
            const bool inside2 = IsInsideNetwork(device.Number[1]);
            if (device.Number[0] != NoNumber && !inside1)
                Add(mkWarning, 627, {device.Name, device.Number[0]}, device, tFindingField::Number1);
            if (device.Number[1] != NoNumber && !inside2)
                Add(mkWarning, 628, {device.Name, device.Number[1]}, device, tFindingField::Number2);
        }
    }

    // A connection needs one end that dials and one that accepts. A device's link calling its
    // own other link is checked as well; a link calling its own number is not a connection and
    // is left out.
    void CheckDirections()
    {
        Add(mkHeading, 605);
        for (std::size_t s = 0; s < D.size(); ++s) {
            const TDeviceView& called = D[s];
            for (std::size_t p = 0; p < D.size(); ++p) {
                const TDeviceView& caller = D[p];
                if (p != s)
                    CheckDirection(called, 0, caller, 0, 629);
                CheckDirection(called, 0, caller, 1, 631);
                CheckDirection(called, 1, caller, 0, 633);
                if (p != s)
                    CheckDirection(called, 1, caller, 1, 635);
            }
        }
    }

    // dialId is the finding for both ends dialling; dialId + 1 the one for both accepting.
    void CheckDirection(const TDeviceView& called, int msnLink, const TDeviceView& caller, int numberLink, int dialId)
    {
        if (!SameNumber(called.Msn[msnLink], caller.Number[numberLink]))
            return;
        const tFindingField direction = numberLink == 0 ? tFindingField::Dial1 : tFindingField::Dial2;
        if (called.Dial[msnLink] && caller.Dial[numberLink])
            Add(mkError, dialId, {called.Name, caller.Name}, caller, direction);
        if (!called.Dial[msnLink] && !caller.Dial[numberLink])
            Add(mkError, dialId + 1, {called.Name, caller.Name}, caller, direction);
    }

    // DSS1 and a leased line cannot talk to each other. The pairs are not matched by number: a
    // planned network is meant to use one kind of line throughout.
    void CheckProtocols()
    {
        Add(mkHeading, 606);
        for (std::size_t a = 0; a < D.size(); ++a) {
            for (std::size_t b = a + 1; b < D.size(); ++b) {
                const tIsdnDChannelProtocol first = D[a].Protocol;
                const tIsdnDChannelProtocol second = D[b].Protocol;
                if (first == IsdnDss1) {
                    if (second != IsdnDss1)
                        Add(mkWarning, 637, {D[a].Name, D[b].Name}, D[b], tFindingField::Protocol);
                } else if (IsLeasedLine(first)) {
                    if (second == IsdnDss1)
                        Add(mkWarning, 638, {D[a].Name, D[b].Name}, D[b], tFindingField::Protocol);
                } else {
                    // Only DSS1 and the leased lines are meant for a planned network; any other
                    // protocol stops the check, and the lines written so far stay for the user.
                    throw ERangeError("TFrmMainWin::ActCheckExecute: falsches IsdnDChannelProtocol " +
                                      std::to_string(first));
                }
            }
        }
    }

    const std::vector<TDeviceView>& D;
    TMessageLog& FLog;
};

}  // namespace

TCheckDevice CheckDeviceFromCallMode(const TKovParameters& parameters)
{
    const tAciomco mode = parameters.GetAutomaticCallMode();
    TCheckDevice device;
    device.Parameters = &parameters;
    device.Dial1 = mode == EAciomcoB1B2 || mode == EAciomcoB1;
    device.Dial2 = mode == EAciomcoB1B2 || mode == EAciomcoB2;
    return device;
}

void RunConfigurationCheck(const std::vector<TCheckDevice>& devices, TMessageLog& log)
{
    std::vector<TDeviceView> views;
    views.reserve(devices.size());
    for (std::size_t i = 0; i < devices.size(); ++i) {
        const TKovParameters* parameters = devices[i].Parameters;
        if (parameters == nullptr)
            throw ERangeError("RunConfigurationCheck: Gerät " + std::to_string(i) + " ohne Parameter");
        TDeviceView view;
        view.Index = static_cast<int>(i);
        view.Name = parameters->GetKovName();
        view.Msn = {parameters->GetMsnIncoming(0), parameters->GetMsnIncoming(1)};
        view.Number = {parameters->GetAutomaticCallNumber(0), parameters->GetAutomaticCallNumber(1)};
        view.Dial = {devices[i].Dial1, devices[i].Dial2};
        view.Protocol = parameters->GetIsdnDChannelProtocol();
        views.push_back(std::move(view));
    }
    TConfigurationCheck(views, log).Run();
}
