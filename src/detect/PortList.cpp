#include "PortList.h"

#include <algorithm>

namespace PortList {

void SortAsText(QStringList &names)
{
    std::stable_sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
}

QStringList Entries(const QList<TSerialPortRecord> &ports,
                    const QList<PortNames::TPortAlias> &aliases)
{
    QStringList names;
    const auto add = [&names](int number) {
        const QString name = PortNames::ComName(number);
        if (!names.contains(name, Qt::CaseInsensitive))
            names.append(name);
    };
    for (const TSerialPortRecord &port : ports) {
        const int number = PortNames::DefaultNumberForDevice(port.SystemLocation);
        if (number > 0)
            add(number);
    }
    for (const PortNames::TPortAlias &alias : aliases)
        add(alias.Number);
    SortAsText(names);
    return names;
}

QStringList CurrentEntries(ISerialPortSource &source, const QString &portsFolder)
{
    return Entries(source.AvailablePorts(), PortNames::ReadAliases(portsFolder));
}

}  // namespace PortList
