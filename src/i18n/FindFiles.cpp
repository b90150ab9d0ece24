#include "FindFiles.h"

#include <QDir>
#include <QDirIterator>

namespace {

QStringList MatchingFiles(const QString &folder, const QString &mask)
{
    QDir dir(folder);
    dir.setNameFilters({mask});
    dir.setFilter(QDir::Files | QDir::Hidden | QDir::System);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    return dir.entryList();
}

}  // namespace

int FindFiles(const QString &folder, const QString &mask, QStringList *list, bool subFolders)
{
    if (!list)
        return 0;
    if (!subFolders) {
        list->append(MatchingFiles(folder, mask));
        return static_cast<int>(list->size());
    }
    QStringList folders{folder};
    QDirIterator it(folder, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        folders.append(it.next());
    for (const QString &f : folders) {
        const QDir dir(f);
        for (const QString &name : MatchingFiles(f, mask))
            list->append(dir.filePath(name));
    }
    return static_cast<int>(list->size());
}
