#include "documents/messagelist.h"

#include "platform/exceptions.h"

void TMessageList::Clear()
{
    FMessages.clear();
    FPlaces.clear();
    FErrorCount = 0;
    FWarningCount = 0;
    FHeadingCount = 0;
    FInfoCount = 0;
}

void TMessageList::AddMessage(tMsgKind kind, const std::string& text)
{
    AddFinding(kind, text, {});
}

void TMessageList::AddFinding(tMsgKind kind, const std::string& text, const TFindingPlace& place)
{
    int* counter = nullptr;
    switch (kind) {
    case mkInfo:
        counter = &FInfoCount;
        break;
    case mkWarning:
        counter = &FWarningCount;
        break;
    case mkError:
        counter = &FErrorCount;
        break;
    case mkHeading:
        counter = &FHeadingCount;
        break;
    default:
        throw ERangeError("TMessageList::AddMessage: unzulässige Art " + std::to_string(static_cast<int>(kind)));
    }
    FMessages.push_back({kind, text});
    FPlaces.push_back(place);
    ++*counter;
}
