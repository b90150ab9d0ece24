#pragma once
#include "FakeDialogs.h"
#include "Controls.h"
#include "FormTernuSetup.h"
#include "SpinEdit.h"

#include <QApplication>
#include <QtWidgets>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

// The child of that type and object name (a control, menu, action or timer of the
// window); a missing one ends the test program with its name rather than a crash.
template <class W>
W *Child(const QObject &parent, const char *name)
{
    W *child = parent.findChild<W *>(QString::fromLatin1(name));
    if (!child)
        qFatal("%s has no child named %s", qPrintable(parent.objectName()), name);
    return child;
}

// A picture's pixels in one format, so that pictures from different sources compare.
inline QImage ImageOf(const QPixmap &picture)
{
    return picture.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// A picture compiled into the program (the window's resources), by file name.
inline QImage AssetImage(const char *file)
{
    const QImage image(QStringLiteral(":/assets/") + QString::fromLatin1(file));
    if (image.isNull())
        qFatal("no picture %s among the resources", file);
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// A main window in a sandbox: its per-user data folder lies below a temporary
// XDG_CONFIG_HOME, its program folder is an empty temporary folder (put a Lang/
// folder there as needed), and its dialogs are answered by fakeDialogs.
class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(configHome.isValid() && programDir.isValid());
        FOldConfigHome = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
    }

    void TearDown() override
    {
        window.reset();
        if (FOldConfigHome.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", FOldConfigHome);
    }

    // Builds the window (FormCreate runs); call again to start anew.
    TFTernuSetup &MakeWindow()
    {
        window.reset();
        TWindowEnvironment env;
        env.ProgramFolder = programDir.path();
        env.Dialogs = &fakeDialogs;
        window = std::make_unique<TFTernuSetup>(env);
        return *window;
    }

    // Shows the window and waits until it is active, so that keys reach it.
    void ShowActive()
    {
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QApplication::processEvents();
    }

    template <class W>
    W *Find(const char *name) const
    {
        return window->findChild<W *>(QString::fromLatin1(name));
    }

    QString DataFolder() const { return configHome.path() + QStringLiteral("/Orvan/SetupTool"); }
    // The tool configuration (port, layout, language, settings) in the data folder.
    QString IniFile() const { return DataFolder() + QStringLiteral("/Ternu_SetupTool.ini"); }

    // Writes a file with exactly that content, making its folder first.
    static void WriteFile(const QString &file, const QByteArray &content)
    {
        QDir().mkpath(QFileInfo(file).path());
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << file.toStdString();
        ASSERT_EQ(f.write(content), content.size()) << file.toStdString();
    }

    QTemporaryDir configHome;
    QTemporaryDir programDir;
    TFakeDialogs fakeDialogs;
    std::unique_ptr<TFTernuSetup> window;

private:
    QByteArray FOldConfigHome;
};
