#include "ProfileFile.h"

#include "Cp1252.h"
#include "ProfileInteger.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>

EProfileWriteError::EProfileWriteError(const QString &fileName)
    : std::runtime_error(
          QStringLiteral("In %1 kann nicht geschrieben werden")
              .arg(QDir::toNativeSeparators(fileName))
              .toStdString())
{
}

namespace {

// Lines longer than this are never a section or a key; they are kept as they
// are but not looked into, so that a binary or enormous file costs no memory.
constexpr qint64 kMaxLineLength = 64 * 1024;
constexpr qint64 kReadPiece = 4096;

struct TLine {
    qint64 Start = 0;          // offset of the first byte of the line
    qint64 ContentLength = 0;  // bytes before the line ending
    int EndingLength = 0;      // 0 (last line without ending), 1 (LF) or 2 (CR LF)
    QByteArray Content;        // the content; empty when the line was too long
    bool TooLong = false;

    qint64 ContentEnd() const { return Start + ContentLength; }
    qint64 end() const { return ContentEnd() + EndingLength; }
};

// Reads a file line by line with the offsets of each line.
class TLineReader {
public:
    explicit TLineReader(QIODevice &file) : FFile(file) {}

    bool Next(TLine &line)
    {
        if (FFailed || FFile.atEnd())
            return false;
        line = TLine{};
        line.Start = FOffset;
        // Read in small pieces, so that a short line costs no more than its
        // length; of a line over the cap only the length is counted.
        QByteArray kept;
        qint64 total = 0;
        char lastBeforeEnding = 0;
        bool ended = false;
        while (!ended) {
            const QByteArray piece = FFile.readLine(kReadPiece + 1);
            if (piece.isEmpty()) {
                // Nothing more before the end: the reading failed.
                FFailed = !FFile.atEnd();
                break;
            }
            ended = piece.endsWith('\n');
            if (ended)
                lastBeforeEnding = piece.size() >= 2 ? piece[piece.size() - 2] : lastBeforeEnding;
            else
                lastBeforeEnding = piece.back();
            total += piece.size();
            if (kept.size() <= kMaxLineLength + 2)
                kept += piece;
        }
        if (total == 0 || FFailed)
            return false;
        FOffset += total;
        if (ended)
            line.EndingLength = lastBeforeEnding == '\r' ? 2 : 1;
        line.ContentLength = total - line.EndingLength;
        line.TooLong = line.ContentLength > kMaxLineLength;
        if (!line.TooLong)
            line.Content = kept.left(line.ContentLength);
        return true;
    }

