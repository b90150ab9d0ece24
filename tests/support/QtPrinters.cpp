#include "QtPrinters.h"

void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

void PrintTo(const QStringList &texts, std::ostream *os)
{
    *os << '{';
    for (qsizetype i = 0; i < texts.size(); ++i)
        *os << (i ? ", \"" : "\"") << texts[i].toStdString() << '"';
    *os << '}';
}
