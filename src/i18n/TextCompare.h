#pragma once
#include <QString>

// Comparisons of names, ids and keys, which never depend on letter case.
namespace TextCompare {

// Locale-aware order that ignores case; strings equal ignoring case compare 0,
// all others never do, so it can drive sorting and binary search alike.
int compareCaseless(const QString &a, const QString &b);

inline bool sameText(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace TextCompare
