// The window's tool configuration, settings files, styles and placement.
#include "Controls.h"
#include "FormSize.h"
#include "WindowFixture.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTimeEdit>

namespace {

// Bytes of a literal, embedded NULs included.
template <std::size_t N>
QByteArray Bytes(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

// The default settings, as the window starts with them.
const QByteArray kDefaultText = "0000000000000852080000B0000096820000140002A801";
// The same with lap mode 2 (lap time) and a female rider.
const QByteArray kLapTimeFemaleText = "0000000000000852080000B0000096820200140002AA01";

class PersistTest : public WindowFixture {
protected:
    static QByteArray ContentOf(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QList<QAction *> TickedLayoutItems() const
    {
        emit Child<QMenu>(*window, "mnuLayout")->aboutToShow();
        QList<QAction *> ticked;
        for (QAction *item : Child<QMenu>(*window, "mnuLayout")->actions())
            if (item->isChecked())
                ticked << item;
        return ticked;
    }
};

TEST_F(PersistTest, FirstRunStartsWithDefaultsAndWritesTheSectionsInOrder)
{
    TFTernuSetup &w = MakeWindow();
    EXPECT_FALSE(QFile::exists(IniFile())) << "reading created the file";
    EXPECT_EQ(w.PortChoiceState().ComPortNo, -1);
    EXPECT_TRUE(w.PortChoiceState().AutoDetect);
    EXPECT_EQ(TickedLayoutItems(), QList<QAction *>{Child<QAction>(w, "mnuOfficeBlue")});  // style 0
    EXPECT_EQ(w.GetLanguageName(), "German");

    w.move(100, 80);
    const QRect frame = w.frameGeometry();
    w.close();
    window.reset();

    EXPECT_EQ(ContentOf(IniFile()),
              "[MISC]\r\nCPort=-1\r\nLayout=0\r\nLanguage=German\r\n"
              "[DEVICE]\r\nSettings_TERNU=" + kDefaultText + "\r\n"
              "[FTernuSetup]\r\n"
              + QStringLiteral("Left=%1\r\nTop=%2\r\nRight=%3\r\nBottom=%4\r\n")
                    .arg(frame.x()).arg(frame.y())
                    .arg(frame.x() + frame.width()).arg(frame.y() + frame.height()).toLatin1()
              + "Maximized=0\r\n");
    EXPECT_TRUE(fakeDialogs.Errors.isEmpty()) << fakeDialogs.Errors.join('\n').toStdString();
}

TEST_F(PersistTest, RestoreStateBringsBackEveryStoredChoice)
{
    WriteFile(IniFile(), "; kept\r\n[FTernuSetup]\r\nLeft=40\r\nTop=60\r\nRight=700\r\nBottom=600\r\n"
                       "[MISC]\r\nCPort=-1\r\nLayout=5\r\nLanguage=English\r\n"
                       "[DEVICE]\r\nSettings_TERNU=" + kLapTimeFemaleText + "\r\n");
    TFTernuSetup &w = MakeWindow();

    EXPECT_EQ(w.GetLanguageName(), "English");
    EXPECT_EQ(w.pos(), QPoint(40, 60));  // the window keeps its own size
    EXPECT_FALSE(w.windowState() & Qt::WindowMaximized);

    // The stored settings are applied, then the lap controls and the sex picture
    // follow them.
    EXPECT_EQ(Child<QComboBox>(w, "cboLapMode")->currentIndex(), 2);
    EXPECT_FALSE(Child<QTimeEdit>(w, "edLapTime")->isHidden());
    EXPECT_TRUE(Child<TFloatSpinEdit>(w, "edLapDist")->isHidden());
    EXPECT_EQ(ImageOf(Child<QLabel>(w, "imgUserSex")->pixmap()), AssetImage("sex_female.png"));
    // The weight unit in use is the one shown: running its handler converts nothing.
    const int weight = Child<TSpinEdit>(w, "edWeight")->value();
    w.rgWeightClick();
    EXPECT_EQ(Child<TSpinEdit>(w, "edWeight")->value(), weight);

    // The style comes last and reaches every styled part; the Layout menu ticks it.
    const auto obsidian = *StyleScheme(tsOffice2007Obsidian);
    EXPECT_EQ(Child<TGradientPanel>(w, "AdvPanel1")->TopColor(), obsidian.PanelTop);
    EXPECT_EQ(Child<QMenu>(w, "mnuWheel")->styleSheet(), MenuStyleSheet(obsidian));
    EXPECT_EQ(TickedLayoutItems(), QList<QAction *>{Child<QAction>(w, "mnuOfficeObsidian")});

    w.close();
    window.reset();
    const QByteArray after = ContentOf(IniFile());
    EXPECT_TRUE(after.startsWith("; kept\r\n[FTernuSetup]\r\nLeft=40\r\nTop=60\r\n")) << after.toStdString();
    EXPECT_TRUE(after.contains("[MISC]\r\nCPort=-1\r\nLayout=5\r\nLanguage=English\r\n[DEVICE]"));
    EXPECT_TRUE(after.contains("Settings_TERNU=" + kLapTimeFemaleText + "\r\n"));
}

TEST_F(PersistTest, PoundWeightsComeBackUnchangedAfterRestarts)
{
    // 177 lb and 100 lb with the flags naming lb (20); the window starts in kg.
    for (const QByteArray &stored : {QByteArray("0000000000000852080000B10000968200001400022001"),
                                    QByteArray("0000000000000852080000640000968200001400022001")}) {
        SCOPED_TRACE(stored.toStdString());
        WriteFile(IniFile(), "[DEVICE]\r\nSettings_TERNU=" + stored + "\r\n");
        for (int start = 0; start < 3; ++start) {
            MakeWindow();
            window->close();
            window.reset();
            ASSERT_TRUE(ContentOf(IniFile()).contains("Settings_TERNU=" + stored + "\r\n"))
                << ContentOf(IniFile()).toStdString();
        }
    }
}

TEST_F(PersistTest, StyleNumbersWithoutAnItemAreKeptAndTickNothing)
{
    WriteFile(IniFile(), "[MISC]\r\nLayout=8\r\nCPort=abc\r\n");
    MakeWindow();
    EXPECT_TRUE(window->PortChoiceState().AutoDetect);
    EXPECT_TRUE(TickedLayoutItems().isEmpty());
    window->close();
    window.reset();
    EXPECT_TRUE(ContentOf(IniFile()).contains("[MISC]\r\nLayout=8\r\nCPort=-1\r\n")) << ContentOf(IniFile()).toStdString();

    TFTernuSetup &w = MakeWindow();
    Child<QAction>(w, "mnuOfficeLuna")->trigger();
    EXPECT_EQ(Child<TGradientPanel>(w, "AdvPanel1")->TopColor(), StyleScheme(tsOffice2007Luna)->PanelTop);
    EXPECT_EQ(TickedLayoutItems(), QList<QAction *>{Child<QAction>(w, "mnuOfficeLuna")});
    w.close();
    window.reset();
    EXPECT_TRUE(ContentOf(IniFile()).contains("Layout=4\r\n")) << ContentOf(IniFile()).toStdString();
}

TEST_F(PersistTest, LayoutReadsItsLowEightBitsAndWritesThemBack)
{
    WriteFile(IniFile(), "[MISC]\r\nLayout=260\r\n");
    TFTernuSetup &w = MakeWindow();
    EXPECT_EQ(TickedLayoutItems(), QList<QAction *>{Child<QAction>(w, "mnuOfficeLuna")});
    w.close();
    window.reset();
    EXPECT_TRUE(ContentOf(IniFile()).contains("Layout=4\r\n"));
}

TEST_F(PersistTest, DamagedConfigurationStartsWithDefaultsAndKeepsItsLines)
{
    const QByteArray damaged = Bytes("Layout=7\r\n\0\xFF\xFE no equals\r\n[MISC]\r\nCPort=\r\n[misc]\r\nLayout=9\r\n");
    WriteFile(IniFile(), damaged);
    TFTernuSetup &w = MakeWindow();
    EXPECT_TRUE(w.PortChoiceState().AutoDetect);
    EXPECT_EQ(TickedLayoutItems(), QList<QAction *>{Child<QAction>(w, "mnuOfficeBlue")});  // style 0
    EXPECT_EQ(w.GetLanguageName(), "German");

    w.close();
    window.reset();
    const QByteArray after = ContentOf(IniFile());
    EXPECT_TRUE(after.startsWith(Bytes("Layout=7\r\n\0\xFF\xFE no equals\r\n[MISC]\r\nCPort=-1\r\n"
                                       "Layout=0\r\nLanguage=German\r\n[misc]\r\nLayout=9\r\n[DEVICE]\r\n")))
        << after.toStdString();
}

TEST_F(PersistTest, ReadOnlyConfigurationIsReportedOnceAndTheWindowStillCloses)
{
    const QByteArray before = "[MISC]\r\nCPort=-1\r\nLayout=3\r\n";
    WriteFile(IniFile(), before);
    ASSERT_TRUE(QFile::setPermissions(IniFile(), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    TFTernuSetup &w = MakeWindow();
    int closedSignals = 0;
    QObject::connect(&w, &TFTernuSetup::FormClosed, [&closedSignals] { ++closedSignals; });
    w.show();

    w.close();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(closedSignals, 1);
    ASSERT_EQ(fakeDialogs.Errors.size(), 1);
    EXPECT_EQ(fakeDialogs.Errors[0], QStringLiteral("In %1 kann nicht geschrieben werden").arg(IniFile()));
    window.reset();  // the placement cannot be written either; nothing more is reported
    EXPECT_EQ(fakeDialogs.Errors.size(), 1);
    EXPECT_EQ(ContentOf(IniFile()), before);
}

TEST_F(PersistTest, SettingsFilesThroughTheMenus)
{
    TFTernuSetup &w = MakeWindow();
    const QString settingsFolder = DataFolder() + QStringLiteral("/Settings");
    const QString saved = settingsFolder + QStringLiteral("/rider.dat");

    // Cancelling either dialog changes nothing.
    Child<QAction>(w, "mnuSave")->trigger();
    Child<QAction>(w, "mnuLoad")->trigger();
    EXPECT_TRUE(QDir(settingsFolder).isEmpty());
    ASSERT_EQ(fakeDialogs.SaveDialogs.size(), 1);
    ASSERT_EQ(fakeDialogs.OpenDialogs.size(), 1);
    for (const TFileDialogSpec &dialog : {fakeDialogs.SaveDialogs[0], fakeDialogs.OpenDialogs[0]}) {
        EXPECT_EQ(dialog.StartFolder, settingsFolder);
        EXPECT_EQ(dialog.DefaultExtension, "dat");
        EXPECT_EQ(dialog.Filter, "Setting Dateien (*.dat)|*.dat");
    }

    fakeDialogs.SaveAnswers << saved;
    Child<QAction>(w, "mnuSave")->trigger();
    EXPECT_EQ(ContentOf(saved), "[DEVICE]\r\nSettings_TERNU=" + kDefaultText + "\r\n");

    const QString other = settingsFolder + QStringLiteral("/other.dat");
    WriteFile(other, "[Notes]\r\nBike=Road\r\n\r\n[DEVICE]\r\nSettings_TERNU=" + kLapTimeFemaleText + "\r\n");
    fakeDialogs.OpenAnswers << other;
    Child<QAction>(w, "mnuLoad")->trigger();
    EXPECT_EQ(Child<QComboBox>(w, "cboLapMode")->currentIndex(), 2);
    EXPECT_FALSE(Child<QTimeEdit>(w, "edLapTime")->isHidden());

    // Saving into it replaces only the settings text.
    fakeDialogs.SaveAnswers << other;
    Child<QAction>(w, "mnuSave")->trigger();
    EXPECT_EQ(ContentOf(other), "[Notes]\r\nBike=Road\r\n\r\n[DEVICE]\r\nSettings_TERNU="
                                    + kLapTimeFemaleText + "\r\n");

    const QString unwritable = settingsFolder + QStringLiteral("/missing/x.dat");
    fakeDialogs.SaveAnswers << unwritable;
    Child<QAction>(w, "mnuSave")->trigger();
    ASSERT_EQ(fakeDialogs.Errors.size(), 1);
    EXPECT_EQ(fakeDialogs.Errors[0], QStringLiteral("In %1 kann nicht geschrieben werden").arg(unwritable));
}

}  // namespace
