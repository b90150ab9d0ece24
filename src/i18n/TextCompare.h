#pragma once
#include <QString>

// Comparisons of names, ids and keys, which never depend on letter case.
namespace TextCompare {

// Locale-aware order that ignores case; strings equal ignoring case compare 0,
// all others never do, so it can drive sorting and binary search alike.
int CompareCaseless(const QString &a, const QString &b);

inline bool SameText(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace TextCompare
