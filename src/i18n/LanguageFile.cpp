#include "LanguageFile.h"

#include "Cp1252.h"
#include "LanguageErrors.h"
#include "TextCompare.h"

#include <QFile>
#include <QHash>

using TextCompare::sameText;

namespace {

struct RawKeyValue {
    QByteArray key;
    QByteArray value;
};
struct RawSection {
    QByteArray name;
    QList<RawKeyValue> entries;
};

QList<QByteArray> splitLines(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            lines.append(bytes.mid(start, i - start));
            if (bytes[i] == '\r' && i + 1 < n && bytes[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(bytes.mid(start));
    return lines;
}

QList<RawSection> parseRaw(const QByteArray &bytes)
{
    QList<RawSection> sections;
    for (const QByteArray &line : splitLines(bytes)) {
        if (line.isEmpty() || line.startsWith(';'))
            continue;
        if (line.size() >= 2 && line.startsWith('[') && line.endsWith(']')) {
            sections.append({line.mid(1, line.size() - 2), {}});
            continue;
        }
        if (sections.isEmpty())
            continue;
        const qsizetype eq = line.indexOf('=');
        if (eq < 0)
            sections.last().entries.append({line, QByteArray()});
        else
            sections.last().entries.append({line.left(eq), line.mid(eq + 1)});
    }
    return sections;
}

bool declaresUtf8(const QList<RawSection> &sections)
{
    // Section and key names are ASCII, so they can be matched before decoding.
    for (const RawSection &section : sections) {
        if (section.name.compare("OPTIONS", Qt::CaseInsensitive) != 0)
            continue;
        for (const RawKeyValue &kv : section.entries) {
            if (kv.key.compare("IsUTF8File", Qt::CaseInsensitive) == 0) {
                bool ok = false;
                const int number = kv.value.trimmed().toInt(&ok);
                return ok && number != 0;
            }
        }
    }
    return false;
}

}  // namespace

LanguageFile LanguageFile::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw ELanguageFileError(QStringLiteral("Cannot open file \"%1\". %2")
                                     .arg(path, file.errorString())
                                     .toStdString());
    }
    return parse(file.readAll());
}

LanguageFile LanguageFile::parse(const QByteArray &input)
{
    QByteArray bytes = input;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);

    const QList<RawSection> raw = parseRaw(bytes);
    LanguageFile file;
    file.FUtf8 = declaresUtf8(raw);
    auto decode = [&](const QByteArray &b) {
        return file.FUtf8 ? QString::fromUtf8(b) : Cp1252::toUnicode(b);
    };
    for (const RawSection &rawSection : raw) {
        Section section{decode(rawSection.name), {}};
        section.entries.reserve(rawSection.entries.size());
        for (const RawKeyValue &kv : rawSection.entries)
            section.entries.append({decode(kv.key), decode(kv.value)});
        file.FSections.append(std::move(section));
    }
    return file;
}

bool LanguageFile::hasSection(const QString &name) const
{
    for (const Section &section : FSections) {
        if (sameText(section.name, name))
            return true;
    }
    return false;
}

QList<LanguageFile::KeyValue> LanguageFile::entries(const QString &name) const
{
    QList<KeyValue> result;
    for (const Section &section : FSections) {
        if (sameText(section.name, name))
            result.append(section.entries);
    }
    return result;
}

QString LanguageFile::value(const QString &section, const QString &key,
                            const QString &defaultValue) const
{
    for (const KeyValue &kv : entries(section)) {
        if (sameText(kv.key, key))
            return kv.value;
    }
    return defaultValue;
}

QStringList LanguageFile::languageNames() const
{
    QHash<QString, QString> firstValueByKey;
    for (const KeyValue &kv : entries(kLanguageNames)) {
        const QString key = kv.key.toCaseFolded();
        if (!firstValueByKey.contains(key))
            firstValueByKey.insert(key, kv.value);
    }
    QStringList names;
    for (int k = 1;; ++k) {
        const QString name = firstValueByKey.value(QStringLiteral("language_%1").arg(k));
        if (name.isEmpty())
            return names;
        names.append(name);
    }
}
