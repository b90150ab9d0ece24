// Profile files: every key of any text can be read, and writing one key changes
// that key's value (or adds its line) and not one other byte of the file.
#include "ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

struct Name {
    QString Section;
    QString Key;
};

QString ScratchFile()
{
    // Memory-backed when the system has it: the target writes a file per input.
    static QTemporaryDir dir(QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm/ternu-fuzz-XXXXXX")
                                                       : QDir::tempPath() + "/ternu-fuzz-XXXXXX");
    return dir.filePath(QStringLiteral("t.ini"));
}

// A name that reads back as written when it is written as "[name]" or "name=".
bool IsPlainName(const QByteArray &name)
{
    if (name.isEmpty() || name.front() == ' ' || name.back() == ' ' || name.front() == ';')
        return false;
    for (char c : name) {
        if (c < ' ' || c > '~' || c == '=' || c == '[' || c == ']' || c == '"')
            return false;
    }
    return true;
}

// Section and key names as a simple reading of the lines finds them; the reads
// below do not depend on this reading being the tool's own.
QList<Name> NamesIn(const QByteArray &bytes, QList<Name> &plain)
{
    QList<Name> names;
    QByteArray section;
    for (const QByteArray &rawLine : bytes.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.startsWith('[')) {
            const qsizetype close = line.indexOf(']');
            section = line.mid(1, close < 0 ? -1 : close - 1).trimmed();
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (eq <= 0)
            continue;
        const QByteArray key = line.left(eq).trimmed();
        names.append({QString::fromLatin1(section), QString::fromLatin1(key)});
        if (IsPlainName(section) && IsPlainName(key))
            plain.append(names.last());
        if (names.size() >= 64)
            break;
    }
    return names;
}

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        std::abort();
    return file.readAll();
}

bool SameName(const Name &a, const Name &b)
{
    return a.Section.compare(b.Section, Qt::CaseInsensitive) == 0
           && a.Key.compare(b.Key, Qt::CaseInsensitive) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray before(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = ScratchFile();
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(before) != before.size())
            std::abort();
    }

    QList<Name> plain;
    const QList<Name> names = NamesIn(before, plain);
    TProfileFile ini(path);
    QStringList valuesBefore;
    for (const Name &name : names)
        valuesBefore.append(ini.ReadString(name.Section, name.Key, QStringLiteral("<none>")));

    // One of the file's own keys, or a new one.
    const Name written = plain.isEmpty() ? Name{QStringLiteral("Fuzz"), QStringLiteral("Key")}
                                         : plain[qsizetype(size % plain.size())];
    const QString value = QStringLiteral("new = [value]");
    ini.WriteString(written.Section, written.Key, value);
    const QByteArray after = ReadAll(path);

    if (ini.ReadString(written.Section, written.Key, QString()) != value)
        std::abort();
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (!SameName(names[i], written)
            && ini.ReadString(names[i].Section, names[i].Key, QStringLiteral("<none>")) != valuesBefore[i])
            std::abort();
    }

    // Outside one edited stretch the bytes are the old ones, and the old bytes
    // of that stretch lie within one line.
    qsizetype prefix = 0;
    const qsizetype shorter = qMin(before.size(), after.size());
    while (prefix < shorter && before[prefix] == after[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix
           && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    const QByteArray removed = before.mid(prefix, before.size() - prefix - suffix);
    if (removed.contains('\n'))
        std::abort();
    const QByteArray added = after.mid(prefix, after.size() - prefix - suffix);
    // At most a line ending, the section line, the key line and a line ending.
    if (added.size() > written.Section.size() + written.Key.size() + value.size() + 12)
        std::abort();
    return 0;
}
