#include "TextCompare.h"

namespace TextCompare {

int CompareCaseless(const QString &a, const QString &b)
{
    const QString fa = a.toCaseFolded();
    const QString fb = b.toCaseFolded();
    if (fa == fb)
        return 0;
    // The collation may call distinct strings equal; fall back to code units then.
    const int byLocale = QString::localeAwareCompare(fa, fb);
    return byLocale != 0 ? byLocale : fa.compare(fb);
}

}  // namespace TextCompare
