#include "LanguageErrors.h"
#include "LanguageList.h"
#include "LanguageFixture.h"
#include "PhotoButton.h"

#include <QDir>
#include <QFile>
#include <QHash>

#include <optional>

namespace {

class LanguageWindow : public LanguageFixture {
protected:
    QStringList MemoLines() const { return Child<QPlainTextEdit>(*window, "Memo1")->toPlainText().split('\n'); }
};

TEST_F(LanguageWindow, WithoutLanguageFilesShowsBuiltInGermanAndFillsMessages)
{
    MakeWindow();
    EXPECT_EQ(Child<QComboBox>(*window, "cboLang")->count(), 0);
    EXPECT_EQ(Child<QComboBox>(*window, "cboLang")->currentIndex(), -1);
    EXPECT_EQ(window->GetLanguageName(), "German");
    EXPECT_EQ(Child<QPushButton>(*window, "btnClose")->text(), "&Schließen");
    EXPECT_EQ(window->MessageString(u"strTOOLCAPTION"), "Ternu Einstellungswerkzeug");
    EXPECT_EQ(window->MessageString(u"strStrDELETEDATAS"), "DATEN LÖSCHEN...");
    EXPECT_EQ(Child<QToolButton>(*window, "btnWheel1")->toolTip(), "Wählen Sie einen vordefinierten Wert");
    EXPECT_EQ(Child<QToolButton>(*window, "btnwheel2")->toolTip(), Child<QToolButton>(*window, "btnWheel1")->toolTip());
}

TEST_F(LanguageWindow, OffersShippedLanguagesSortedAndSelectsTheCurrentOne)
{
    InstallShippedLanguages();
    WriteLanguageFile("sub/Svenska.sil", "[Language names - for internal use only!]\nLanguage_1=Svenska\n");
    MakeWindow();
    QStringList items;
    for (int i = 0; i < Child<QComboBox>(*window, "cboLang")->count(); ++i)
        items.append(Child<QComboBox>(*window, "cboLang")->itemText(i));
    EXPECT_EQ(items, QStringList({"Dutch", "English", "French", "German", "Italian", "Spanish"}));
    EXPECT_EQ(Child<QComboBox>(*window, "cboLang")->currentText(), window->GetLanguageName());
}

TEST_F(LanguageWindow, SwitchRewritesTextsKeepsSelectionsAndSetsCaption)
{
    InstallShippedLanguages();
    MakeWindow();
    Child<QComboBox>(*window, "cboLapMode")->setCurrentIndex(2);
    Child<QComboBox>(*window, "cboSex")->setCurrentIndex(1);
    Child<QLabel>(*window, "lbDevLink")->setText("   Error");  // as an exchange leaves it
    const QString unitsBefore = Child<TRadioGroup>(*window, "rgSpeed")->Button(0)->text();
    const QString kgBefore = Child<QLabel>(*window, "lbKG")->text();

    Choose("French");  // a language that only a file brings
    EXPECT_TRUE(fakeDialogs.Errors.isEmpty()) << fakeDialogs.Errors.join('\n').toStdString();
    EXPECT_EQ(window->GetLanguageName(), "French");
    EXPECT_EQ(Child<QPushButton>(*window, "btnClose")->text(), "&Fermer");
    EXPECT_EQ(Child<QGroupBox>(*window, "grpTime")->title(), "&Heure && date");
    EXPECT_EQ(Child<QMenu>(*window, "mnuFile")->title(), "Fichier");
    EXPECT_EQ(Child<QAction>(*window, "mnuLoad")->text(), "Charger les réglages...");
    EXPECT_EQ(Child<TPhotoButton>(*window, "imgDevice")->toolTip(), "Cliquez sur l'image pour tester la connexion...");
    EXPECT_EQ(Child<TPhotoPrompt>(*window, "lblDev1")->text(), "  Cliquez ici");
    EXPECT_EQ(Child<QLabel>(*window, "lbDevLink")->text(), "PC  Link");
    Child<QAction>(*window, "mnuLoad")->trigger();  // the open dialog, cancelled
    ASSERT_EQ(fakeDialogs.OpenDialogs.size(), 1);
    EXPECT_EQ(fakeDialogs.OpenDialogs.last().Filter, "Fichiers de réglages (*.dat)|*.dat");
    EXPECT_EQ(MemoLines().size(), 3);
    EXPECT_EQ(Child<QLabel>(*window, "DBHTMLabel1")->text(), "<B>Remarque :</B> votre Ternu doit être en mode <B>PC-Link</B> !");
    EXPECT_EQ(Child<QComboBox>(*window, "cboLapMode")->currentIndex(), 2);
    EXPECT_EQ(Child<QComboBox>(*window, "cboLapMode")->currentText(), "Par temps");
    EXPECT_EQ(Child<QComboBox>(*window, "cboSex")->currentText(), "femme");
    EXPECT_EQ(Child<TRadioGroup>(*window, "rgSpeed")->Button(0)->text(), unitsBefore);  // never translated
    EXPECT_EQ(Child<QLabel>(*window, "lbKG")->text(), kgBefore);
    EXPECT_EQ(window->MessageString(u"strStrNoPongReceived"), "Aucun pong reçu !");
    EXPECT_EQ(Child<QToolButton>(*window, "btnWheel1")->toolTip(), "Choisir une valeur prédéfinie dans la liste");
    EXPECT_EQ(window->windowTitle(), "Outil de configuration Ternu (Vers. 1.05)");
    EXPECT_TRUE(window->updatesEnabled());

    Choose("English");  // known after the load: no file is read
    EXPECT_EQ(Child<QPushButton>(*window, "btnClose")->text(), "&Close");
    EXPECT_EQ(MemoLines().at(0), "Use this dialog for adjusting your Ternu settings.");
    EXPECT_EQ(Child<QComboBox>(*window, "cboLapMode")->currentText(), "Auto Time");
    EXPECT_EQ(window->windowTitle(), "Ternu Setup Tool (Vers. 1.05)");
    ASSERT_FALSE(Child<QMenu>(*window, "mnuComport")->actions().isEmpty());
    EXPECT_EQ(Child<QMenu>(*window, "mnuComport")->actions().first()->text(), "AUTODETECT");

    Choose("German");
    EXPECT_EQ(Child<QPushButton>(*window, "btnClose")->text(), "&Schließen");
    EXPECT_EQ(MemoLines().at(1), "Nachdem Sie die Werte angepaßt haben drücken Sie den Übertragen Button in der rechten ");
    EXPECT_EQ(Child<QComboBox>(*window, "cboSex")->currentText(), "weiblich");
}

// How much room a control's text takes, and how much its place gives it, in the
// units of its kind (label and button width, title and item text width, lines of a
// memo, height of the wrapped note). Labels drawn on one picture share it: there
// the need is where the text ends, and the room is what the built-in texts use.
struct TTextFit {
    const QWidget *Place;
    int Need;
    int Room;
};

QString WithoutMnemonics(QString text)
{
    text.replace("&&", QString(QChar(1)));
    text.remove('&');
    return text.replace(QChar(1), '&');
}

std::optional<TTextFit> LabelFit(const QLabel *label)
{
    if (label->wordWrap())
        return TTextFit{label, label->heightForWidth(label->width()), label->height()};
    const int need = label->sizeHint().width();
    // Up to the next control on the same row, or the edge of its parent.
    int room = label->parentWidget()->width() - label->x();
    for (const QWidget *other : label->parentWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (auto *picture = qobject_cast<const QLabel *>(other);
            picture && !picture->pixmap().isNull() && picture->geometry().contains(label->geometry()))
            return TTextFit{picture, label->x() + need, 0};
        const bool sameRow = other->y() < label->geometry().bottom() && other->geometry().bottom() > label->y();
        if (other != label && !other->isHidden() && sameRow && other->x() > label->x())
            room = qMin(room, other->x() - label->x());
    }
    return TTextFit{label, need, room};
}

std::optional<TTextFit> FitOf(const QWidget *w)
{
    if (auto *label = qobject_cast<const QLabel *>(w); label && label->pixmap().isNull())
        return LabelFit(label);
    if (auto *button = qobject_cast<const QAbstractButton *>(w))
        return TTextFit{w, button->sizeHint().width(), button->width()};
    if (auto *group = qobject_cast<const QGroupBox *>(w))
        return TTextFit{w, group->fontMetrics().horizontalAdvance(WithoutMnemonics(group->title())), group->width() - 16};
    if (auto *combo = qobject_cast<const QComboBox *>(w)) {
        int widest = 0;
        for (int i = 0; i < combo->count(); ++i)
            widest = qMax(widest, combo->fontMetrics().horizontalAdvance(combo->itemText(i)));
        return TTextFit{w, widest, combo->width() - 24};
    }
    if (auto *memo = qobject_cast<const QPlainTextEdit *>(w); memo && memo->isReadOnly()) {
        int widest = 0;
        for (const QString &line : memo->toPlainText().split('\n'))
            widest = qMax(widest, memo->fontMetrics().horizontalAdvance(line));
        return TTextFit{w, widest, memo->viewport()->width()};
    }
    return std::nullopt;
}

TEST_F(LanguageWindow, ShippedTranslationsFitWhereTheBuiltInTextsFit)
{
    InstallShippedLanguages();
    MakeWindow();
    window->show();

    // The built-in English and German texts set what each place has to hold.
    QHash<const QWidget *, int> held;
    for (const char *builtIn : {"English", "German"}) {
        Choose(builtIn);
        QApplication::processEvents();
        for (const QWidget *w : window->findChildren<QWidget *>())
            if (const auto fit = FitOf(w))
                held[fit->Place] = qMax(held.value(fit->Place), qMax(fit->Need, fit->Room));
    }
    for (const char *language : {"French", "Italian", "Dutch", "Spanish"}) {
        Choose(language);
        QApplication::processEvents();
        for (const QWidget *w : window->findChildren<QWidget *>()) {
            const auto fit = FitOf(w);
            if (!fit)
                continue;
            EXPECT_LE(fit->Need, held.value(fit->Place)) << language << ": " << w->objectName().toStdString();
            if (auto *label = qobject_cast<const QLabel *>(w); label && !label->wordWrap())
                EXPECT_GE(label->width(), label->sizeHint().width()) << language << ": " << w->objectName().toStdString();
        }
    }
}

TEST_F(LanguageWindow, FileWithoutTheChosenNameFallsBackToEnglish)
{
    WriteLanguageFile("A.sil", "[Language names - for internal use only!]\nLanguage_1=English\nLanguage_2=B\n");
    WriteLanguageFile("B.sil", "[Language names - for internal use only!]\nLanguage_1=English\nLanguage_2=C\n"
                               "[Captions]\nTFTernuSetup.btnClose=&Close~!@#C-Close~!@#\n");
    MakeWindow();
    Choose("B");
    EXPECT_TRUE(fakeDialogs.Errors.isEmpty());
    EXPECT_EQ(window->GetLanguageName(), "English");
    EXPECT_EQ(Child<QPushButton>(*window, "btnClose")->text(), "&Close");
    EXPECT_EQ(window->MessageString(u"strTOOLCAPTION"), "");  // the file brings no message strings
}

TEST_F(LanguageWindow, FileNamesMatchInAnyLetterCase)
{
    InstallShippedLanguages();
    ASSERT_TRUE(QFile::rename(QDir(LangFolder()).filePath("French.sil"), QDir(LangFolder()).filePath("french.sil")));
    ASSERT_TRUE(QFile::rename(QDir(LangFolder()).filePath("Italian.sil"), QDir(LangFolder()).filePath("ITALIAN.SIL")));
    WriteFile(IniFile(), "[MISC]\r\nLanguage=French\r\n");

    MakeWindow();  // at the start
    EXPECT_EQ(window->GetLanguageName(), "French");
    EXPECT_EQ(Child<QPushButton>(*window, "btnClose")->text(), "&Fermer");
    Choose("Italian");  // from the language box
    EXPECT_TRUE(fakeDialogs.Errors.isEmpty()) << fakeDialogs.Errors.join('\n').toStdString();
    EXPECT_EQ(window->GetLanguageName(), "Italian");
    EXPECT_EQ(Child<QPushButton>(*window, "btnClose")->text(), "&Chiudi");
}

TEST_F(LanguageWindow, ControlNamesMatchInAnyLetterCase)
{
    WriteLanguageFile("Case.sil", "[Language names - for internal use only!]\nLanguage_1=German\nLanguage_2=Case\n"
                                  "[Captions]\n"
                                  "TFTernuSetup.BTNCLOSE=Zu~!@#Shut~!@#\n"
                                  "TFTernuSetup.mnuFile=Datei~!@#File~!@#\n"
                                  "[Hints]\n"
                                  "TFTernuSetup.IMGdevice=Bild~!@#Click the picture~!@#\n");
    MakeWindow();
    Choose("Case");
    EXPECT_EQ(Child<QPushButton>(*window, "btnClose")->text(), "Shut");
    EXPECT_EQ(Child<QMenu>(*window, "mnuFile")->title(), "File");
    EXPECT_EQ(Child<TPhotoButton>(*window, "imgDevice")->toolTip(), "Click the picture");

    // Each name stands for one control, whatever the letter case (the toolkit's
    // own parts and style objects aside).
    QHash<QString, int> named;
    for (QObject *child : window->findChildren<QObject *>()) {
        const QString name = child->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")) && !qobject_cast<QStyle *>(child))
            ++named[name.toLower()];
    }
    for (auto it = named.cbegin(); it != named.cend(); ++it)
        EXPECT_EQ(it.value(), 1) << it.key().toStdString();
}

TEST_F(LanguageWindow, PicturesKeepTheirPicturesWhateverTheFileSays)
{
    WriteLanguageFile("Pics.sil", "[Language names - for internal use only!]\nLanguage_1=German\nLanguage_2=Pics\n"
                                  "[Captions]\n"
                                  "TFTernuSetup.imgDevice=Bild~!@#Picture~!@#\n"
                                  "TFTernuSetup.imgSymbol=Symbol~!@#Symbol~!@#\n"
                                  "TFTernuSetup.imgUserSex=Mann~!@#Man~!@#\n"
                                  "[Hints]\n"
                                  "TFTernuSetup.imgDevice=Bild~!@#Click the picture~!@#\n");
    MakeWindow();
    const QList<QLabel *> pictures = {Child<QLabel>(*window, "imgSymbol"), Child<QLabel>(*window, "imgUserSex")};
    Choose("Pics");
    EXPECT_EQ(window->GetLanguageName(), "Pics");
    for (QLabel *picture : pictures) {
        SCOPED_TRACE(picture->objectName().toStdString());
        EXPECT_TRUE(picture->text().isEmpty());
        EXPECT_FALSE(picture->pixmap().isNull());
    }
    EXPECT_TRUE(Child<TPhotoButton>(*window, "imgDevice")->text().isEmpty());
    EXPECT_FALSE(Child<TPhotoButton>(*window, "imgDevice")->Picture().isNull());
    EXPECT_EQ(Child<TPhotoButton>(*window, "imgDevice")->toolTip(), "Click the picture");
}

TEST_F(LanguageWindow, MissingFileIsReportedAndChangesNothing)
{
    InstallShippedLanguages();
    MakeWindow();
    const QString caption = window->windowTitle();
    QFile::remove(QDir(LangFolder()).filePath("Spanish.sil"));
    Choose("Spanish");
    ASSERT_EQ(fakeDialogs.Errors.size(), 1);
    EXPECT_TRUE(fakeDialogs.Errors[0].contains("Spanish.sil"));
    EXPECT_EQ(window->GetLanguageName(), "German");
    EXPECT_EQ(Child<QPushButton>(*window, "btnClose")->text(), "&Schließen");
    EXPECT_EQ(window->windowTitle(), caption);
    EXPECT_TRUE(window->updatesEnabled());
}

TEST_F(LanguageWindow, LanguageBoxDrawsFlagAndName)
{
    MakeWindow();
    QImage image(112, 15, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    QStyleOptionViewItem option;
    option.rect = image.rect();
    option.palette = Child<QComboBox>(*window, "cboLang")->palette();
    QStandardItemModel model;
    model.appendRow(new QStandardItem("Français"));
    window->cboLangDrawItem(&painter, option, model.index(0, 0));
    painter.end();

    // The French flag sits at +2,+2 on the window colour; the name starts at +24.
    const QImage flag = AssetImage("flag_fr.png");
    ASSERT_EQ(flag.size(), QSize(16, 11));
    for (const QPoint corner : {QPoint(0, 0), QPoint(15, 10)}) {
        ASSERT_NE(flag.pixelColor(corner), option.palette.color(QPalette::Base));
        EXPECT_EQ(image.pixelColor(corner + QPoint(2, 2)), flag.pixelColor(corner));
    }
    EXPECT_EQ(image.pixelColor(1, 1), option.palette.color(QPalette::Base));
    EXPECT_EQ(image.pixelColor(18, 13), option.palette.color(QPalette::Base));
    bool nameDrawn = false;
    for (int x = 24; x < 60 && !nameDrawn; ++x)
        for (int y = 0; y < 15 && !nameDrawn; ++y)
            nameDrawn = image.pixelColor(x, y) != option.palette.color(QPalette::Base);
    EXPECT_TRUE(nameDrawn);
}

}  // namespace
