#include "TsiLangDispatcher.h"

#include "LanguageErrors.h"
#include "LanguageFile.h"
#include "TextCompare.h"
#include "TsiLang.h"

#include <QDir>

TsiLangDispatcher::TsiLangDispatcher(TsiLang &translator)
    : m_translator(translator),
      m_langNames(translator.LangNames()),
      m_activeLanguage(translator.ActiveLanguage()),
      m_language(translator.Language())
{
}

void TsiLangDispatcher::SetLanguage(const QString &name)
{
    if (name == m_language)
        return;
    qsizetype position = 0;
    while (position < m_langNames.size() && !TextCompare::sameText(m_langNames[position], name))
        ++position;
    if (position == m_langNames.size())
        throw ELanguageError("Language name shall be included in LangNames property!");

    m_language = name;
    const int index = static_cast<int>(position) + 1;
    if (index == m_activeLanguage)
        return;
    m_activeLanguage = index;
    m_translator.setLanguageState(m_langNames, index, m_langNames[position]);
    m_translator.ApplyTranslations();
    m_language = m_langNames[position];
}

void TsiLangDispatcher::LoadLanguageFile(const QString &path)
{
    const LanguageFile file = LanguageFile::read(path);
    m_translator.loadFromFile(file);
    m_langNames = m_translator.LangNames();
    if (m_activeLanguage <= m_langNames.size())
        m_language = m_langNames[m_activeLanguage - 1];
    m_translator.setLanguageState(m_langNames, m_activeLanguage, m_language);
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

void selectOrEnglish(TsiLangDispatcher &dispatcher, const QString &name)
{
    try {
        dispatcher.SetLanguage(name);
    } catch (const std::exception &) {
        dispatcher.SetLanguage(QStringLiteral("English"));
    }
}

bool isKnown(const TsiLangDispatcher &dispatcher, const QString &name)
{
    return dispatcher.LangNames().contains(name, Qt::CaseInsensitive);
}

}  // namespace

void SwitchLanguage(TsiLangDispatcher &dispatcher, const QString &programFolder,
                    const QString &name)
{
    if (!isKnown(dispatcher, name))
        dispatcher.LoadLanguageFile(LanguageFilePath(programFolder, name));
    selectOrEnglish(dispatcher, name);
}

void RestoreLanguage(TsiLangDispatcher &dispatcher, const QString &programFolder,
                     const QString &name)
{
    try {
        if (!isKnown(dispatcher, name))
            dispatcher.LoadLanguageFile(LanguageFilePath(programFolder, name));
        dispatcher.SetLanguage(name);
    } catch (const std::exception &) {
        dispatcher.SetLanguage(QStringLiteral("English"));
    }
}
