#include "main/filedialogfolders.h"

#include "platform/permissionbits.h"

#include <QFile>
#include <QFileInfo>

#include <vector>

namespace {

bool WritableFolder(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir() && WriteBitsAllow(QFile::encodeName(path).toStdString());
}

}  // namespace

QString TFileDialogFolders::SaveFolder() const
{
    std::vector<QString> candidates;
    if (!PlanFile.isEmpty())
        candidates.push_back(QFileInfo(PlanFile).absolutePath());
    if (WritableFolder(Samples))
        candidates.push_back(Current);
    candidates.push_back(Documents);
    candidates.push_back(Home);
    for (const QString& folder : candidates)
        if (WritableFolder(folder))
            return folder;
    return Current;
}
