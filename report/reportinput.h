#pragma once
// What a report is made of: the plan, and what only the caller knows about it (how the file is
// named, the day, the program's version, the user's connection colours and what the devices
// answered when they were last compared with the plan).

#include "documents/kovdocument.h"
#include "documents/networksvg.h"
#include "documents/plancompare.h"

#include <QDate>

#include <array>
#include <optional>
#include <string>
#include <vector>

// The latest comparison of one device with the plan: its six rows, or why it failed.
struct TDeviceComparison {
    std::vector<TValueComparison> Rows;
    // Not empty when the device could not be compared; the rows are empty then.
    std::string Error;
};

using TDeviceComparisons = std::array<std::optional<TDeviceComparison>, TKovDocument::MaxDevices>;

struct TReportInput {
    const TKovDocument& Document;
    // The plan's file as the user knows it; empty for a plan never saved.
    std::string FileName;
    QDate Date;
    std::string Version;
    TLineColours Colours;
    // Per device (index 0 for device 1); the section of comparisons appears only when one is set.
    TDeviceComparisons Comparisons;
};
