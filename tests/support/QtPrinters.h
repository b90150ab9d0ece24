#pragma once
#include <QString>
#include <QStringList>
#include <ostream>

// Readable failure messages for Qt's text types.
void PrintTo(const QString &text, std::ostream *os);
void PrintTo(const QStringList &texts, std::ostream *os);
