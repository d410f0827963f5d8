#include "main/filedialogfolders.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace {

bool InGroup(gid_t group)
{
    if (group == ::getegid())
        return true;
    const int count = ::getgroups(0, nullptr);
    if (count <= 0)
        return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    const int got = ::getgroups(count, groups.data());
    return got > 0 && std::find(groups.begin(), groups.begin() + got, group) != groups.begin() + got;
}

bool WritableFolder(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir() && WritableByPermissions(path);
}

}  // namespace

bool WritableByPermissions(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    const uid_t user = ::geteuid();
    if (user == 0)
        return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
    if (info.st_uid == user)
        return (info.st_mode & S_IWUSR) != 0;
    if (InGroup(info.st_gid))
        return (info.st_mode & S_IWGRP) != 0;
    return (info.st_mode & S_IWOTH) != 0;
}

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
