#include "ToolkitTranslation.h"

#include "LanguageList.h"

#include <QCalendarWidget>
#include <QCoreApplication>
#include <QDateEdit>
#include <QEvent>
#include <QLibraryInfo>
#include <QTranslator>

QString ToolkitLocaleName(const QString &languageName)
{
    // Indexes of the flag pictures: 0 English, 1 German, ... 5 Spanish, 6 unknown.
    static const char *const kLocales[] = {"en", "de", "fr", "it", "nl", "es"};
    const int flag = FlagIndexForLanguage(languageName);
    if (flag < 0 || flag >= int(std::size(kLocales)))
        return QStringLiteral("en");
    return QString::fromLatin1(kLocales[flag]);
}

TToolkitTranslation::TToolkitTranslation(QObject *parent) : QObject(parent) {}

TToolkitTranslation::~TToolkitTranslation()
{
    delete FTranslator;  // removes itself from the application
}

void TToolkitTranslation::Apply(const QString &languageName)
{
    const QString wanted = ToolkitLocaleName(languageName);
    if (wanted == FLocaleName)
        return;
    delete FTranslator;
    FTranslator = nullptr;
    FLocaleName = QStringLiteral("en");
    if (wanted == QLatin1String("en"))
        return;

    auto translator = new QTranslator;
    // qt_<locale> bundles the catalogues of all toolkit modules.
    if (!translator->load(QStringLiteral("qt_") + wanted, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
    FTranslator = translator;
    FLocaleName = wanted;
}

TCalendarLanguage::TCalendarLanguage(QDateEdit *field) : QObject(field), FField(field)
{
    field->installEventFilter(this);
}

void TCalendarLanguage::SetLocale(const QLocale &locale)
{
    FLocale = locale;
    ApplyToCalendar();
}

bool TCalendarLanguage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ChildPolished)
        ApplyToCalendar();
    return QObject::eventFilter(watched, event);
}

// Asking the field for its calendar would make the pop-up; only one that exists
// is given the locale.
void TCalendarLanguage::ApplyToCalendar()
{
    if (auto *calendar = FField->findChild<QCalendarWidget *>())
        calendar->setLocale(FLocale);
}
