#pragma once
// talvctl's "report": the report of a plan as a PDF file, or its network picture alone as an SVG
// file, without a display. Kept apart from talvctl_core, which needs no Qt: this part
// brings Qt's painting (TTalvctlRunner::SetReportWriter).

#include "documents/kovdocument.h"

#include <string>

// Writes output as its extension asks (ReportFormatOf), in language ("DE" or "EN"), with the
// connection colours of the user's settings file. A file that cannot be written raises
// Exception "nach <output> kann nicht geschrieben werden".
void WriteTalvctlReport(const TKovDocument& document, const std::string& output, const std::string& language);
