#pragma once
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include "DeviceSettings.h"

// Settings texts for the command line: read from a settings file or from what the
// window stored at its last close, decoded and encoded by the same settings code
// as the window's, so that both send the same frame for the same file.
namespace CliSettings {

// Larger files are no settings files; they are refused before they are read.
constexpr qint64 kMaxFileSize = 1024 * 1024;

// The settings text of a settings file. Throws ECliError (usage) naming the file
// when it is missing, unreadable, too large, or holds no valid settings text.
QString ReadSettingsFile(const QString &fileName);

// The settings the window stored at its last close, in the tool configuration of
// the data folder. Throws ECliError (usage) when there are none.
QString ReadStoredSettings(const QString &dataFolder);

// The settings a text gives, with the clock and calendar of now.
DeviceSettings Decode(const QString &text, const QDateTime &now);

// The 28-byte payload of the settings transfer.
QByteArray TransferPayload(const QString &text, const QDateTime &now);

// Readable form: one topic per line, as the emulator prints a received payload.
QStringList Describe(const QString &text, const QDateTime &now);
// The same as one JSON object.
QByteArray DescribeJson(const QString &text, const QDateTime &now);

}  // namespace CliSettings
