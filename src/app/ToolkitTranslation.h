#pragma once
#include <QObject>
#include <QString>

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
    void apply(const QString &languageName);

    // The locale whose texts are in use: "de", "fr", ... or "en".
    QString localeName() const { return FLocaleName; }

private:
    QTranslator *FTranslator = nullptr;
    QString FLocaleName = QStringLiteral("en");
};

// The toolkit locale of a language of the tool, by the same name rules as the
// flags: "de", "fr", "it", "nl" or "es"; "en" for English and unknown names.
QString ToolkitLocaleName(const QString &languageName);