    // Whether the reading stopped at an error before the end of the file.
    bool Failed() const { return FFailed; }

private:
    QIODevice &FFile;
    qint64 FOffset = 0;
    bool FFailed = false;
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// What a line is for the profile rules.
struct TParsedLine {
    enum TKind { Other, Section, Key } Kind = Other;
    QString Name;              // section or key name, trimmed
    qsizetype ValueStart = 0;  // Key: offset in the content where the value begins
};

TParsedLine Parse(const TLine &line)
{
    TParsedLine parsed;
    if (line.TooLong)
        return parsed;
    QByteArray content = line.Content;
    qsizetype skipped = 0;
    if (line.Start == 0 && content.startsWith("\xEF\xBB\xBF")) {
        content = content.mid(3);
        skipped = 3;
    }
    const QByteArray trimmed = content.trimmed();
    if (trimmed.startsWith('[')) {
        qsizetype close = trimmed.indexOf(']');
        if (close < 0)
            close = trimmed.size();
        parsed.Kind = TParsedLine::Section;
        parsed.Name = Cp1252::ToUnicode(trimmed.mid(1, close - 1).trimmed());
        return parsed;
    }
    if (trimmed.startsWith(';'))
        return parsed;
    const qsizetype eq = content.indexOf('=');
    if (eq < 0)
        return parsed;
    const QByteArray key = content.left(eq).trimmed();
    if (key.isEmpty())
        return parsed;
    qsizetype valueStart = eq + 1;
    while (valueStart < content.size() && IsBlank(content[valueStart]))
        ++valueStart;
    parsed.Kind = TParsedLine::Key;
    parsed.Name = Cp1252::ToUnicode(key);
    parsed.ValueStart = valueStart + skipped;
    return parsed;
}

bool SameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString ValueOf(const TLine &line, const TParsedLine &parsed)
{
    QByteArray value = line.Content.mid(parsed.ValueStart).trimmed();
    if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
        value = value.mid(1, value.size() - 2);
    return Cp1252::ToUnicode(value);
}

// Where a write goes: the bytes [editStart, editEnd) of the file are replaced by
// the inserted text.
struct TWritePlan {
    qint64 editStart = 0;
    qint64 editEnd = 0;
    QByteArray Inserted;
};

// The texts written must not break the line structure of the file.
QByteArray OneLine(const QString &text)
{
    QString flat = text;
    flat.replace(QLatin1Char('\r'), QLatin1Char(' '));
    flat.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return Cp1252::FromUnicode(flat);
}

// Nothing when the file could not be read to the place of the key: a place found
// in part of the file could put the new key into the wrong section.
std::optional<TWritePlan> PlanWrite(QIODevice *file, const QString &section, const QString &key,
                                   const QString &value)
{
    const QByteArray valueBytes = OneLine(value);
    const QByteArray keyLine = OneLine(key) + '=' + valueBytes;

    QByteArray ending;              // the file's own line ending
    bool inSection = false;         // inside the first section of that name
    bool sectionSeen = false;
    qint64 sectionInsertAt = 0;     // after the last non-blank line of the section
    bool sectionInsertNeedsEnding = false;
    qint64 fileEnd = 0;
    bool fileEndsWithEnding = true;

    if (file) {
        TLineReader reader(*file);
        TLine line;
        while (reader.Next(line)) {
            if (ending.isEmpty() && line.EndingLength == 2)
                ending = "\r\n";
            else if (ending.isEmpty() && line.EndingLength == 1)
                ending = "\n";
            fileEnd = line.end();
            fileEndsWithEnding = line.EndingLength > 0;

            const TParsedLine parsed = Parse(line);
            if (parsed.Kind == TParsedLine::Section) {
                if (inSection)
                    break;  // the section ends here
                if (!sectionSeen && SameName(parsed.Name, section)) {
                    inSection = sectionSeen = true;
                    sectionInsertAt = line.end();
                    sectionInsertNeedsEnding = line.EndingLength == 0;
                }
                continue;
            }
            if (!inSection)
                continue;
            if (parsed.Kind == TParsedLine::Key && SameName(parsed.Name, key)) {
                return TWritePlan{line.Start + parsed.ValueStart, line.ContentEnd(), valueBytes};
            }
            if (line.TooLong || !line.Content.trimmed().isEmpty()) {
                sectionInsertAt = line.end();
                sectionInsertNeedsEnding = line.EndingLength == 0;
            }
        }
        if (reader.Failed())
            return std::nullopt;
    }
    if (ending.isEmpty())
        ending = "\r\n";

    if (sectionSeen) {
        const QByteArray before = sectionInsertNeedsEnding ? ending : QByteArray();
        return TWritePlan{sectionInsertAt, sectionInsertAt, before + keyLine + ending};
    }
    QByteArray appended = fileEndsWithEnding ? QByteArray() : ending;
    appended += '[' + OneLine(section) + ']' + ending + keyLine + ending;
    return TWritePlan{fileEnd, fileEnd, appended};
}

bool CopyRange(QIODevice &from, QSaveFile &to, qint64 start, qint64 end)
{
    if (!from.seek(start))
        return false;
    qint64 left = end - start;
    while (left > 0) {
        const QByteArray chunk = from.read(qMin<qint64>(left, 1 << 20));
        if (chunk.isEmpty())
            return false;
        if (to.write(chunk) != chunk.size())
            return false;
        left -= chunk.size();
    }
    return true;
}

}  // namespace

TProfileFile::TProfileFile(QString fileName) : FFileName(std::move(fileName)) {}

QString TProfileFile::ReadString(const QString &section, const QString &key,
                                 const QString &defaultValue) const
{
    QFile file(FFileName);
    if (!file.open(QIODevice::ReadOnly))
        return defaultValue;
    TLineReader reader(file);
    TLine line;
    bool inSection = false;
    while (reader.Next(line)) {
        const TParsedLine parsed = Parse(line);
        if (parsed.Kind == TParsedLine::Section) {
            if (inSection)
                break;
            inSection = SameName(parsed.Name, section);
        } else if (inSection && parsed.Kind == TParsedLine::Key && SameName(parsed.Name, key)) {
            return ValueOf(line, parsed);
        }
    }
    return defaultValue;
}

int TProfileFile::ReadInteger(const QString &section, const QString &key, int defaultValue) const
{
    const QString text = ReadString(section, key, QString());
    return ProfileIntegerOr(text, defaultValue);
}

std::unique_ptr<QIODevice> TProfileFile::OpenOriginal() const
{
    auto file = std::make_unique<QFile>(FFileName);
    if (!file->open(QIODevice::ReadOnly))
        return nullptr;
    return file;
}

void TProfileFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    const QFileInfo info(FFileName);
    // Replacing the file by a rename would get around its write protection. A
    // file without any write permission counts as write-protected for every
    // user, like a read-only file elsewhere.
    constexpr auto kAnyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (info.exists()
        && (!info.isFile() || !info.isWritable() || !(info.permissions() & kAnyWrite)))
        throw EProfileWriteError(FFileName);

    std::unique_ptr<QIODevice> original;
    if (info.exists()) {
        original = OpenOriginal();
        if (!original)
            throw EProfileWriteError(FFileName);  // its content could not be kept
    }
    const std::optional<TWritePlan> planned = PlanWrite(original.get(), section, key, value);
    if (!planned)
        throw EProfileWriteError(FFileName);
    const TWritePlan &plan = *planned;

    QSaveFile out(FFileName);
    if (!out.open(QIODevice::WriteOnly))
        throw EProfileWriteError(FFileName);
    bool ok = true;
    if (original) {
        const qint64 size = original->size();
        ok = CopyRange(*original, out, 0, plan.editStart)
             && out.write(plan.Inserted) == plan.Inserted.size()
             && CopyRange(*original, out, plan.editEnd, size);
    } else {
        ok = out.write(plan.Inserted) == plan.Inserted.size();
    }
    // Windows refuses to replace a file that is still open.
    if (original)
        original->close();
    // A copy that fails midway (a read error, a file that shrank meanwhile) must
    // not replace the file with what was copied so far.
    if (!ok) {
        out.cancelWriting();
        out.commit();
        throw EProfileWriteError(FFileName);
    }
    if (!out.commit())
        throw EProfileWriteError(FFileName);
}

void TProfileFile::WriteInteger(const QString &section, const QString &key, int value)
{
    WriteString(section, key, QString::number(value));
}
