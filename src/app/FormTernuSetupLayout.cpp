// Builds the window's controls with their places, design values and built-in
// (German) texts. Places are pixels relative to the parent; no layouts, the window
// has a fixed size.
#include "Accessibility.h"
#include "Controls.h"
#include "FormTernuSetup.h"
#include "PhotoButton.h"
#include "Pictures.h"
#include "SpinEdit.h"
#include "ToolFont.h"
#include "WidgetTranslationTarget.h"

#include <QAction>
#include <QApplication>
#include <QBitmap>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTimeEdit>
#include <QTimer>
#include <QToolButton>

// The pictures are compiled into this static library; the linker keeps them only
// when something refers to their registration.
static void RegisterPictures()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(assets);
        return true;
    }();
    (void)registered;
}

namespace {

constexpr int kClientWidth = 675;
constexpr int kTopHeight = 57;
constexpr int kCentreWidth = 519;
constexpr int kPanelHeight = 448;
constexpr int kStatusHeight = 19;

template <class W>
W *Named(W *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QPixmap Picture(const char *resource)
{
    return LoadPicture(QStringLiteral(":/assets/") + QString::fromLatin1(resource), qApp->devicePixelRatio());
}

// The small device picture: its bottom-left pixel colour is transparent.
QPixmap SymbolPicture()
{
    QPixmap picture = Picture("symbol.png");
    if (picture.isNull())
        return picture;
    const QImage image = picture.toImage();
    const QColor transparent = image.pixelColor(0, image.height() - 1);
    picture.setMask(picture.createMaskFromColor(transparent, Qt::MaskInColor));
    return picture;
}

QFont ArialFont(int pixelSize, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    // Where no Arial is installed (Wine), a sans face rather than the serif default.
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Tahoma")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

// A drop-down list of the window, in the compact look. The lists share one style
// object, which lives as long as the application: each one makes a style of its
// own to draw on, a millisecond at start.
TDropDownList *CompactList(TDropDownList *list)
{
    static QPointer<TCompactComboStyle> shared;
    if (!shared) {
        shared = new TCompactComboStyle;
        shared->setParent(qApp);
    }
    list->setStyle(shared);
    return list;
}

// The short date format of the locale, always with a four-digit year.
QString ShortDateFormat()
{
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

}  // namespace

void TFTernuSetup::CreateControls()
{
    // Before the first control: the toolkit keeps the accessible interface it makes
    // for a control the first time it is asked.
    InstallAccessibleFactory();
    RegisterPictures();
    CreateMenus();
    auto *client = Named(new QWidget(this), "Client");
    client->setFixedSize(kClientWidth, kTopHeight + kPanelHeight);
    setCentralWidget(client);
    CreateTopPanel(client);
    CreateCentrePanel(client);
    CreateRightPanel(client);
    CreateStatusBar();

    Timer1 = Named(new QTimer(this), "Timer1");
    Timer1->setInterval(1000);
    Timer1->start();
    Timer2 = Named(new QTimer(this), "Timer2");
    Timer2->setInterval(550);
    Timer3 = Named(new QTimer(this), "Timer3");
    Timer3->setInterval(600);

    imgSex = {Picture("sex_male.png"), Picture("sex_female.png")};
    imgFlags = {Picture("flag_en.png"), Picture("flag_de.png"), Picture("flag_fr.png"), Picture("flag_it.png"),
                Picture("flag_nl.png"), Picture("flag_es.png"), Picture("flag_unknown.png")};

    TaskDialog1 = TTaskDialogSpec();
    dlgOpen.DefaultExtension = QStringLiteral("dat");
    dlgOpen.Filter = QStringLiteral("Setting Dateien (*.dat)|*.dat");
    dlgSave.DefaultExtension = QStringLiteral("dat");

    SetTabOrder();
    AutoSizeLabels();
}

void TFTernuSetup::CreateMenus()
{
    AdvMainMenu1 = Named(new QMenuBar(this), "AdvMainMenu1");
    setMenuBar(AdvMainMenu1);

    mnuFile = Named(AdvMainMenu1->addMenu(QStringLiteral("Datei")), "mnuFile");
    mnuLoad = Named(mnuFile->addAction(QStringLiteral("Einstellungen laden...")), "mnuLoad");
    mnuLoad->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuSave = Named(mnuFile->addAction(QStringLiteral("Einstellungen sichern als...")), "mnuSave");
    mnuSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    N2 = Named(mnuFile->addSeparator(), "N2");
    mnuExit = Named(mnuFile->addAction(QStringLiteral("Beenden")), "mnuExit");
    mnuExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));

    mnuSettings = Named(AdvMainMenu1->addMenu(QStringLiteral("Einstellungen")), "mnuSettings");
    mnuLayout = Named(mnuSettings->addMenu(QStringLiteral("Layout")), "mnuLayout");
    struct TStyleItem { QAction **Action; const char *Name; const char *Caption; int Number; };
    const TStyleItem styles[] = {
        {&mnuOfficeBlue, "mnuOfficeBlue", "Office2003Blue", 0},
        {&mnuOfficeSilver, "mnuOfficeSilver", "Office2003Silver", 1},
        {&mnuOfficeOlive, "mnuOfficeOlive", "Office2003Olive", 2},
        {&mnuOfficeClassic, "mnuOfficeClassic", "Office2003Classic", 3},
        {&mnuOfficeLuna, "mnuOfficeLuna", "Office2007Luna", 4},
        {&mnuOfficeObsidian, "mnuOfficeObsidian", "Office2007Obsidian", 5},
        {&mnuWindowsXP, "mnuWindowsXP", "WindowsXP", 6},
        {&mnuWhidbey, "mnuWhidbey", "Whidbey", 7},
        {&mnuOffice2007Silver, "mnuOffice2007Silver", "Office2007Silver", 9},
    };
    for (const TStyleItem &item : styles) {
        *item.Action = Named(mnuLayout->addAction(QString::fromLatin1(item.Caption)), item.Name);
        (*item.Action)->setCheckable(true);
        (*item.Action)->setData(item.Number);
    }
    mnuComport = Named(mnuSettings->addMenu(QStringLiteral("COMPort")), "mnuComport");

    mnuWheel = Named(new QMenu(this), "mnuWheel");
    ImageList1 = {Picture("marker_yellow.png"), Picture("marker_blue.png")};
    struct TWheelItem { QAction **Action; const char *Name; const char *Caption; int Mm; int Marker; };
    const TWheelItem wheels[] = {
        {&N700x20c1, "N700x20c1", "700x20c", 2086, -1}, {&N700x23c1, "N700x23c1", "700x23c", 2096, 0},
        {&N700x25c1, "N700x25c1", "700x25c", 2105, -1}, {&N700x28c1, "N700x28c1", "700x28c", 2136, -1},
        {&N700x32c1, "N700x32c1", "700x32c", 2155, -1}, {&N700x35c1, "N700x35c1", "700x35c", 2168, -1},
        {&N700x38c1, "N700x38c1", "700x38c", 2180, -1}, {&N650x23c1, "N650x23c1", "650x23c", 1930, -1},
        {&N26x151, "N26x151", "26x1.5", 2010, -1},      {&N26x1901, "N26x1901", "26x1.90", 2045, 1},
        {&N26x1951, "N26x1951", "26x1.95", 2050, -1},   {&N26x201, "N26x201", "26x2.0", 2055, -1},
        {&N26x211, "N26x211", "26x2.1", 2068, -1},      {&N26x221, "N26x221", "26x2.2", 2075, -1},
    };
    // Items without a marker get a blank picture of the same size, so that every
    // row of the menu has the same height.
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    for (const TWheelItem &item : wheels) {
        *item.Action = Named(mnuWheel->addAction(QString::fromLatin1(item.Caption)), item.Name);
        (*item.Action)->setData(item.Mm);
        (*item.Action)->setIcon(QIcon(item.Marker >= 0 ? ImageList1.value(item.Marker) : blank));
    }
}

void TFTernuSetup::CreateTopPanel(QWidget *client)
{
    Panel1 = Named(new QFrame(client), "Panel1");
    Panel1->setGeometry(0, 0, kClientWidth, kTopHeight);
    Panel1->setAutoFillBackground(true);
    QPalette white = Panel1->palette();
    white.setColor(QPalette::Window, Qt::white);
    Panel1->setPalette(white);

    imgSymbol = Named(new QLabel(Panel1), "imgSymbol");
    imgSymbol->setGeometry(20, 10, 32, 32);
    imgSymbol->setPixmap(SymbolPicture());
    MarkAsPicture(imgSymbol);

    Memo1 = Named(new QPlainTextEdit(Panel1), "Memo1");
    Memo1->setGeometry(59, 7, 447, 43);
    Memo1->setReadOnly(true);
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setFocusPolicy(Qt::ClickFocus);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->document()->setDocumentMargin(0);
    Memo1->setPlainText(QStringLiteral(
        "Mit Hilfe dieses Dialogs können Sie ihren Ternu konfigurieren.\n"
        "Nachdem Sie die Werte angepaßt haben drücken Sie den Übertragen Button in der rechten \n"
        "Ecke um die Einstellungen in den Ternu zu übertragen."));

    lblLang = Named(new QLabel(QStringLiteral("Sprache"), Panel1), "lblLang");
    lblLang->move(541, 7);
    FAutoSizeLabels << lblLang;

    cboLang = CompactList(Named(new TDropDownList(Panel1), "cboLang"));
    cboLang->setGeometry(540, 24, 112, 21);

    ComComboBox = Named(new QComboBox(Panel1), "ComComboBox");
    ComComboBox->setGeometry(421, 36, 106, 21);
    ComComboBox->addItem(QStringLiteral("COM1"));
    ComComboBox->setVisible(false);
}

void TFTernuSetup::CreateCentrePanel(QWidget *client)
{
    AdvPanel1 = Named(new TGradientPanel(client), "AdvPanel1");
    AdvPanel1->setGeometry(0, kTopHeight, kCentreWidth, kPanelHeight);
    AdvPanel1->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid #7F9DB9; border-radius: 5px; margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 2px; }"));

    auto label = [this](QWidget *parent, const char *name, const QString &text, int x, int y) {
        auto *created = Named(new QLabel(text, parent), name);
        created->move(x, y);
        FAutoSizeLabels << created;
        return created;
    };
    auto spin = [](QWidget *parent, const char *name, QRect place, int min, int max, int value, TCropMode crop) {
        auto *created = Named(new TSpinEdit(parent), name);
        created->setGeometry(place);
        created->setRange(min, max);
        created->setValue(value);
        created->SetCropMode(crop);
        return created;
    };
    auto group = [this](const char *name, const QString &title, QRect place) {
        auto *created = Named(new QGroupBox(title, AdvPanel1), name);
        created->setGeometry(place);
        return created;
    };

    grpTime = group("grpTime", QStringLiteral("&Zeit && Datum"), {20, 6, 229, 98});
    lblTime = label(grpTime, "lblTime", QStringLiteral("Zeit"), 16, 26);
    dtpTime = Named(new TTimeField(grpTime), "dtpTime");
    dtpTime->setGeometry(70, 20, 90, 21);
    dtpTime->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    lblTime2 = label(grpTime, "lblTime2", QStringLiteral("(hh:mm:ss)"), 166, 26);
    lblDate = label(grpTime, "lblDate", QStringLiteral("Datum"), 16, 52);
    dtpDate = Named(new TDateField(grpTime), "dtpDate");
    dtpDate->setGeometry(70, 47, 90, 21);
    dtpDate->setCalendarPopup(true);
    dtpDate->setDisplayFormat(ShortDateFormat());
    const QDateTime now = QDateTime::currentDateTime();
    dtpTime->setTime(now.time());
    dtpDate->setDate(now.date());
    chkPCTime = Named(new QCheckBox(QStringLiteral("PC Zeit && Datum autom. zuweisen"), grpTime), "chkPCTime");
    chkPCTime->setGeometry(16, 73, 201, 17);
    chkPCTime->setChecked(true);

    grpPerson = group("grpPerson", QStringLiteral("&Person"), {267, 6, 229, 98});
    lblSex = label(grpPerson, "lblSex", QStringLiteral("Geschlecht"), 16, 26);
    cboSex = CompactList(Named(new TDropDownList(grpPerson), "cboSex"));
    cboSex->setGeometry(76, 20, 89, 21);
    cboSex->addItems({QStringLiteral("männlich"), QStringLiteral("weiblich")});
    imgUserSex = Named(new QLabel(grpPerson), "imgUserSex");
    imgUserSex->setGeometry(169, 22, 16, 16);
    MarkAsPicture(imgUserSex);
    lblUWeight = label(grpPerson, "lblUWeight", QStringLiteral("Gewicht"), 15, 58);
    edWeight = spin(grpPerson, "edWeight", {76, 50, 90, 21}, 1, 220, 80, TCropMode::CropOnLeave);  // kg at the start
    lbKG = label(grpPerson, "lbKG", QStringLiteral("kg"), 172, 55);

    grpBike1 = group("grpBike1", QStringLiteral("Fahrrad&1"), {20, 110, 229, 82});
    grpBike2 = group("grpBike2", QStringLiteral("Fahrrad&2"), {267, 110, 229, 82});
    lblOdo1 = label(grpBike1, "lblOdo1", QStringLiteral("Odo"), 16, 28);
    edOdo1 = spin(grpBike1, "edOdo1", {70, 20, 90, 21}, 0, 99999, 0, TCropMode::CropWhileTyping);
    lblkm1 = label(grpBike1, "lblkm1", QStringLiteral("km"), 166, 28);
    lblWSize1 = label(grpBike1, "lblWSize1", QStringLiteral("Radgröße"), 16, 56);
    edWheel1 = spin(grpBike1, "edWheel1", {70, 49, 90, 21}, 0, 3999, 2130, TCropMode::CropWhileTyping);
    lblmm1 = label(grpBike1, "lblmm1", QStringLiteral("mm"), 166, 57);
    lblOdo2 = label(grpBike2, "lblOdo2", QStringLiteral("Odo"), 16, 28);
    edOdo2 = spin(grpBike2, "edOdo2", {76, 20, 90, 21}, 0, 99999, 0, TCropMode::CropWhileTyping);
    lblkm2 = label(grpBike2, "lblkm2", QStringLiteral("km"), 172, 28);
    lblWSize2 = label(grpBike2, "lblWSize2", QStringLiteral("Radgröße"), 16, 56);
    edWheel2 = spin(grpBike2, "edWheel2", {76, 49, 90, 21}, 0, 3999, 2048, TCropMode::CropWhileTyping);
    lblmm2 = label(grpBike2, "lblmm2", QStringLiteral("mm"), 172, 57);
    auto gear = [](QWidget *parent, const char *name, QRect place) {
        auto *button = Named(new QToolButton(parent), name);
        button->setGeometry(place);
        button->setAutoRaise(true);
        button->setIcon(QIcon(Picture("gear.png")));
        button->setCursor(Qt::PointingHandCursor);
        button->setFocusPolicy(Qt::NoFocus);
        return button;
    };
    btnWheel1 = gear(grpBike1, "btnWheel1", {188, 50, 23, 22});
    btnwheel2 = gear(grpBike2, "btnwheel2", {194, 50, 23, 22});

    grpStopWatch = group("grpStopWatch", QStringLiteral("Stopp&uhr"), {20, 198, 229, 81});
    lblMode = label(grpStopWatch, "lblMode", QStringLiteral("Modus"), 16, 28);
    cboLapMode = CompactList(Named(new TDropDownList(grpStopWatch), "cboLapMode"));
    cboLapMode->setGeometry(70, 20, 89, 21);
    cboLapMode->addItems({QStringLiteral("Man. Modus"), QStringLiteral("Auto Distanz"), QStringLiteral("Auto Zeit")});
    lblLapMode = label(grpStopWatch, "lblLapMode", QStringLiteral("->"), 17, 51);
    lblLapMode->setVisible(false);
    edLapDist = Named(new TFloatSpinEdit(grpStopWatch), "edLapDist");
    edLapDist->setGeometry(70, 47, 90, 21);
    edLapDist->setRange(0, 99.9);
    edLapDist->setValue(2.0);
    edLapDist->SetCropMode(TCropMode::CropOnLeave);
    edLapDist->setVisible(false);
    edLapTime = Named(new TTimeField(grpStopWatch), "edLapTime");
    edLapTime->setGeometry(70, 47, 90, 21);
    edLapTime->setDisplayFormat(QStringLiteral("HH:mm"));
    edLapTime->setTime(QTime(2, 0));
    edLapTime->setVisible(false);
    lblStop = label(grpStopWatch, "lblStop", QString(), 166, 51);

    grpHRLimits = group("grpHRLimits", QStringLiteral("&Herzfrequenz Limits"), {267, 198, 229, 81});
    lblHFU = label(grpHRLimits, "lblHFU", QStringLiteral("Obere"), 16, 28);
    edHRUpper = spin(grpHRLimits, "edHRUpper", {76, 20, 90, 21}, 0, 240, 150, TCropMode::CropWhileTyping);
    lnlHFU2 = label(grpHRLimits, "lnlHFU2", QStringLiteral("bpm"), 172, 28);
    lblHFL = label(grpHRLimits, "lblHFL", QStringLiteral("Untere"), 16, 51);
    edHRLower = spin(grpHRLimits, "edHRLower", {76, 47, 90, 21}, 0, 240, 130, TCropMode::CropWhileTyping);
    lnlHFL2 = label(grpHRLimits, "lnlHFL2", QStringLiteral("bpm"), 172, 51);

    grpSampleRate = new TRadioGroup(QStringLiteral("grpSampleRate"), QStringLiteral("&Rekorder Samplerate"),
                                    {QStringLiteral("5 Sec"), QStringLiteral("10 Sec"), QStringLiteral("20 Sec")}, 3,
                                    AdvPanel1);
    grpSampleRate->setGeometry(20, 285, 229, 47);
    grpSampleRate->SetItemIndex(2);

    grpAlt = group("grpAlt", QStringLiteral("&Höhe"), {267, 285, 229, 47});
    lblHAlt = label(grpAlt, "lblHAlt", QStringLiteral("Heimhöhe"), 16, 21);
    edHomeAlt = spin(grpAlt, "edHomeAlt", {80, 16, 90, 21}, -381, 6000, 0, TCropMode::CropOnLeave);
    lblHAltm = label(grpAlt, "lblHAltm", QStringLiteral("m"), 176, 21);

    grpUnits = group("grpUnits", QStringLiteral("&Einheiten"), {20, 339, 476, 90});
    auto units = [this](const char *name, const QString &title, int left, const QStringList &items) {
        auto *created = new TRadioGroup(QString::fromLatin1(name), title, items, 1, grpUnits);
        created->setGeometry(left, 18, 75, 57);
        created->SetItemIndex(0);
        return created;
    };
    rgSpeed = units("rgSpeed", QStringLiteral("Geschw."), 18, {QStringLiteral("km/h"), QStringLiteral("m/h")});
    rgWeight = units("rgWeight", QStringLiteral("Gewicht"), 107, {QStringLiteral("kg"), QStringLiteral("lb")});
    rgTemp = units("rgTemp", QStringLiteral("Temperatur"), 197, {QStringLiteral("°C"), QStringLiteral("°F")});
    rgTime = units("rgTime", QStringLiteral("Zeit"), 287, {QStringLiteral("24h"), QStringLiteral("12h")});
    btnUnits = Named(new QPushButton(QIcon(Picture("btn_units.png")), QStringLiteral("metric/imp."), grpUnits),
                     "btnUnits");
    btnUnits->setGeometry(376, 26, 89, 25);
}

void TFTernuSetup::CreateRightPanel(QWidget *client)
{
    Panel3 = Named(new QFrame(client), "Panel3");
    Panel3->setGeometry(kCentreWidth, kTopHeight, kClientWidth - kCentreWidth, kPanelHeight);
    Panel3->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel3->setAutoFillBackground(true);
    QPalette white = Panel3->palette();
    white.setColor(QPalette::Window, Qt::white);
    Panel3->setPalette(white);

    imgDevice = Named(new TPhotoButton(Panel3), "imgDevice");
    imgDevice->setGeometry(14, -3, 130, 159);
    imgDevice->SetPicture(Picture("device.jpg"));
    MarkAsPicture(imgDevice);
    imgDevice->setCursor(Qt::PointingHandCursor);
    imgDevice->setToolTip(QStringLiteral("Bild anklicken um Verbindung zu testen..."));

    auto prompt = [this](const char *name, const QString &text, int x, int y) {
        auto *created = Named(new TPhotoPrompt(text, Panel3), name);
        created->setFont(ArialFont(11));
        created->setAttribute(Qt::WA_TranslucentBackground);
        created->setCursor(Qt::PointingHandCursor);
        created->move(x, y);
        FAutoSizeLabels << created;
        return created;
    };
    lblDev1 = prompt("lblDev1", QStringLiteral("Mausklick zum"), 44, 32);
    lblDev2 = prompt("lblDev2", QStringLiteral("Testen"), 59, 45);
    lblDev3 = prompt("lblDev3", QStringLiteral("Verbindung."), 48, 59);

    lbDevLink = Named(new QLabel(QStringLiteral("PC  Link"), Panel3), "lbDevLink");
    lbDevLink->setFont(ArialFont(16, true));
    lbDevLink->move(47, 108);
    FAutoSizeLabels << lbDevLink;

    DBHTMLabel1 = Named(new QLabel(Panel3), "DBHTMLabel1");
    DBHTMLabel1->setGeometry(28, 153, 109, 44);
    DBHTMLabel1->setTextFormat(Qt::RichText);
    DBHTMLabel1->setWordWrap(true);
    DBHTMLabel1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    DBHTMLabel1->setText(QStringLiteral("<B>Hinweis:</B> Ihr Ternu muß in den <B>PC-Link</B> Modus gesetzt sein!"));

    btnSend = Named(new QPushButton(QIcon(Picture("btn_send.png")), QStringLiteral("Ein&st. übertragen"), Panel3),
                    "btnSend");
    btnSend->setGeometry(13, 198, 126, 25);
    btnDelete = Named(new QPushButton(QIcon(Picture("btn_delete.png")), QStringLiteral("Speicher löschen"), Panel3),
                      "btnDelete");
    btnDelete->setGeometry(13, 229, 126, 25);

    ProgressBar1 = Named(new QProgressBar(Panel3), "ProgressBar1");
    ProgressBar1->setGeometry(15, 263, 124, 17);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);

