// Language files: any bytes load into the translator and run the translation
// pass over a window whose every control takes every property, so that every
// text and list value of the file is written somewhere.
#include "LanguageFile.h"
#include "TranslationTarget.h"
#include "TsiLang.h"

#include <QCoreApplication>
#include <QMap>

#include <cstdint>

namespace {

class TAnyControls : public TTranslationTarget {
public:
    bool HasControl(const QString &) const override { return true; }
    TPropertyKind PropertyKind(const QString &, const QString &property) const override
    {
        const bool lines = property.compare(QLatin1String("Items"), Qt::CaseInsensitive) == 0
                           || property.compare(QLatin1String("Lines"), Qt::CaseInsensitive) == 0;
        return lines ? TPropertyKind::Lines : TPropertyKind::Text;
    }
    QString text(const QString &control, const QString &property) const override
    {
        return FTexts.value(control + u'.' + property);
    }
    void setText(const QString &control, const QString &property, const QString &value) override
    {
        FTexts.insert(control + u'.' + property, value);
    }
    QStringList Lines(const QString &control, const QString &property) const override
    {
        return FLines.value(control + u'.' + property);
    }
    void ReplaceLinesInPlace(const QString &control, const QString &property,
                             const QStringList &items) override
    {
        FLines.insert(control + u'.' + property, items);
    }

private:
    QMap<QString, QString> FTexts;
    QMap<QString, QStringList> FLines;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const TLanguageFile file =
        TLanguageFile::Parse(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    (void)file.LanguageNames();
    (void)file.Delimiter();

    // A fresh translator per input, copied: reading the built-in table is slow.
    static const TsiLang pristine;
    TAnyControls window;
    TsiLang lang = pristine;
    lang.SetTarget(&window);
    lang.LoadFromFile(file);
    (void)lang.GetTextOrDefault(QStringLiteral("strTOOLCAPTION"));
    return 0;
}
