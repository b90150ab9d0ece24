#pragma once
#include <QString>
#include <QStringList>

// The languages offered in the language box: the first two language names of
// every "*.sil" file directly in the language folder, each name once (letter
// case ignored, the first found stays), files without names adding nothing,
// sorted without regard to case.
QStringList ScanLanguageNames(const QString &languageFolder);

// The flag picture of a language name: its first three letters, A-Z lowered,
// "eng" 0; "ger"/"deu" 1; "fre"/"fra" 2; "ita" 3; "net"/"dut" 4; "spa"/"esp" 5;
// anything else 6 (a question mark).
int FlagIndexForLanguage(const QString &name);
