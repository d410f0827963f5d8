#pragma once
// The kinds of lines in the message log, and the log as the core writes to it.

#include "documents/findingplace.h"

#include <string>

enum tMsgKind : int { mkInfo = 0, mkWarning = 1, mkError = 2, mkHeading = 3 };

class TMessageLog {
public:
    virtual ~TMessageLog() = default;
    // Empties the log and its counters.
    virtual void Clear() = 0;
    virtual void AddMessage(tMsgKind kind, const std::string& text) = 0;
    // A line about one field of one device. A log that cannot lead the user there keeps it as a
    // plain line.
    virtual void AddFinding(tMsgKind kind, const std::string& text, const TFindingPlace& place)
    {
        (void)place;
        AddMessage(kind, text);
    }
};
