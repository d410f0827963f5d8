#pragma once
// The message log kept in memory: what talvctl prints after a check and what the tests read.

#include "documents/msgkind.h"

#include <string>
#include <vector>

struct TMessage {
    tMsgKind Kind = mkInfo;
    std::string Text;

    bool operator==(const TMessage&) const = default;
};

class TMessageList : public TMessageLog {
public:
    void Clear() override;
    // A kind outside mkInfo..mkHeading raises ERangeError and adds nothing.
    void AddMessage(tMsgKind kind, const std::string& text) override;
    void AddFinding(tMsgKind kind, const std::string& text, const TFindingPlace& place) override;

    const std::vector<TMessage>& Messages() const { return FMessages; }
    // Where line i leads; a plain line leads nowhere.
    const TFindingPlace& Place(std::size_t i) const { return FPlaces.at(i); }
    int ErrorCount() const { return FErrorCount; }
    int WarningCount() const { return FWarningCount; }
    int HeadingCount() const { return FHeadingCount; }
    int InfoCount() const { return FInfoCount; }

private:
    std::vector<TMessage> FMessages;
    std::vector<TFindingPlace> FPlaces;
    int FErrorCount = 0;
    int FWarningCount = 0;
    int FHeadingCount = 0;
    int FInfoCount = 0;
};
