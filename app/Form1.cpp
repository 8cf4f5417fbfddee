// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form1.h"

#include "Announcer.h"
#include "Artwork.h"
#include "Controls.h"
#include "CoveredLabel.h"
#include "DesignValues.h"
#include "Fonts.h"
#include "GridWidget.h"
#include "ResultsPicture.h"
#include "TableView.h"
#include "Twips.h"
#include "VbColor.h"

#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace {

QFont Font(const QString& family, double points, bool bold) {
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

template <typename T> T* Named(T* control, const QString& name) {
    control->setObjectName(name);
    return control;
}

// A printer symbol: a clickable image with a pointing hand, named by its tool tip.
ClickableImage* PrinterSymbolOn(QWidget* parent, const QString& name, const QRectF& twips,
                                const QString& toolTip) {
    auto* symbol = Named(new ClickableImage(parent), name);
    SetTwipsGeometry(symbol, twips);
    symbol->setPixmap(PrinterSymbol());
    symbol->setAlignment(Qt::AlignCenter);
    symbol->setToolTip(toolTip);
    symbol->setAccessibleName(toolTip);
    symbol->setCursor(PointingHandCursor());
    return symbol;
}

} // namespace

Form1::Form1(const Form1Backends& backends, QWidget* parent)
    : QWidget(parent), backends_(backends), sound_(*backends.Sound), printing_(backends.Printers) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(Design::Caption);
    setWindowIcon(AppIcon());
    setFont(Font(ArialFamily, Design::StandardPointSize, false));
    resize(FirstClientSize());
    CreateControls();
    ConnectHandlers();
}

Form1::~Form1() {
    printing_.GiveUp();
}

bool Form1::IsChecked(const QCheckBox* box) const {
    return box->checkState() != Qt::Unchecked;
}

int Form1::SkipOne() const {
    return IsChecked(chkOhne1) ? 1 : 0;
}

