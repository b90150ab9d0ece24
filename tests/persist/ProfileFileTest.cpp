#include "ProfileFile.h"
#include "TempDir.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

// Bytes of a literal, embedded NULs included.
template <std::size_t N>
QByteArray Bytes(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

struct TWriteCase {
    const char *Name;
    std::optional<QByteArray> Before;  // nullopt: no file
    const char *Section;
    const char *Key;
    const char *Value;
    QByteArray After;
};

class ProfileWrite : public testing::TestWithParam<TWriteCase> {};

TEST_P(ProfileWrite, ChangesOnlyTheOneKey)
{
    const TWriteCase &c = GetParam();
    TTempDir tmp;
    const QString file = c.Before ? tmp.Write("t.ini", *c.Before) : tmp.Path("t.ini");
    TProfileFile(file).WriteString(c.Section, c.Key, c.Value);
    EXPECT_EQ(TTempDir::Read(file), c.After);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileWrite,
    testing::Values(
        TWriteCase{"NewFileGetsCrLf", std::nullopt, "DEVICE", "Settings_TERNU", "ABC",
                  "[DEVICE]\r\nSettings_TERNU=ABC\r\n"},
        TWriteCase{"EmptyFile", QByteArray(""), "S", "k", "v", "[S]\r\nk=v\r\n"},
        TWriteCase{"ReplacesInPlaceKeepingSpacingAndComments",
                  "; mine\r\n[MISC]\r\n  CPort = 3  \r\nLayout=0\r\n\r\n[X]\r\na=1\r\n", "MISC",
                  "CPort", "5",
                  "; mine\r\n[MISC]\r\n  CPort = 5\r\nLayout=0\r\n\r\n[X]\r\na=1\r\n"},
        TWriteCase{"NamesMatchWithoutCase", "[misc]\r\ncport=1\r\n", "MISC", "CPort", "2",
                  "[misc]\r\ncport=2\r\n"},
        TWriteCase{"BlanksInsideBracketsIgnored", "[ MISC ]\r\nCPort=1\r\n", "MISC", "CPort", "2",
                  "[ MISC ]\r\nCPort=2\r\n"},
        TWriteCase{"EmptyValueFilled", "[M]\r\nk=\r\n", "M", "k", "7", "[M]\r\nk=7\r\n"},
        TWriteCase{"MissingKeyGoesBeforeBlankLines",
                  "[MISC]\r\nA=1\r\n\r\n[B]\r\nx=1\r\n", "MISC", "Layout", "4",
                  "[MISC]\r\nA=1\r\nLayout=4\r\n\r\n[B]\r\nx=1\r\n"},
        TWriteCase{"MissingKeyInEmptySection", "[M]\r\n[N]\r\n", "M", "k", "v",
                  "[M]\r\nk=v\r\n[N]\r\n"},
        TWriteCase{"MissingSectionAppendedWithFileLineEnding", "[MISC]\n a=1\n", "DEVICE",
                  "Settings_TERNU", "ABC", "[MISC]\n a=1\n[DEVICE]\nSettings_TERNU=ABC\n"},
        TWriteCase{"LastLineWithoutEndingKeyAdded", "[MISC]\r\na=1", "MISC", "b", "2",
                  "[MISC]\r\na=1\r\nb=2\r\n"},
        TWriteCase{"LastLineWithoutEndingSectionAdded", "[MISC]\r\na=1", "S", "k", "v",
                  "[MISC]\r\na=1\r\n[S]\r\nk=v\r\n"},
        TWriteCase{"HeaderAloneWithoutEnding", "[M]", "M", "k", "v", "[M]\r\nk=v\r\n"},
        TWriteCase{"FirstOfDuplicateSectionsAndKeys",
                  "[M]\r\na=1\r\na=2\r\n[M]\r\na=3\r\n", "M", "a", "9",
                  "[M]\r\na=9\r\na=2\r\n[M]\r\na=3\r\n"},
        TWriteCase{"OrphanKeysAndLinesWithoutEqualsKept",
                  "k=1\r\nno equals\r\n[M]\r\njunk\r\n", "M", "k", "2",
                  "k=1\r\nno equals\r\n[M]\r\njunk\r\nk=2\r\n"},
        TWriteCase{"CommentIsNoKey", "[M]\r\n;k=1\r\n", "M", "k", "2", "[M]\r\n;k=1\r\nk=2\r\n"},
        TWriteCase{"SameKeyInOtherSectionUntouched", "[A]\r\nk=1\r\n[B]\r\nk=2\r\n", "B", "k",
                  "3", "[A]\r\nk=1\r\n[B]\r\nk=3\r\n"},
        TWriteCase{"LineBreaksInValueCannotAddLines", "[M]\r\nk=1\r\n", "M", "k", "a\r\n[X]",
                  "[M]\r\nk=a  [X]\r\n"},
        TWriteCase{"Windows1252Text", "[M]\r\nk=1\r\n", "M", "k", "Gr\xC3\xB6\xC3\x9F" "e",
                  "[M]\r\nk=Gr\xF6\xDF" "e\r\n"}),
    [](const auto &info) { return std::string(info.param.Name); });

struct TReadCase {
    const char *Name;
    QByteArray File;
    const char *Section;
    const char *Key;
    QString Expected;  // "<default>" when the default comes back
};

class ProfileRead : public testing::TestWithParam<TReadCase> {};

TEST_P(ProfileRead, FindsTheValue)
{
    const TReadCase &c = GetParam();
    TTempDir tmp;
    const QString file = tmp.Write("t.ini", c.File);
    EXPECT_EQ(TProfileFile(file).ReadString(c.Section, c.Key, "<default>"), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProfileRead,
    testing::Values(
        TReadCase{"Plain", "[MISC]\r\nLanguage=English\r\n", "MISC", "Language", "English"},
        TReadCase{"BlanksAndQuotesRemoved", "  [ misc ]  \n  language  =  \" Eng lish \"  \n",
                 "MISC", "Language", " Eng lish "},
        TReadCase{"UnmatchedQuoteKept", "[M]\nk=\"abc\n", "M", "k", "\"abc"},
        TReadCase{"EmptyValueIsNoDefault", "[M]\nk=\n", "M", "k", ""},
        TReadCase{"MissingKey", "[M]\na=1\n", "M", "k", "<default>"},
        TReadCase{"MissingSection", "[N]\nk=1\n", "M", "k", "<default>"},
        TReadCase{"KeyBeforeAnySection", "k=1\n[M]\n", "M", "k", "<default>"},
        TReadCase{"OnlyTheNamedSection", "[A]\nk=1\n[M]\nx=2\n[B]\nk=3\n", "M", "k", "<default>"},
        TReadCase{"FirstDuplicateKey", "[M]\nk=1\nk=2\n", "M", "k", "1"},
        TReadCase{"FirstDuplicateSection", "[M]\nx=1\n[M]\nk=2\n", "M", "k", "<default>"},
        TReadCase{"Windows1252", "[M]\nk=Gr\xF6\xDF" "e\n", "M", "k", QString::fromUtf8("Größe")},
        TReadCase{"ByteOrderMarkBeforeFirstSection", "\xEF\xBB\xBF[M]\nk=1\n", "M", "k", "1"},
        TReadCase{"Binary", Bytes("\0\x01[M\0]\xFF\n=\n[M]\nk=1"), "M", "k", "1"}),
    [](const auto &info) { return std::string(info.param.Name); });

TEST(ProfileFile, ReadingNeverCreatesTheFile)
{
    TTempDir tmp;
    const QString file = tmp.Path("none.ini");
    EXPECT_EQ(TProfileFile(file).ReadString("M", "k", "d"), "d");
    EXPECT_EQ(TProfileFile(file).ReadInteger("M", "k", -1), -1);
    EXPECT_FALSE(QFileInfo::exists(file));
}

TEST(ProfileFile, ControlBytesAreReadAsWrittenAndKeptByAWrite)
{
    struct TCase {
        const char *Name;
        QByteArray File;
        QString Section;
        QString Key;
        QString Value;
    } cases[] = {
        {"NUL in a value", Bytes("[M]\nk=a\0b\n"), "M", "k", QString("a") + QChar(0) + "b"},
        {"NUL in a key", Bytes("[M]\nk\0=1\n"), "M", QString("k") + QChar(0), "1"},
        {"NUL in a section name", Bytes("[M\0]\nk=1\n"), QString("M") + QChar(0), "k", "1"},
        {"NUL lines between", Bytes("\0\n[M]\n\0\0\nk=2\n\0"), "M", "k", "2"},
        {"other control bytes", "[M]\n\x01\x1f\x7f\nk=\x01v\x1f\n", "M", "k", "\x01v\x1f"},
        {"lone CR inside a line", "[M]\nx=1\rk=3\nk=4\n", "M", "k", "4"},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Name);
        TTempDir tmp;
        const QString file = tmp.Write("t.ini", c.File);
        TProfileFile ini(file);
        EXPECT_EQ(ini.ReadString(c.Section, c.Key, "<default>"), c.Value);
        ini.WriteString("Z", "new", "1");  // the file's own line ending is LF
        EXPECT_EQ(TTempDir::Read(file), c.File + (c.File.endsWith('\n') ? "" : "\n") + "[Z]\nnew=1\n");
    }
}

TEST(ProfileFile, IntegersFollowTheProfileRules)
{
    TTempDir tmp;
    const QString file = tmp.Write("t.ini", "[M]\na=0x10\nb=abc\nc=-7\nd=1a\ne=7F\n");
    const TProfileFile ini(file);
    EXPECT_EQ(ini.ReadInteger("M", "a", 0), 16);
    EXPECT_EQ(ini.ReadInteger("M", "b", 42), 42);
    EXPECT_EQ(ini.ReadInteger("M", "c", 0), -7);
    // Hexadecimal letters after decimal digits make no number: the caller's default.
    EXPECT_EQ(ini.ReadInteger("M", "d", 42), 42);
    EXPECT_EQ(ini.ReadInteger("M", "e", -1), -1);
}

TEST(ProfileFile, WriteKeepsPermissionsAndLeavesNoTemporaryFile)
{
    TTempDir tmp;
    const QString file = tmp.Write("t.ini", "[M]\r\nk=1\r\n");
    ASSERT_TRUE(QFile::setPermissions(
        file, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup));
    const auto before = QFileInfo(file).permissions();
    TProfileFile(file).WriteString("M", "k", "2");
    EXPECT_EQ(TTempDir::Read(file), "[M]\r\nk=2\r\n");
    EXPECT_EQ(QFileInfo(file).permissions(), before);
    EXPECT_EQ(QDir(tmp.Dir.path()).entryList(QDir::Files), QStringList{"t.ini"});
}

TEST(ProfileFile, FailedWriteThrowsAndLeavesTheFileAsItWas)
{
    TTempDir tmp;
    const QByteArray before = "[M]\r\nk=1\r\n";
    const QString readOnly = tmp.Write("ro.ini", before);
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    try {
        TProfileFile(readOnly).WriteString("M", "k", "2");
        FAIL() << "no error";
    } catch (const EProfileWriteError &e) {
        EXPECT_EQ(QString::fromUtf8(e.what()),
                  QStringLiteral("In %1 kann nicht geschrieben werden").arg(QDir::toNativeSeparators(readOnly)));
    }
    EXPECT_EQ(TTempDir::Read(readOnly), before);

    const QString inMissingFolder = tmp.Path("no/such/folder/t.ini");
    EXPECT_THROW(TProfileFile(inMissingFolder).WriteString("M", "k", "1"), EProfileWriteError);
    EXPECT_FALSE(QFileInfo::exists(inMissingFolder));
}

// How reading a profile file's content goes wrong, counted in bytes read in all: a
// write reads the content once to find the key's place and once more to copy it.
struct TReadFailure {
    const char *What;
    qint64 At;       // bytes read in all before it fails
    bool Shrinks;    // the data ends there, as if the file had been cut short
    bool Transient;  // one read fails, the next ones work again
};

// The file's content, read through the given failure.
class TFailingContent final : public QBuffer {
public:
    TFailingContent(const QByteArray &content, const TReadFailure &failure)
        : FContent(content), FFailure(failure)
    {
        setBuffer(&FContent);
    }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (!FFailed && FRead >= FFailure.At) {
            FFailed = FFailure.Transient;
            return FFailure.Shrinks ? 0 : -1;
        }
        const qint64 limit = FFailed ? maxSize : qMin(maxSize, FFailure.At - FRead);
        const qint64 got = QBuffer::readData(data, limit);
        FRead += qMax<qint64>(got, 0);
        return got;
    }

private:
    QByteArray FContent;
    TReadFailure FFailure;
    qint64 FRead = 0;
    bool FFailed = false;
};

