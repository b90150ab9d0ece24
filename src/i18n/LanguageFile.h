#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// A language file (".sil"): INI-form text. Lines end in CR LF, LF or CR; empty
// lines and lines starting with ';' are ignored; "[name]" starts a section; any
// other line is "key=value" (no '=': empty value), both taken as written. Lines
// before the first section are ignored. Sections and keys match without regard
// to case. Texts are Windows-1252 unless [OPTIONS] IsUTF8File is a number other
// than 0; invalid UTF-8 becomes replacement characters.
class TLanguageFile {
public:
    struct TKeyValue {
        QString Key;
        QString Value;
    };
    struct TSection {
        QString Name;
        QList<TKeyValue> Entries;  // in file order
    };

    static inline const QString kOptions = QStringLiteral("OPTIONS");
    static inline const QString kLanguageNames =
        QStringLiteral("Language names - for internal use only!");
    static inline const QString kDefaultDelimiter = QStringLiteral("~!@#");

    // Throws ELanguageFileError, naming the file, when it cannot be read.
    static TLanguageFile Read(const QString &path);
    static TLanguageFile Parse(const QByteArray &bytes);

    bool HasSection(const QString &name) const;
    // Keys of a section (all sections of that name) in file order.
    QList<TKeyValue> Entries(const QString &section) const;
    // The first value of the key, or the default when section or key is missing.
    QString Value(const QString &section, const QString &key,
                  const QString &defaultValue = QString()) const;

    bool IsUtf8() const { return FUtf8; }
    QString Delimiter() const { return Value(kOptions, QStringLiteral("DELIMITER"), kDefaultDelimiter); }
    // "Language_1", "Language_2", ... up to the first missing or empty one.
    QStringList LanguageNames() const;
    // True when the language-names section exists and holds at least one key.
    bool HasLanguageNames() const { return !Entries(kLanguageNames).isEmpty(); }

private:
    QList<TSection> FSections;
    bool FUtf8 = false;
};