void Form1::CreateControls() {
    const QString hintEnter = QStringLiteral("Eingabe mit [Enter] Taste bestätigen");

    chkTableVisible =
        Named(new MouseCheckBox(QStringLiteral("Tabelle anzeigen"), this), "chkTableVisible");
    SetTwipsGeometry(chkTableVisible, Design::chkTableVisible);
    chkTableVisible->setToolTip(QStringLiteral("Zahlentabelle einblenden / ausblenden"));
    chkTableVisible->setChecked(true);

    chkSoundEnabled =
        Named(new MouseCheckBox(QStringLiteral("Ergebnis mit Sound"), this), "chkSoundEnabled");
    SetTwipsGeometry(chkSoundEnabled, Design::chkSoundEnabled);
    chkSoundEnabled->setToolTip(QStringLiteral("Klangausgabe aktivieren / deaktivieren"));
    chkSoundEnabled->setChecked(true);

    chkOhne1 = Named(new MouseCheckBox(QStringLiteral("ohne 1"), this), "chkOhne1");
    SetTwipsGeometry(chkOhne1, Design::chkOhne1);
    chkOhne1->setToolTip(QStringLiteral("keine Aufgaben mit Faktor oder Divisor \"1\" stellen"));

    Label1 = Named(new QLabel(QStringLiteral("max. bis"), this), "Label1");
    SetTwipsGeometry(Label1, Design::Label1);
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    lbMaxNum = Named(new StepLabel(this), "lbMaxNum");
    lbMaxNum->SetValue(10);
    SetTwipsGeometry(lbMaxNum, Design::lbMaxNum);
    lbMaxNum->setAlignment(Qt::AlignCenter);
    lbMaxNum->setFrameStyle(QFrame::Box | QFrame::Plain);
    SetBackColor(lbMaxNum, VbColors::WindowBackground);
    SetForeColor(lbMaxNum, VbColors::WindowText);
    lbMaxNum->setAccessibleName(QStringLiteral("max. bis"));

    const QString arrowNames[2] = {QStringLiteral("max. bis erhöhen"),
                                   QStringLiteral("max. bis verringern")};
    for (int i = 0; i < 2; ++i) {
        imgMaxNum[i] = Named(new MouseLabel(this), QStringLiteral("imgMaxNum(%1)").arg(i));
        SetTwipsGeometry(imgMaxNum[i], i == 0 ? Design::imgMaxNumUp : Design::imgMaxNumDown);
        imgMaxNum[i]->setPixmap(ArrowPicture(i == 0));
        imgMaxNum[i]->setAlignment(Qt::AlignCenter);
        imgMaxNum[i]->setAccessibleName(arrowNames[i]);
    }

    const QString kinds[4] = {QStringLiteral("Multiplikation"), QStringLiteral("Division"),
                              QStringLiteral("Addition"), QStringLiteral("Subtraktion")};
    for (int i = 0; i < 4; ++i) {
        chkRechenart[i] =
            Named(new MouseCheckBox(kinds[i], this), QStringLiteral("chkRechenart(%1)").arg(i));
        SetTwipsGeometry(chkRechenart[i], Design::chkRechenart[i]);
        // A click ticks the box and leaves the focus in the answer box; Tab still comes here.
        chkRechenart[i]->setFocusPolicy(Qt::TabFocus);
    }

    const quint32 lineColors[2] = {VbColors::DarkGrey, VbColors::White};
    for (int i = 0; i < 2; ++i) {
        Line1[i] = Named(new LineControl(this, lineColors[i]), QStringLiteral("Line1(%1)").arg(i));
        Line1[i]->SetLine(0, Design::Line1Y[i], Design::Line1X2);
    }

    lbBedienungshinweis = Named(
        new QLabel(QStringLiteral(
                       "Zum Üben einzelner Zahlenreihen klicken Sie in die grüne Tabellenzeile"),
                   this),
        "lbBedienungshinweis");
    SetTwipsGeometry(lbBedienungshinweis, Design::lbBedienungshinweis);

    cmdPrintTable = PrinterSymbolOn(this, "cmdPrintTable", Design::cmdPrintTable,
                                    QStringLiteral("1x1-Tabelle drucken"));

    // The large exercise label is created before the grid, so the grid covers it.
    lbAufgabeBig = Named(new CoveredLabel(QStringLiteral("x"), this), "lbAufgabeBig");
    SetTwipsGeometry(lbAufgabeBig, Design::lbAufgabeBig);
    lbAufgabeBig->setFont(Font(ArialFamily, 120, true));
    lbAufgabeBig->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A long exercise breaks at its blanks rather than running off the edge.
    lbAufgabeBig->setWordWrap(true);
    lbAufgabeBig->setAccessibleDescription(QStringLiteral("Aufgabe groß"));

    MSFlexGrid1 = Named(new GridWidget(this), "MSFlexGrid1");
    const QRectF g = Design::MSFlexGrid1;
    MSFlexGrid1->Move(g.left(), g.top(), g.width(), g.height());
    MSFlexGrid1->setCursor(PointingHandCursor());
    MSFlexGrid1->setFocusPolicy(Qt::StrongFocus);
    MSFlexGrid1->setAccessibleName(QStringLiteral("1x1-Tabelle"));
    lbAufgabeBig->SetCover(MSFlexGrid1);
    table_ = std::make_unique<TableView>(*MSFlexGrid1);

    frameResults = Named(new QFrame(this), "frameResults");
    SetTwipsGeometry(frameResults, Design::frameResults);
    SetForeColor(frameResults, VbColors::WindowText);
    frameResults->setAccessibleName(QStringLiteral("Ergebnisse"));

    btnNeu = Named(new QPushButton(QStringLiteral("Neu starten"), frameResults), "btnNeu");
    // Enter on the focused button clicks it, as Space does.
    btnNeu->setAutoDefault(true);
    SetTwipsGeometry(btnNeu, Design::btnNeu);

    cmdPrintResults = PrinterSymbolOn(frameResults, "cmdPrintResults", Design::cmdPrintResults,
                                      QStringLiteral("Ergebnisliste drucken"));

    Picture1 = Named(new ResultsPicture(frameResults), "Picture1");
    SetTwipsGeometry(Picture1, Design::Picture1);
    Picture1->setAccessibleName(QStringLiteral("Ergebnisliste"));

    frameAufgabe = Named(new QFrame(this), "frameAufgabe");
    SetTwipsGeometry(frameAufgabe, Design::frameAufgabe);
    SetForeColor(frameAufgabe, VbColors::WindowText);
    frameAufgabe->setAccessibleName(QStringLiteral("Aufgabe"));

    const QFont big = Font(Design::SansSerifFamily, 24, true);
    lbAufgabe = Named(new QLabel(QStringLiteral("3*3"), frameAufgabe), "lbAufgabe");
    SetTwipsGeometry(lbAufgabe, Design::lbAufgabe);
    lbAufgabe->setFont(big);
    lbAufgabe->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    SetBackColor(lbAufgabe, VbColors::ButtonFace);
    lbAufgabe->setAccessibleDescription(QStringLiteral("Aufgabe"));

    tbErgebnis = Named(new QLineEdit(frameAufgabe), "tbErgebnis");
    SetTwipsGeometry(tbErgebnis, Design::tbErgebnis);
    tbErgebnis->setFont(big);
    tbErgebnis->setMaxLength(7);
    tbErgebnis->setToolTip(hintEnter);
    tbErgebnis->setAccessibleName(QStringLiteral("Ergebnis"));
    tbErgebnis->setAccessibleDescription(hintEnter);

    btnOK = Named(new PressButton(QStringLiteral("OK ?"), frameAufgabe), "btnOK");
    SetTwipsGeometry(btnOK, Design::btnOK);
    btnOK->setFont(big);
    btnOK->setToolTip(hintEnter);
    // Return on the focused button clicks it, as Space does.
    btnOK->setAutoDefault(true);

    lbTime = Named(new QLabel(QStringLiteral("x"), frameAufgabe), "lbTime");
    SetTwipsGeometry(lbTime, Design::lbTime);
    SetForeColor(lbTime, VbColors::Orange);
    lbTime->setAccessibleDescription(QStringLiteral("Sekunden"));

    lbStatistik = Named(new StatusLabel(frameAufgabe), "lbStatistik");
    SetTwipsGeometry(lbStatistik, Design::lbStatistik);
    SetForeColor(lbStatistik, VbColors::Grey);
    lbStatistik->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lbStatistik->setAccessibleDescription(QStringLiteral("Statistik"));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);

    announcer_ = new Announcer(this, lbAufgabe, tbErgebnis);

    // Labels, images and lines lie below all other controls, so none of them ever takes a
    // click meant for a control. Each one lowered goes below the ones before it: the
    // table's printer symbol stays above the hint, which a narrow table moves it onto.
    for (QWidget* w : std::initializer_list<QWidget*>{
             cmdPrintTable, lbBedienungshinweis, Label1, lbMaxNum, imgMaxNum[0], imgMaxNum[1],
             Line1[0], Line1[1], cmdPrintResults, lbAufgabe, lbTime, lbStatistik, lbAufgabeBig})
        w->lower();
    // Labels, images and lines take no focus, but for the few that Tab reaches because a
    // mouse can use them or a child reads them: the printer symbols, the bound and the
    // statistics.
    for (QLabel* l :
         std::initializer_list<QLabel*>{Label1, imgMaxNum[0], imgMaxNum[1], lbBedienungshinweis,
                                        lbAufgabeBig, lbAufgabe, lbTime})
        l->setFocusPolicy(Qt::NoFocus);

    // Focus order by tab index: the grid (0) and its printer symbol, the option boxes with
    // the bound, the exercise bar with the statistics, the results frame with its printer
    // symbol, then the operation kinds.
    const std::initializer_list<QWidget*> order = {
        MSFlexGrid1,     cmdPrintTable,   chkTableVisible, chkSoundEnabled,
        chkOhne1,        lbMaxNum,        btnOK,           tbErgebnis,
        lbStatistik,     btnNeu,          cmdPrintResults, Picture1,
        chkRechenart[0], chkRechenart[1], chkRechenart[2], chkRechenart[3]};
    Picture1->setFocusPolicy(Qt::TabFocus);
    QWidget* previous = nullptr;
    for (QWidget* w : order) {
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    }
}

