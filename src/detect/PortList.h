#pragma once
#include "PortNames.h"
#include "SerialPortSource.h"

#include <QStringList>

// The entries of the port list: every port the tool can open, by its COM name.
namespace PortList {

// The COM names of the system's ports that lie in the fixed ranges, and of the
// aliases; each name once. Sorted case-insensitively as text, so that COM10 comes
// before COM2.
QStringList Entries(const QList<TSerialPortRecord> &ports,
                    const QList<PortNames::TPortAlias> &aliases);

// Sorts names case-insensitively as text.
void SortAsText(QStringList &names);

// entries() over what the source reports and the aliases of a Ports folder.
QStringList CurrentEntries(ISerialPortSource &source, const QString &portsFolder);

}  // namespace PortList