    lblMonitor = Named(new QLabel(QStringLiteral("Monitor:"), Panel3), "lblMonitor");
    lblMonitor->move(15, 283);
    FAutoSizeLabels << lblMonitor;
    moMonitor = Named(new QPlainTextEdit(Panel3), "moMonitor");
    moMonitor->setGeometry(15, 297, 125, 89);
    moMonitor->setReadOnly(true);
    moMonitor->setFocusPolicy(Qt::ClickFocus);

    btnClose = Named(new QPushButton(QStringLiteral("&Schließen"), Panel3), "btnClose");
    btnClose->setGeometry(15, 404, 126, 25);
}

void TFTernuSetup::CreateStatusBar()
{
    AdvOfficeStatusBar1 = Named(new QStatusBar(this), "AdvOfficeStatusBar1");
    AdvOfficeStatusBar1->setSizeGripEnabled(false);
    AdvOfficeStatusBar1->setFixedHeight(kStatusHeight);
    AdvOfficeStatusBar1Text = Named(new QLabel(AdvOfficeStatusBar1), "AdvOfficeStatusBar1Text");
    AdvOfficeStatusBar1->addWidget(AdvOfficeStatusBar1Text, 1);
    setStatusBar(AdvOfficeStatusBar1);
}

// Regions in the order top, centre, right; inside them the controls' own order.
void TFTernuSetup::SetTabOrder()
{
    QList<QWidget *> order = {cboLang, dtpTime, dtpDate, chkPCTime, cboSex, edWeight, edOdo1, edWheel1,
                              edOdo2, edWheel2, cboLapMode, edLapDist, edLapTime, edHRUpper, edHRLower};
    for (int i = 0; i < grpSampleRate->Count(); ++i)
        order << grpSampleRate->Button(i);
    order << edHomeAlt;
    for (TRadioGroup *units : {rgSpeed, rgWeight, rgTemp, rgTime})
        for (int i = 0; i < units->Count(); ++i)
            order << units->Button(i);
    order << btnUnits << btnSend << btnDelete << btnClose;
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void TFTernuSetup::AutoSizeLabels()
{
    // Room above the text for the accents of capitals, which some fonts draw
    // higher than their ascent.
    for (QLabel *label : FAutoSizeLabels) {
        label->setContentsMargins(0, AccentRoom(label->font()), 0, 0);
        label->adjustSize();
    }
}