void Form1::ConnectHandlers() {
    connect(btnNeu, &QPushButton::clicked, this, [this] { btnNeu_Click(); });
    connect(btnOK, &PressButton::MouseDown, this, [this] { btnOK_MouseDown(); });
    // Space, Return and a screen reader's press action do what the mouse press does, once the
    // key has been handled: the Enter hint's message box would otherwise hold up the key,
    // which a screen reader saw first, and every key after it.
    connect(
        btnOK, &QPushButton::clicked, this, [this] { btnOK_MouseDown(); }, Qt::QueuedConnection);
    connect(tbErgebnis, &QLineEdit::textChanged, this, [this] { tbErgebnis_Change(); });
    tbErgebnis->installEventFilter(this);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    connect(chkOhne1, &QCheckBox::stateChanged, this, [this] { chkOhne1_Click(); });
    connect(chkTableVisible, &MouseCheckBox::MouseUp, this, [this] { chkTableVisible_MouseUp(); });
    connect(MSFlexGrid1, &GridWidget::Click, this, [this] { MSFlexGrid1_Click(); });
    connect(MSFlexGrid1, &GridWidget::MouseMove, this, [this] { MSFlexGrid1_MouseMove(); });
    connect(MSFlexGrid1, &GridWidget::MouseUp, this, [this] { MSFlexGrid1_MouseUp(); });
    for (int i = 0; i < 2; ++i)
        connect(imgMaxNum[i], &MouseLabel::MouseUp, this, [this, i] { imgMaxNum_MouseUp(i); });
    connect(lbMaxNum, &MouseLabel::MouseUp, this, [this](int button) { lbMaxNum_MouseUp(button); });
    connect(lbMaxNum, &StepLabel::StepKey, this,
            [this](int direction, int steps) { lbMaxNum_KeyDown(direction, steps); });
    connect(chkSoundEnabled, &QCheckBox::stateChanged, this, [this] { chkSoundEnabled_Click(); });
    connect(cmdPrintResults, &MouseLabel::Click, this, [this] { cmdPrintResults_Click(); });
    connect(cmdPrintTable, &MouseLabel::Click, this, [this] { cmdPrintTable_Click(); });
}

void Form1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void Form1::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the answer box confirms the answer; the key itself inserts nothing and is
    // not passed on, so there is no beep.
    if (watched == tbErgebnis && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            CheckAnswer();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
