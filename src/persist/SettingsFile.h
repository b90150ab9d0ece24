#pragma once
#include <QString>

// Settings files: INI text with the settings text under [DEVICE] Settings_TERNU.
// The tool configuration file carries the same section and is a settings file too.
namespace SettingsFile {

// The file extension of settings files, without the dot.
inline constexpr char kExtension[] = "dat";

// The stored settings text, or the empty string when the file, the section or
// the key is missing.
QString ReadSettingsText(const QString &fileName);

// Stores the text under [DEVICE] Settings_TERNU, creating the file or the
// section when missing and keeping everything else. Throws EProfileWriteError.
void WriteSettingsText(const QString &fileName, const QString &text);

}  // namespace SettingsFile
