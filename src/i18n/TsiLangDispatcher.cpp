#include "TsiLangDispatcher.h"

#include "LanguageErrors.h"
#include "LanguageFile.h"
#include "TextCompare.h"
#include "TsiLang.h"

#include <QDir>

TsiLangDispatcher::TsiLangDispatcher(TsiLang &translator)
    : FTranslator(translator)
{
}

const QStringList &TsiLangDispatcher::LangNames() const { return FTranslator.LangNames(); }
int TsiLangDispatcher::NumOfLanguages() const { return FTranslator.NumOfLanguages(); }
int TsiLangDispatcher::ActiveLanguage() const { return FTranslator.ActiveLanguage(); }
const QString &TsiLangDispatcher::Language() const { return FTranslator.Language(); }

void TsiLangDispatcher::SetLanguage(const QString &name)
{
    if (name == Language())
        return;
    const QStringList &names = LangNames();
    qsizetype position = 0;
    while (position < names.size() && !TextCompare::SameText(names[position], name))
        ++position;
    if (position == names.size())
        throw ELanguageError("Language name shall be included in LangNames property!");

    const int index = static_cast<int>(position) + 1;
    const bool otherColumn = index != ActiveLanguage();
    // The pass sees the name as asked for; afterwards it takes the list's spelling.
    // Another spelling of the active language only renames it, without a pass.
    FTranslator.SelectLanguage(index, name);
    if (!otherColumn)
        return;
    FTranslator.ApplyTranslations();
    FTranslator.SelectLanguage(index, LangNames()[position]);
}

void TsiLangDispatcher::LoadLanguageFile(const QString &path)
{
    FTranslator.LoadFromFile(TLanguageFile::Read(path));
}

QString LanguageFolder(const QString &programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("Lang"));
}

QString LanguageFilePath(const QString &programFolder, const QString &languageName)
{
    const QDir folder(LanguageFolder(programFolder));
    const QString wanted = languageName + QStringLiteral(".sil");
    if (folder.exists(wanted))
        return folder.filePath(wanted);
    // Language files come from a system whose file names ignore letter case:
    // "French" finds french.sil as well.
    const QStringList names = folder.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &name : names)
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return folder.filePath(name);
    return folder.filePath(wanted);
}

namespace {

void SelectOrEnglish(TsiLangDispatcher &dispatcher, const QString &name)
{
    try {
        dispatcher.SetLanguage(name);
    } catch (const std::exception &) {
        dispatcher.SetLanguage(QStringLiteral("English"));
    }
}

bool IsKnown(const TsiLangDispatcher &dispatcher, const QString &name)
{
    return dispatcher.LangNames().contains(name, Qt::CaseInsensitive);
}

}  // namespace

void SwitchLanguage(TsiLangDispatcher &dispatcher, const QString &programFolder,
                    const QString &name)
{
    if (!IsKnown(dispatcher, name))
        dispatcher.LoadLanguageFile(LanguageFilePath(programFolder, name));
    SelectOrEnglish(dispatcher, name);
}

void RestoreLanguage(TsiLangDispatcher &dispatcher, const QString &programFolder,
                     const QString &name)
{
    try {
        if (!IsKnown(dispatcher, name))
            dispatcher.LoadLanguageFile(LanguageFilePath(programFolder, name));
        dispatcher.SetLanguage(name);
    } catch (const std::exception &) {
        dispatcher.SetLanguage(QStringLiteral("English"));
    }
}
