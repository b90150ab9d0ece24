#pragma once
#include "WindowFixture.h"

#include <QDir>
#include <QFile>

// A window fixture with language files in the program's Lang folder and the
// language box used as the user uses it.
class LanguageFixture : public WindowFixture {
protected:
    QString LangFolder() const { return QDir(programDir.path()).filePath("Lang"); }

    // The language files as shipped, copied from beside the test program.
    void InstallShippedLanguages()
    {
        QDir().mkpath(LangFolder());
        const QDir shipped(QCoreApplication::applicationDirPath() + "/Lang");
        const QStringList files = shipped.entryList({"*.sil"}, QDir::Files);
        ASSERT_EQ(files.size(), 5);
        for (const QString &file : files)
            ASSERT_TRUE(QFile::copy(shipped.filePath(file), QDir(LangFolder()).filePath(file)));
    }

    void WriteLanguageFile(const QString &name, const QByteArray &bytes)
    {
        const QString path = QDir(LangFolder()).filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    // A choice in the language box, as the user makes it.
    void Choose(const QString &name)
    {
        QComboBox *box = Child<QComboBox>(*window, "cboLang");
        const int index = box->findText(name);
        ASSERT_GE(index, 0) << name.toStdString();
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
};
