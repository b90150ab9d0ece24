#include "PortList.h"

#include <algorithm>

namespace PortList {

void sortAsText(QStringList &names)
{
    std::stable_sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
}

QStringList entries(const QList<SerialPortRecord> &ports,
                    const QList<PortNames::PortAlias> &aliases)
{
    QStringList names;
    const auto add = [&names](int number) {
        const QString name = PortNames::comName(number);
        if (!names.contains(name, Qt::CaseInsensitive))
            names.append(name);
    };
    for (const SerialPortRecord &port : ports) {
        const int number = PortNames::defaultNumberForDevice(port.systemLocation);
        if (number > 0)
            add(number);
    }
    for (const PortNames::PortAlias &alias : aliases)
        add(alias.number);
    sortAsText(names);
    return names;
}

QStringList currentEntries(ISerialPortSource &source, const QString &portsFolder)
{
    return entries(source.availablePorts(), PortNames::readAliases(portsFolder));
}

}  // namespace PortList
