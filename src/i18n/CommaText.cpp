#include "CommaText.h"

namespace CommaText {
namespace {

// NUL counts among the control characters: it separates items like a blank.
bool IsBlankOrControl(QChar c)
{
    return c.unicode() <= ' ';
}

bool NeedsQuotes(const QString &item)
{
    if (item.isEmpty())
        return true;
    for (QChar c : item) {
        if (c.unicode() <= ' ' || c == u'"' || c == u',')
            return true;
    }
    return false;
}

}  // namespace

QString Join(const QStringList &items)
{
    QStringList parts;
    parts.reserve(items.size());
    for (const QString &item : items) {
        if (NeedsQuotes(item))
            parts.append(u'"' + QString(item).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"');
        else
            parts.append(item);
    }
    return parts.join(u',');
}

QStringList Split(const QString &text)
{
    QStringList items;
    const qsizetype n = text.size();
    qsizetype i = 0;
    auto skipBlanks = [&] {
        while (i < n && IsBlankOrControl(text[i]))
            ++i;
    };
    skipBlanks();
    while (i < n) {
        const qsizetype passStart = i;
        QString item;
        if (text[i] == u'"') {
            ++i;
            while (i < n) {
                if (text[i] == u'"') {
                    if (i + 1 < n && text[i + 1] == u'"') {
                        item.append(u'"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item.append(text[i++]);
            }
        } else {
            const qsizetype start = i;
            while (i < n && !IsBlankOrControl(text[i]) && text[i] != u',')
                ++i;
            item = text.mid(start, i - start);
        }
        items.append(item);
        skipBlanks();
        if (i < n && text[i] == u',') {
            ++i;
            if (i == n)
                items.append(QString());  // a trailing comma adds one empty item
            skipBlanks();
        }
        // Every pass consumes at least one character; should a character ever
        // fit none of the cases above, it is dropped rather than read again.
        if (i == passStart)
            ++i;
    }
    return items;
}

}  // namespace CommaText
