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

struct Line {
    qint64 start = 0;          // offset of the first byte of the line
    qint64 contentLength = 0;  // bytes before the line ending
    int endingLength = 0;      // 0 (last line without ending), 1 (LF) or 2 (CR LF)
    QByteArray content;        // the content; empty when the line was too long
    bool tooLong = false;

    qint64 contentEnd() const { return start + contentLength; }
    qint64 end() const { return contentEnd() + endingLength; }
};

// Reads a file line by line with the offsets of each line.
class LineReader {
public:
    explicit LineReader(QIODevice &file) : FFile(file) {}

    bool next(Line &line)
    {
        if (FFailed || FFile.atEnd())
            return false;
        line = Line{};
        line.start = FOffset;
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
            line.endingLength = lastBeforeEnding == '\r' ? 2 : 1;
        line.contentLength = total - line.endingLength;
        line.tooLong = line.contentLength > kMaxLineLength;
        if (!line.tooLong)
            line.content = kept.left(line.contentLength);
        return true;
    }

    // Whether the reading stopped at an error before the end of the file.
    bool failed() const { return FFailed; }

private:
    QIODevice &FFile;
    qint64 FOffset = 0;
    bool FFailed = false;
};

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// What a line is for the profile rules.
struct ParsedLine {
    enum Kind { Other, Section, Key } kind = Other;
    QString name;              // section or key name, trimmed
    qsizetype valueStart = 0;  // Key: offset in the content where the value begins
};

ParsedLine parse(const Line &line)
{
    ParsedLine parsed;
    if (line.tooLong)
        return parsed;
    QByteArray content = line.content;
    qsizetype skipped = 0;
    if (line.start == 0 && content.startsWith("\xEF\xBB\xBF")) {
        content = content.mid(3);
        skipped = 3;
    }
    const QByteArray trimmed = content.trimmed();
    if (trimmed.startsWith('[')) {
        qsizetype close = trimmed.indexOf(']');
        if (close < 0)
            close = trimmed.size();
        parsed.kind = ParsedLine::Section;
        parsed.name = Cp1252::toUnicode(trimmed.mid(1, close - 1).trimmed());
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
    while (valueStart < content.size() && isBlank(content[valueStart]))
        ++valueStart;
    parsed.kind = ParsedLine::Key;
    parsed.name = Cp1252::toUnicode(key);
    parsed.valueStart = valueStart + skipped;
    return parsed;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString valueOf(const Line &line, const ParsedLine &parsed)
{
    QByteArray value = line.content.mid(parsed.valueStart).trimmed();
    if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
        value = value.mid(1, value.size() - 2);
    return Cp1252::toUnicode(value);
}

// Where a write goes: the bytes [editStart, editEnd) of the file are replaced by
// the inserted text.
struct WritePlan {
    qint64 editStart = 0;
    qint64 editEnd = 0;
    QByteArray inserted;
};

// The texts written must not break the line structure of the file.
QByteArray oneLine(const QString &text)
{
    QString flat = text;
    flat.replace(QLatin1Char('\r'), QLatin1Char(' '));
    flat.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return Cp1252::fromUnicode(flat);
}

// Nothing when the file could not be read to the place of the key: a place found
// in part of the file could put the new key into the wrong section.
std::optional<WritePlan> planWrite(QIODevice *file, const QString &section, const QString &key,
                                   const QString &value)
{
    const QByteArray valueBytes = oneLine(value);
    const QByteArray keyLine = oneLine(key) + '=' + valueBytes;

    QByteArray ending;              // the file's own line ending
    bool inSection = false;         // inside the first section of that name
    bool sectionSeen = false;
    qint64 sectionInsertAt = 0;     // after the last non-blank line of the section
    bool sectionInsertNeedsEnding = false;
    qint64 fileEnd = 0;
    bool fileEndsWithEnding = true;

    if (file) {
        LineReader reader(*file);
        Line line;
        while (reader.next(line)) {
            if (ending.isEmpty() && line.endingLength == 2)
                ending = "\r\n";
            else if (ending.isEmpty() && line.endingLength == 1)
                ending = "\n";
            fileEnd = line.end();
            fileEndsWithEnding = line.endingLength > 0;

            const ParsedLine parsed = parse(line);
            if (parsed.kind == ParsedLine::Section) {
                if (inSection)
                    break;  // the section ends here
                if (!sectionSeen && sameName(parsed.name, section)) {
                    inSection = sectionSeen = true;
                    sectionInsertAt = line.end();
                    sectionInsertNeedsEnding = line.endingLength == 0;
                }
                continue;
            }
            if (!inSection)
                continue;
            if (parsed.kind == ParsedLine::Key && sameName(parsed.name, key)) {
                return WritePlan{line.start + parsed.valueStart, line.contentEnd(), valueBytes};
            }
            if (line.tooLong || !line.content.trimmed().isEmpty()) {
                sectionInsertAt = line.end();
                sectionInsertNeedsEnding = line.endingLength == 0;
            }
        }
        if (reader.failed())
            return std::nullopt;
    }
    if (ending.isEmpty())
        ending = "\r\n";

    if (sectionSeen) {
        const QByteArray before = sectionInsertNeedsEnding ? ending : QByteArray();
        return WritePlan{sectionInsertAt, sectionInsertAt, before + keyLine + ending};
    }
    QByteArray appended = fileEndsWithEnding ? QByteArray() : ending;
    appended += '[' + oneLine(section) + ']' + ending + keyLine + ending;
    return WritePlan{fileEnd, fileEnd, appended};
}

bool copyRange(QIODevice &from, QSaveFile &to, qint64 start, qint64 end)
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

QString TProfileFile::readString(const QString &section, const QString &key,
                                 const QString &defaultValue) const
{
    QFile file(FFileName);
    if (!file.open(QIODevice::ReadOnly))
        return defaultValue;
    LineReader reader(file);
    Line line;
    bool inSection = false;
    while (reader.next(line)) {
        const ParsedLine parsed = parse(line);
        if (parsed.kind == ParsedLine::Section) {
            if (inSection)
                break;
            inSection = sameName(parsed.name, section);
        } else if (inSection && parsed.kind == ParsedLine::Key && sameName(parsed.name, key)) {
            return valueOf(line, parsed);
        }
    }
    return defaultValue;
}

int TProfileFile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    const QString text = readString(section, key, QString());
    return profileIntegerOr(text, defaultValue);
}

std::unique_ptr<QIODevice> TProfileFile::openOriginal() const
{
    auto file = std::make_unique<QFile>(FFileName);
    if (!file->open(QIODevice::ReadOnly))
        return nullptr;
    return file;
}

void TProfileFile::writeString(const QString &section, const QString &key, const QString &value)
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
        original = openOriginal();
        if (!original)
            throw EProfileWriteError(FFileName);  // its content could not be kept
    }
    const std::optional<WritePlan> planned = planWrite(original.get(), section, key, value);
    if (!planned)
        throw EProfileWriteError(FFileName);
    const WritePlan &plan = *planned;

    QSaveFile out(FFileName);
    if (!out.open(QIODevice::WriteOnly))
        throw EProfileWriteError(FFileName);
    bool ok = true;
    if (original) {
        const qint64 size = original->size();
        ok = copyRange(*original, out, 0, plan.editStart)
             && out.write(plan.inserted) == plan.inserted.size()
             && copyRange(*original, out, plan.editEnd, size);
    } else {
        ok = out.write(plan.inserted) == plan.inserted.size();
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

void TProfileFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}
