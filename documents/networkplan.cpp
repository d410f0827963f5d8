#include "documents/networkplan.h"

#include "platform/exceptions.h"
#include "terminal/kovparameters.h"

#include <algorithm>

namespace {

// "-" matches nothing; every other text, the empty one included, is compared exactly, as the
// check compares it.
bool SameNumber(const std::string& a, const std::string& b)
{
    return a != NoNumber && b != NoNumber && a == b;
}

bool LineCarriesChannel(tIsdnDChannelProtocol protocol, int line)
{
    return protocol == IsdnLeasedLineB1B2 || (line == 0 && protocol == IsdnLeasedLineB1) ||
           (line == 1 && protocol == IsdnLeasedLineB2);
}

class TPlanBuilder {
public:
    explicit TPlanBuilder(const std::vector<TCheckDevice>& shown) : FShown(shown) {}

    TNetworkPlan Build()
    {
        for (std::size_t d = 0; d < FShown.size(); ++d) {
            if (FShown[d].Parameters == nullptr)
                throw ERangeError("BuildNetworkPlan: Gerät " + std::to_string(d) + " ohne Parameter");
            const TKovParameters& p = *FShown[d].Parameters;
            FPlan.Nodes.push_back({static_cast<int>(d), p.GetKovName(),
                                   "COM" + std::to_string(static_cast<int>(p.GetCOMPort()) + 1),
                                   {p.GetMsnIncoming(0), p.GetMsnIncoming(1)}, p.GetIsdnDChannelProtocol()});
        }
        PairLeasedDevices();
        for (int d = 0; d < static_cast<int>(FShown.size()); ++d)
            for (int line = 0; line < 2; ++line)
                AddLinksOf({d, line});
        return FPlan;
    }

private:
    bool Dials(const TLineRef& line) const
    {
        return line.Line == 0 ? FShown[line.Device].Dial1 : FShown[line.Device].Dial2;
    }

    const std::string& Number(const TLineRef& line) const
    {
        return FShown[line.Device].Parameters->GetAutomaticCallNumber(line.Line);
    }

    tIsdnDChannelProtocol Protocol(const TLineRef& line) const { return FPlan.Nodes[line.Device].Protocol; }

    std::vector<TLineRef> Owners(const std::string& number) const
    {
        std::vector<TLineRef> owners;
        for (const TNetworkNode& node : FPlan.Nodes)
            for (int line = 0; line < 2; ++line)
                if (SameNumber(node.Msn[line], number))
                    owners.push_back({node.Index, line});
        return owners;
    }

    bool Linked(const TLineRef& a, const TLineRef& b) const
    {
        return std::any_of(FPlan.Links.begin(), FPlan.Links.end(), [&](const TNetworkLink& link) {
            return !link.Tail.IsOutside() && !link.Head.IsOutside() &&
                   ((link.Tail.Line == a && link.Head.Line == b) || (link.Tail.Line == b && link.Head.Line == a));
        });
    }

    int OutsideNode(const std::string& label)
    {
        for (std::size_t i = 0; i < FPlan.Outside.size(); ++i)
            if (FPlan.Outside[i].Label == label)
                return static_cast<int>(i);
        FPlan.Outside.push_back({label});
        return static_cast<int>(FPlan.Outside.size()) - 1;
    }

    // The channel of whichever end is on a leased line; a link between DSS1 lines is not leased.
    void MarkLeased(TNetworkLink& link, const TLineRef& other) const
    {
        for (const TLineRef& end : {link.Source, other}) {
            const std::string channel = LeasedChannel(Protocol(end));
            if (!channel.empty()) {
                link.Leased = true;
                link.Label = channel;
                return;
            }
        }
    }

