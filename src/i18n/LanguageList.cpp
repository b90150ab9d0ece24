#include "LanguageList.h"

#include "FindFiles.h"
#include "LanguageFile.h"
#include "TextCompare.h"

#include <QDir>

#include <algorithm>

QStringList ScanLanguageNames(const QString &languageFolder)
{
    QStringList files;
    FindFiles(languageFolder, QStringLiteral("*.sil"), &files, false);

    const QDir folder(languageFolder);
    QStringList names;
    for (const QString &fileName : files) {
        TLanguageFile file;
        try {
            file = TLanguageFile::Read(folder.filePath(fileName));
        } catch (const std::exception &) {
            continue;  // an unreadable file offers no language
        }
        // Only the first two languages of a file are offered.
        for (const QString &key : {QStringLiteral("Language_1"), QStringLiteral("Language_2")}) {
            const QString name = file.Value(TLanguageFile::kLanguageNames, key);
            if (!name.isEmpty() && !names.contains(name, Qt::CaseInsensitive))
                names.append(name);
        }
    }
    std::stable_sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return TextCompare::CompareCaseless(a, b) < 0;
    });
    return names;
}

int FlagIndexForLanguage(const QString &name)
{
    QString prefix = name.left(3);
    for (QChar &c : prefix) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + ('a' - 'A'));
    }
    static const struct {
        const char16_t *Prefix;
        int Index;
    } kRules[] = {
        {u"eng", 0}, {u"ger", 1}, {u"deu", 1}, {u"fre", 2}, {u"fra", 2}, {u"ita", 3},
        {u"net", 4}, {u"dut", 4}, {u"spa", 5}, {u"esp", 5},
    };
    for (const auto &rule : kRules) {
        if (prefix == QStringView(rule.Prefix))
            return rule.Index;
    }
    return 6;
}
