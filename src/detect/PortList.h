#pragma once
#include "PortNames.h"
#include "SerialPortSource.h"

#include <QStringList>

// The entries of the port list: every port the tool can open, by its COM name.
namespace PortList {

// The COM names of the system's ports that lie in the fixed ranges, and of the
// aliases; each name once. Sorted case-insensitively as text, so that COM10 comes
// before COM2.
QStringList entries(const QList<SerialPortRecord> &ports,
                    const QList<PortNames::PortAlias> &aliases);

// Sorts names case-insensitively as text.
void sortAsText(QStringList &names);

// entries() over what the source reports and the aliases of a Ports folder.
QStringList currentEntries(ISerialPortSource &source, const QString &portsFolder);

}  // namespace PortList
