#pragma once
#include <QString>

// The text of the standard error report: the message with a full stop appended,
// unless it is empty or already ends in "." or a character that sorts below it
// ("!", ",", ")", a blank, ...).
QString ErrorReportText(const QString &message);