// A profile file whose content is read through a failure.
class TProfileFileFailingRead final : public TProfileFile {
public:
    TProfileFileFailingRead(const QString &fileName, const TReadFailure &failure)
        : TProfileFile(fileName), FFailure(failure)
    {
    }

protected:
    std::unique_ptr<QIODevice> OpenOriginal() const override
    {
        QFile file(FileName());
        if (!file.open(QIODevice::ReadOnly))
            return nullptr;
        auto device = std::make_unique<TFailingContent>(file.readAll(), FFailure);
        device->open(QIODevice::ReadOnly);
        return device;
    }

private:
    TReadFailure FFailure;
};

TEST(ProfileFile, ReadFailingMidwayLeavesTheFileAsItWas)
{
    QByteArray before = "[M]\r\nk=1\r\n";
    for (int i = 0; i < 20000; ++i)
        before += "line" + QByteArray::number(i) + "=some value\r\n";
    const qint64 size = before.size();
    const qint64 middleLine = before.indexOf("line10000=");
    const TReadFailure failures[] = {
        {"read error while copying", size + middleLine, false, false},
        {"the file shrinks while it is copied", size + middleLine, true, false},
        // The place found in half the file would put the new section into [M],
        // and the keys after it into the new section.
        {"one read error while finding the place", middleLine, false, true},
    };
    for (const TReadFailure &failure : failures) {
        SCOPED_TRACE(failure.What);
        TTempDir tmp;
        const QString file = tmp.Write("t.ini", before);
        TProfileFileFailingRead ini(file, failure);
        EXPECT_THROW(ini.WriteString("Z", "new", "1"), EProfileWriteError);
        EXPECT_EQ(TTempDir::Read(file), before);
        EXPECT_EQ(QDir(tmp.Dir.path()).entryList(QDir::Files), QStringList{"t.ini"});
    }
}

