#include "LanguageFile.h"

#include "Cp1252.h"
#include "LanguageErrors.h"
#include "TextCompare.h"

#include <QFile>
#include <QHash>

using TextCompare::SameText;

namespace {

struct TRawKeyValue {
    QByteArray Key;
    QByteArray Value;
};
struct TRawSection {
    QByteArray Name;
    QList<TRawKeyValue> Entries;
};

QList<QByteArray> SplitLines(const QByteArray &bytes)
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

QList<TRawSection> ParseRaw(const QByteArray &bytes)
{
    QList<TRawSection> sections;
    for (const QByteArray &line : SplitLines(bytes)) {
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
            sections.last().Entries.append({line, QByteArray()});
        else
            sections.last().Entries.append({line.left(eq), line.mid(eq + 1)});
    }
    return sections;
}

bool DeclaresUtf8(const QList<TRawSection> &sections)
{
    // Section and key names are ASCII, so they can be matched before decoding.
    for (const TRawSection &section : sections) {
        if (section.Name.compare("OPTIONS", Qt::CaseInsensitive) != 0)
            continue;
        for (const TRawKeyValue &kv : section.Entries) {
            if (kv.Key.compare("IsUTF8File", Qt::CaseInsensitive) == 0) {
                bool ok = false;
                const int number = kv.Value.trimmed().toInt(&ok);
                return ok && number != 0;
            }
        }
    }
    return false;
}

}  // namespace

TLanguageFile TLanguageFile::Read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw ELanguageFileError(QStringLiteral("Cannot open file \"%1\". %2")
                                     .arg(path, file.errorString())
                                     .toStdString());
    }
    return Parse(file.readAll());
}

TLanguageFile TLanguageFile::Parse(const QByteArray &input)
{
    QByteArray bytes = input;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);

    const QList<TRawSection> raw = ParseRaw(bytes);
    TLanguageFile file;
    file.FUtf8 = DeclaresUtf8(raw);
    auto decode = [&](const QByteArray &b) {
        return file.FUtf8 ? QString::fromUtf8(b) : Cp1252::ToUnicode(b);
    };
    for (const TRawSection &rawSection : raw) {
        TSection section{decode(rawSection.Name), {}};
        section.Entries.reserve(rawSection.Entries.size());
        for (const TRawKeyValue &kv : rawSection.Entries)
            section.Entries.append({decode(kv.Key), decode(kv.Value)});
        file.FSections.append(std::move(section));
    }
    return file;
}

bool TLanguageFile::HasSection(const QString &name) const
{
    for (const TSection &section : FSections) {
        if (SameText(section.Name, name))
            return true;
    }
    return false;
}

QList<TLanguageFile::TKeyValue> TLanguageFile::Entries(const QString &name) const
{
    QList<TKeyValue> result;
    for (const TSection &section : FSections) {
        if (SameText(section.Name, name))
            result.append(section.Entries);
    }
    return result;
}

QString TLanguageFile::Value(const QString &section, const QString &key,
                            const QString &defaultValue) const
{
    for (const TKeyValue &kv : Entries(section)) {
        if (SameText(kv.Key, key))
            return kv.Value;
    }
    return defaultValue;
}

QStringList TLanguageFile::LanguageNames() const
{
    QHash<QString, QString> firstValueByKey;
    for (const TKeyValue &kv : Entries(kLanguageNames)) {
        const QString key = kv.Key.toCaseFolded();
        if (!firstValueByKey.contains(key))
            firstValueByKey.insert(key, kv.Value);
    }
    QStringList names;
    for (int k = 1;; ++k) {
        const QString name = firstValueByKey.value(QStringLiteral("language_%1").arg(k));
        if (name.isEmpty())
            return names;
        names.append(name);
    }
}
