#pragma once
#include <QLocale>
#include <QObject>
#include <QString>

class QDateEdit;
class QTranslator;

// The toolkit's own texts (file dialogs, calendars, context menus of edit fields)
// in the tool's language: the toolkit's translation catalogue of that language is
// installed on the application, and the previous one removed.
class TToolkitTranslation : public QObject {
public:
    explicit TToolkitTranslation(QObject *parent = nullptr);
    ~TToolkitTranslation() override;

    // Installs the catalogue for the named language of the tool. English, and any
    // language the toolkit ships no catalogue for, leave the toolkit in English.
    void Apply(const QString &languageName);

    // The locale whose texts are in use: "de", "fr", ... or "en".
    QString LocaleName() const { return FLocaleName; }

private:
    QTranslator *FTranslator = nullptr;
    QString FLocaleName = QStringLiteral("en");
};

// The toolkit locale of a language of the tool, by the same name rules as the
// flags: "de", "fr", "it", "nl" or "es"; "en" for English and unknown names.
QString ToolkitLocaleName(const QString &languageName);

// The calendar that pops up from a date field names months and days in the given
// locale, while the field itself keeps its own. The pop-up is made on first use;
// it takes the locale as it is polished, before it first shows.
class TCalendarLanguage : public QObject {
public:
    explicit TCalendarLanguage(QDateEdit *field);

    void SetLocale(const QLocale &locale);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ApplyToCalendar();

    QDateEdit *FField;
    QLocale FLocale;
};