    // Two devices on leased lines are the two ends of them: their lines carrying a channel each
    // belong together, LWL1 on B1 and LWL2 on B2. With more than two the plan does not say which
    // ends belong together.
    void PairLeasedDevices()
    {
        std::vector<int> leased;
        for (const TNetworkNode& node : FPlan.Nodes)
            if (!LeasedChannel(node.Protocol).empty())
                leased.push_back(node.Index);
        if (leased.size() != 2)
            return;
        for (int line = 0; line < 2; ++line) {
            const TLineRef a{leased[0], line};
            const TLineRef b{leased[1], line};
            if (!LineCarriesChannel(Protocol(a), line) || !LineCarriesChannel(Protocol(b), line))
                continue;
            TNetworkLink link;
            link.Source = a;
            link.Tail.Line = a;
            link.Head.Line = b;
            link.Directed = false;
            link.Leased = true;
            link.Label = line == 0 ? "B1" : "B2";
            FPlan.Links.push_back(link);
        }
    }

    void AddLinksOf(const TLineRef& caller)
    {
        const std::string& number = Number(caller);
        if (number == NoNumber) {
            AddLeasedStub(caller);
            return;
        }
        const std::vector<TLineRef> allOwners = Owners(number);
        if (allOwners.empty()) {
            AddOutsideStub(caller, number);
            return;
        }
        std::vector<TLineRef> owners = allOwners;
        std::erase(owners, caller);
        for (const TLineRef& owner : owners) {
            if (Linked(caller, owner))
                continue;
            TNetworkLink link;
            link.Source = caller;
            link.Directed = Dials(caller) != Dials(owner);
            const bool fromCaller = Dials(caller) || !link.Directed;
            link.Tail.Line = fromCaller ? caller : owner;
            link.Head.Line = fromCaller ? owner : caller;
            link.Flagged = !link.Directed || allOwners.size() > 1;
            MarkLeased(link, owner);
            FPlan.Links.push_back(link);
        }
        if (owners.empty())
            AddLeasedStub(caller);
    }

    void AddOutsideStub(const TLineRef& caller, const std::string& number)
    {
        TNetworkLink link;
        link.Source = caller;
        const int outside = OutsideNode(number);
        if (Dials(caller)) {
            link.Tail.Line = caller;
            link.Head.Outside = outside;
        } else {
            link.Tail.Outside = outside;
            link.Head.Line = caller;
        }
        MarkLeased(link, caller);
        FPlan.Links.push_back(link);
    }

    // A line on a leased channel that no number connects still runs somewhere: show its far end.
    void AddLeasedStub(const TLineRef& line)
    {
        if (!LineCarriesChannel(Protocol(line), line.Line) || LinkedByNumber(line) || PairedLeased(line))
            return;
        TNetworkLink link;
        link.Source = line;
        link.Tail.Line = line;
        link.Label = LeasedChannel(Protocol(line));
        link.Head.Outside = static_cast<int>(FPlan.Outside.size());
        FPlan.Outside.push_back({link.Label});
        link.Directed = false;
        link.Leased = true;
        FPlan.Links.push_back(link);
    }

    bool PairedLeased(const TLineRef& line) const
    {
        return std::any_of(FPlan.Links.begin(), FPlan.Links.end(), [&](const TNetworkLink& link) {
            return link.Leased && !link.Tail.IsOutside() && !link.Head.IsOutside() &&
                   (link.Tail.Line == line || link.Head.Line == line);
        });
    }

    // Another line's partner number names this line's own number.
    bool LinkedByNumber(const TLineRef& line) const
    {
        const std::string& msn = FPlan.Nodes[line.Device].Msn[line.Line];
        for (int d = 0; d < static_cast<int>(FShown.size()); ++d)
            for (int l = 0; l < 2; ++l)
                if (TLineRef{d, l} != line && SameNumber(Number({d, l}), msn))
                    return true;
        return false;
    }

    const std::vector<TCheckDevice>& FShown;
    TNetworkPlan FPlan;
};

}  // namespace

std::string LeasedChannel(tIsdnDChannelProtocol protocol)
{
    switch (protocol) {
    case IsdnLeasedLineB1:
        return "B1";
    case IsdnLeasedLineB2:
        return "B2";
    case IsdnLeasedLineB1B2:
        return "B1+B2";
    default:
        return {};
    }
}

TNetworkPlan BuildNetworkPlan(const std::vector<TCheckDevice>& shown)
{
    return TPlanBuilder(shown).Build();
}