TEST(ProfileFile, LongLinesAreReadWholeWithTheirLineEnding)
{
    // Lengths around the 4 KB pieces the file is read in, where a CR LF can be
    // cut in two, and one close to the 64 KB a key line may have.
    for (const int length : {4093, 4094, 4095, 8190, 65000}) {
        SCOPED_TRACE(length);
        TTempDir tmp;
        const QByteArray value(length, 'v');
        const QByteArray before = "[M]\r\nk=" + value + "\r\nz=1\r\n";
        const QString file = tmp.Write("t.ini", before);
        TProfileFile ini(file);
        EXPECT_EQ(ini.ReadString("M", "k", "d"), QString::fromLatin1(value));
        ini.WriteString("M", "z", "2");
        ini.WriteString("M", "new", "3");
        EXPECT_EQ(TTempDir::Read(file), "[M]\r\nk=" + value + "\r\nz=2\r\nnew=3\r\n");
    }
}

TEST(ProfileFile, EnormousAndBinaryContentSurvivesAWrite)
{
    TTempDir tmp;
    QByteArray junk(300 * 1024, 'x');
    junk[1000] = '\0';
    junk[2000] = '\n';  // a short line followed by one longer than any key line
    junk += "\r\n[M] =\r\n";
    const QByteArray before = "\x01\x02\xFF\r\n" + junk + "k=1\r\n";
    const QString file = tmp.Write("big.ini", before);

    const TProfileFile ini(file);
    EXPECT_EQ(ini.ReadString("M", "k", "d"), "1");
    TProfileFile(file).WriteString("M", "k", "22");
    QByteArray expected = before;
    expected.replace(expected.size() - 3, 1, "22");
    EXPECT_EQ(TTempDir::Read(file), expected);
}

TEST(ProfileFile, WriteThroughSymbolicLinkKeepsTheLink)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "QFile::link makes a shortcut on Windows, not a symbolic link";
#endif
    TTempDir tmp;
    const QString target = tmp.Write("real.ini", "[M]\r\nk=1\r\n");
    const QString link = tmp.Path("link.ini");
    ASSERT_TRUE(QFile::link(target, link));
    TProfileFile(link).WriteString("M", "k", "2");
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(TTempDir::Read(target), "[M]\r\nk=2\r\n");
}

}  // namespace
