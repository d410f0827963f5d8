#include "documents/networkmarks.h"

#include "documents/messagelist.h"

#include <algorithm>

namespace {

void Raise(tNetworkMark& mark, tNetworkMark by)
{
    mark = std::max(mark, by);
}

bool Touches(const TLinkEnd& end, const TLineRef& line)
{
    return !end.IsOutside() && end.Line == line;
}

// A partner number belongs to the line whose number made the link; a direction concerns every
// link the line takes part in, since the check names only one end of a pair that dial (or accept)
// each other.
void MarkLinks(const TNetworkPlan& plan, TNetworkMarks& marks, const TLineRef& line, bool byDirection,
               tNetworkMark mark)
{
    for (std::size_t i = 0; i < plan.Links.size(); ++i) {
        const TNetworkLink& link = plan.Links[i];
        const bool concerned =
            byDirection ? Touches(link.Tail, line) || Touches(link.Head, line) : link.Source == line;
        if (concerned)
            Raise(marks.Links[i], mark);
    }
}

}  // namespace

TNetworkMarks NetworkMarksFromCheck(const TNetworkPlan& plan, const TMessageList& log)
{
    TNetworkMarks marks;
    marks.Nodes.assign(plan.Nodes.size(), tNetworkMark::None);
    marks.Links.assign(plan.Links.size(), tNetworkMark::None);
    for (std::size_t i = 0; i < log.Messages().size(); ++i) {
        const tMsgKind kind = log.Messages()[i].Kind;
        const TFindingPlace& place = log.Place(i);
        if ((kind != mkError && kind != mkWarning) || !place.Leads() ||
            place.Device >= static_cast<int>(plan.Nodes.size()))
            continue;
        const tNetworkMark mark = kind == mkError ? tNetworkMark::Error : tNetworkMark::Warning;
        switch (place.Field) {
        case tFindingField::Name:
        case tFindingField::Msn1:
        case tFindingField::Msn2:
        case tFindingField::Protocol:
            Raise(marks.Nodes[place.Device], mark);
            break;
        case tFindingField::Number1:
        case tFindingField::Number2:
            MarkLinks(plan, marks, {place.Device, place.Field == tFindingField::Number1 ? 0 : 1}, false, mark);
            break;
        case tFindingField::Dial1:
        case tFindingField::Dial2:
            MarkLinks(plan, marks, {place.Device, place.Field == tFindingField::Dial1 ? 0 : 1}, true, mark);
            break;
        case tFindingField::None:
            break;
        }
    }
    return marks;
}
