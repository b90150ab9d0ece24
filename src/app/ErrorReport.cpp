#include "ErrorReport.h"

QString ErrorReportText(const QString &message)
{
    if (message.isEmpty() || message.back() <= QLatin1Char('.'))
        return message;
    return message + QLatin1Char('.');
}
