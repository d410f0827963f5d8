#pragma once
// Where the save dialog starts: somewhere the user can write. The open dialog starts among the
// demo configurations, but an installed program's demo folder is read-only, and so is a plan
// opened from it: a save dialog started there would offer a place that refuses the file.

#include <QString>

struct TFileDialogFolders {
    QString PlanFile;  // the open plan, empty without one
    QString Samples;   // the demo configurations
    QString Current;
    QString Documents;
    QString Home;

    // The open plan's folder. Without one, the current folder while the demo folder is writable
    // (the program runs from its source tree); for an installed program the documents folder,
    // else the home folder. A folder the user cannot write is passed over.
    QString SaveFolder() const;
};
