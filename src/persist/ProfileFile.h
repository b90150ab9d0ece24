#pragma once
#include <QString>

#include <memory>
#include <stdexcept>

class QIODevice;

// A write to a profile file failed (read-only file or folder, missing folder,
// full disk). The message names the file.
class EProfileWriteError : public std::runtime_error {
public:
    explicit EProfileWriteError(const QString &fileName);
};

// An INI ("profile") file, read and written one key at a time.
//
// Reading: section and key names match without regard to case; blanks around
// names and values are ignored and a value in matching double quotes loses them.
// Of duplicate sections or keys the first one counts. A missing file, section or
// key gives the caller's default, and reading never creates the file.
//
// Writing: the key's value is replaced in place, a missing key is added after
// the last non-blank line of its section, a missing section is added at the end
// of the file. Every other byte of the file stays as it was; new lines take the
// file's own line ending (CR LF for a new file). Each write replaces the file
// atomically and keeps its permissions; a failure throws EProfileWriteError and
// leaves the file untouched.
//
// Texts are Windows-1252 in the file. Nothing is held open between calls.
class TProfileFile {
public:
    explicit TProfileFile(QString fileName);
    virtual ~TProfileFile() = default;

    const QString &FileName() const { return FFileName; }

    QString ReadString(const QString &section, const QString &key,
                       const QString &defaultValue) const;
    // The value read by the profile integer rules (see ProfileInteger.h).
    int ReadInteger(const QString &section, const QString &key, int defaultValue) const;

    void WriteString(const QString &section, const QString &key, const QString &value);
    void WriteInteger(const QString &section, const QString &key, int value);

protected:
    // The file's present content, open for reading from its start; null when it
    // cannot be opened. A write reads it twice, to find its place and to copy it. A
    // test replaces it to let the copy fail midway, as a failing disk or a file
    // that shrinks meanwhile would.
    virtual std::unique_ptr<QIODevice> OpenOriginal() const;

private:
    QString FFileName;
};
