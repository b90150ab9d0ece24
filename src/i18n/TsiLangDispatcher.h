#pragma once
#include <QString>
#include <QStringList>

class TsiLang;

// The language dispatcher: selects the language of the window's one translator,
// which keeps the language names, the active index and the name in use. Language names are looked up without regard
// to case; whether a name is already the one in use is decided exactly.
//
// For the window and the tool configuration:
//   LangNames()            the names, entry k naming language k
//   Language()             the name of the language in use
//   SetLanguage(name)      selects a language; throws ELanguageError
//   LoadLanguageFile(path) reads a language file; throws ELanguageFileError
class TsiLangDispatcher {
public:
    explicit TsiLangDispatcher(TsiLang &translator);

    const QStringList &LangNames() const;
    int NumOfLanguages() const;
    int ActiveLanguage() const;
    const QString &Language() const;

    // Nothing happens when the name equals Language() exactly. A name not in
    // LangNames() throws ELanguageError and changes nothing. Otherwise the name
    // becomes Language(); when its column differs from the active one the
    // translator switches to it and runs its translation pass.
    void SetLanguage(const QString &name);

    // Replaces the translator's table and the language names by the file's and
    // runs the translation pass in the active language (the index stays; the
    // name follows it). A file that cannot be opened throws ELanguageFileError
    // before anything changes.
    void LoadLanguageFile(const QString &path);

private:
    TsiLang &FTranslator;
};

// The language folder beside the program and the file of one language in it,
// "<name>.sil" in any letter case (the exact spelling when there are several).
QString LanguageFolder(const QString &programFolder);
QString LanguageFilePath(const QString &programFolder, const QString &languageName);

// The switch from the language box: loads "<name>.sil" from the language folder
// when the name is not yet known (its error passes on), then selects the name,
// or "English" when that fails; only a failure of that passes on.
void SwitchLanguage(TsiLangDispatcher &dispatcher, const QString &programFolder,
                    const QString &name);

// The start-up restore of a stored name: as SwitchLanguage, but a file that
// cannot be loaded also ends in "English".
void RestoreLanguage(TsiLangDispatcher &dispatcher, const QString &programFolder,
                     const QString &name);
