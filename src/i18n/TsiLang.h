#pragma once
#include "LanguageFile.h"
#include "TranslationTable.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class TTranslationTarget;

// The window's translator: the translation table with one text per language,
// the message strings by id, and the translation pass that writes the texts of
// the active language into the window's controls. It is created with the
// built-in English and German table, German active; a language file replaces
// table and language names. Languages are numbered from 1 (table columns).
class TsiLang {
public:
    // Reads the built-in table from the program's resources and cleans it.
    TsiLang();

    // The window's own name and class name: as a control name both mean the
    // window itself, and a language file prefixes its keys with one of them.
    static inline const QString kFormName = QStringLiteral("FTernuSetup");
    static inline const QString kFormClassName = QStringLiteral("TFTernuSetup");

    // The controls the pass writes to; none means the pass only fires the event.
    void SetTarget(TTranslationTarget *target) { FTarget = target; }

    // Fired at the end of every translation pass.
    std::function<void()> OnChangeLanguage;

    const QStringList &LangNames() const { return FLangNames; }
    int NumOfLanguages() const { return static_cast<int>(FLangNames.size()); }
    int ActiveLanguage() const { return FActiveLanguage; }
    const QString &Language() const { return FLanguage; }
    // Makes language `index` (1-based) the active one under `name`; the next
    // pass writes its texts. The names stay; they change only with a file.
    void SelectLanguage(int index, const QString &name);

    const TTranslationTable &Table() const { return FTable; }
    // Replaces the table, then cleans it and rebuilds the id index.
    void SetTable(const TTranslationTable &table);
    const QList<TLanguageFile::TKeyValue> &Extended() const { return FExtended; }

    static const QStringList &ExcludedProperties();
    static const QStringList &SmartExcludeProps();

    // The message string of the active language for the id (any letter case);
    // language 1 when that is empty; empty when the id is unknown.
    QString GetTextOrDefault(const QString &id) const;

    // Writes the texts of the active language into the target's controls, then
    // fires OnChangeLanguage.
    void ApplyTranslations();

    // Replaces table and language names by the file's contents, cleans the
    // table and runs the pass in the active language; then the language's name
    // follows the active index (kept when the file has fewer languages).
    void LoadFromFile(const TLanguageFile &file);

private:
    struct TIndexedString {
        QString Id;
        QStringList Texts;
    };

    void CleanTable();
    void RebuildIndex();
    bool IsExcluded(const QString &control, const QString &propertyPath) const;
    bool IsWindowName(const QString &control) const;
    void ApplyEntry(TStringsType section, const TTranslationEntry &entry);

    TTranslationTable FTable;
    std::vector<TIndexedString> FIndex;
    QList<TLanguageFile::TKeyValue> FExtended;
    QStringList FLangNames{QStringLiteral("English"), QStringLiteral("German")};
    int FActiveLanguage = 2;
    QString FLanguage = QStringLiteral("German");
    TTranslationTarget *FTarget = nullptr;
};
