#pragma once
#include <QString>
#include <QStringList>

// The comma-separated form in which list properties (combo items, memo lines)
// are stored in the translation table: items separated by commas, an item with a
// blank, comma, quote or control character enclosed in double quotes with inner
// quotes doubled.
namespace CommaText {

QString Join(const QStringList &items);
QStringList Split(const QString &text);

}  // namespace CommaText
