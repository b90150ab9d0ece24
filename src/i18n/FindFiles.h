#pragma once
#include <QString>
#include <QStringList>

// Adds the files in folder that match the mask (wildcards, any letter case,
// hidden files included; folders never) to list: bare names, or with
// subFolders the full paths of matches in the folder and all folders below it.
// Returns the number of strings in the list afterwards, 0 without a list.
int FindFiles(const QString &folder, const QString &mask, QStringList *list, bool subFolders);
