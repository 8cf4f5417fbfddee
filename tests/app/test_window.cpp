#include "CreditLine.h"
#include "DesignValues.h"
#include "Fakes.h"
#include "Twips.h"
#include "VbColor.h"

#include <QTest>

class WindowTest : public QObject {
    Q_OBJECT
private slots:
    void controlsAtCreationMatchTheDesign() {
        FormFixture f;
        Form1& w = f.Create(false);

        struct Expected {
            QWidget* control;
            const char* name;
            QString text;
            QRectF twips;
        };
        const QList<Expected> table = {
            {w.chkTableVisible, "chkTableVisible", "Tabelle anzeigen", {135, 45, 2040, 255}},
            {w.chkSoundEnabled, "chkSoundEnabled", "Ergebnis mit Sound", {2160, 45, 1920, 255}},
            {w.chkOhne1, "chkOhne1", "ohne 1", {4200, 75, 975, 195}},
            {w.Label1, "Label1", "max. bis", {5280, 60, 795, 255}},
            {w.lbMaxNum, "lbMaxNum", "10", {6150, 45, 795, 255}},
            {w.imgMaxNum[0], "imgMaxNum(0)", "", {6960, 0, 315, 165}},
            {w.imgMaxNum[1], "imgMaxNum(1)", "", {6945, 165, 315, 165}},
            {w.chkRechenart[0], "chkRechenart(0)", "Multiplikation", {7455, 45, 1695, 255}},
            {w.chkRechenart[1], "chkRechenart(1)", "Division", {8970, 45, 1095, 255}},
            {w.chkRechenart[2], "chkRechenart(2)", "Addition", {10110, 45, 1095, 255}},
            {w.chkRechenart[3], "chkRechenart(3)", "Subtraktion", {11205, 45, 1335, 255}},
            {w.lbBedienungshinweis,
             "lbBedienungshinweis",
             "Zum Üben einzelner Zahlenreihen klicken Sie in die grüne Tabellenzeile",
             {120, 480, 6735, 255}},
            {w.frameResults, "frameResults", "", {7440, 480, 4545, 6780}},
            {w.btnNeu, "btnNeu", "Neu starten", {0, 0, 4215, 240}},
            {w.cmdPrintResults, "cmdPrintResults", "", {4320, 30, 210, 180}},
            {w.Picture1, "Picture1", "", {0, 270, 4455, 6345}},
            {w.frameAufgabe, "frameAufgabe", "", {120, 7320, 12615, 735}},
            {w.lbAufgabe, "lbAufgabe", "3*3", {0, 45, 4815, 615}},
            {w.tbErgebnis, "tbErgebnis", "", {3525, 0, 1815, 615}},
            {w.btnOK, "btnOK", "OK ?", {5400, 15, 1455, 615}},
            {w.lbTime, "lbTime", "x", {7080, 165, 975, 255}},
            {w.lbStatistik, "lbStatistik", "", {9240, 45, 3375, 615}},
        };
        for (const Expected& e : table) {
            QCOMPARE(e.control->objectName(), QString::fromUtf8(e.name));
            QCOMPARE(TwipsGeometry(e.control), e.twips);
            QCOMPARE(e.control->geometry(),
                     QRect(TwipsToPixels(e.twips.left()), TwipsToPixels(e.twips.top()),
                           TwipsToPixels(e.twips.width()), TwipsToPixels(e.twips.height())));
            QCOMPARE(e.control->property("text").toString(), e.text);
            QVERIFY(e.control->isEnabled());
        }
        QCOMPARE(w.btnNeu->parentWidget(), w.frameResults);
        QCOMPARE(w.tbErgebnis->parentWidget(), w.frameAufgabe);
        QCOMPARE(w.MSFlexGrid1->Left(), 120.0);
        QCOMPARE(w.MSFlexGrid1->Top(), 720.0);
        QCOMPARE(w.MSFlexGrid1->Rows(), 13);
        QCOMPARE(w.MSFlexGrid1->Cols(), 13);
        QCOMPARE(w.lbAufgabeBig->text(), QStringLiteral("x"));
        QCOMPARE(w.Line1[0]->Y(), 360.0);
        QCOMPARE(w.Line1[1]->Y(), 375.0);
        QCOMPARE(w.Line1[0]->BorderColor(), 0x00404040u);
        QCOMPARE(w.Line1[1]->BorderColor(), 0x00FFFFFFu);

        QVERIFY(w.chkTableVisible->isChecked());
        QVERIFY(w.chkSoundEnabled->isChecked());
        QVERIFY(!w.chkOhne1->isChecked());
        for (QCheckBox* k : w.chkRechenart)
            QVERIFY(!k->isChecked());
        QVERIFY(!w.Timer1->isActive());
        QCOMPARE(w.Timer1->interval(), 1000);
        QCOMPARE(w.tbErgebnis->maxLength(), 7);
        QCOMPARE(w.windowTitle(), QStringLiteral("Zahlwerk Trainer"));
        QVERIFY(w.width() <= 852 && w.height() <= 538);
    }

    void tipsFontsAndColours() {
        FormFixture f;
        Form1& w = f.Create(false);
        const QString enter = QStringLiteral("Eingabe mit [Enter] Taste bestätigen");
        QCOMPARE(w.tbErgebnis->toolTip(), enter);
        QCOMPARE(w.btnOK->toolTip(), enter);
        QCOMPARE(w.chkOhne1->toolTip(),
                 QStringLiteral("keine Aufgaben mit Faktor oder Divisor \"1\" stellen"));
        QCOMPARE(w.chkSoundEnabled->toolTip(),
                 QStringLiteral("Klangausgabe aktivieren / deaktivieren"));
        QCOMPARE(w.chkTableVisible->toolTip(),
                 QStringLiteral("Zahlentabelle einblenden / ausblenden"));
        QCOMPARE(w.cmdPrintResults->toolTip(), QStringLiteral("Ergebnisliste drucken"));
        QCOMPARE(w.cmdPrintTable->toolTip(), QStringLiteral("1x1-Tabelle drucken"));
        QVERIFY(w.MSFlexGrid1->toolTip().isEmpty());

        QCOMPARE(w.lbAufgabe->font().pointSize(), 24);
        QVERIFY(w.lbAufgabe->font().bold());
        QCOMPARE(w.tbErgebnis->font().pointSize(), 24);
        QCOMPARE(w.btnOK->font().pointSize(), 24);
        QCOMPARE(w.lbAufgabeBig->font().pointSize(), 120);
        QCOMPARE(w.lbAufgabeBig->font().family(), QStringLiteral("Arial"));
        QCOMPARE(w.Picture1->font().pointSize(), 12);
        QVERIFY(w.Picture1->font().bold());
        QCOMPARE(w.MSFlexGrid1->FontSize(), 14.25);
        QVERIFY(w.MSFlexGrid1->FontBold());
        QCOMPARE(w.lbTime->palette().color(QPalette::WindowText), QColor(255, 128, 0));
        QCOMPARE(w.lbStatistik->palette().color(QPalette::WindowText), QColor(128, 128, 128));
        QCOMPARE(w.Label1->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        QCOMPARE(w.lbMaxNum->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);

        // Every picture and the answer box can be found by name with a screen reader.
        for (QWidget* c : std::initializer_list<QWidget*>{w.imgMaxNum[0], w.imgMaxNum[1],
                                                          w.cmdPrintTable, w.cmdPrintResults,
                                                          w.MSFlexGrid1, w.tbErgebnis, w.Picture1})
            QVERIFY2(!c->accessibleName().isEmpty(), qPrintable(c->objectName()));
        QCOMPARE(ColorFromVb(0x0000B000, QPalette()), QColor(0, 176, 0));
        QCOMPARE(ColorFromVb(0x0000CCFF, QPalette()), QColor(255, 204, 0));
    }

    void focusOrderAndStacking() {
        FormFixture f;
        Form1& w = f.Create(false);
        const QList<QWidget*> order = {w.MSFlexGrid1,     w.chkTableVisible, w.chkSoundEnabled,
                                       w.chkOhne1,        w.btnOK,           w.tbErgebnis,
                                       w.btnNeu,          w.Picture1,        w.chkRechenart[0],
                                       w.chkRechenart[1], w.chkRechenart[2], w.chkRechenart[3]};
        const auto nextTabStop = [](QWidget* from) {
            QWidget* n = from->nextInFocusChain();
            while (!(n->focusPolicy() & Qt::TabFocus))
                n = n->nextInFocusChain();
            return n;
        };
        for (int i = 0; i + 1 < order.size(); ++i)
            QCOMPARE(nextTabStop(order[i]), order[i + 1]);
        for (QWidget* l : std::initializer_list<QWidget*>{w.Label1, w.lbMaxNum, w.lbAufgabe,
                                                          w.lbAufgabeBig, w.cmdPrintTable})
            QCOMPARE(l->focusPolicy(), Qt::NoFocus);
        // The large label lies below the grid, which covers it while it is shown.
        const QObjectList& children = w.children();
        QVERIFY(children.indexOf(w.lbAufgabeBig) < children.indexOf(w.MSFlexGrid1));
    }

    void startUpPosesTheFirstExercise() {
        FormFixture f;
        Form1& w = f.Create();
        QVERIFY(w.isVisible());
        QCOMPARE(w.windowTitle(),
                 QStringLiteral("Zahlwerk Trainer      Kopfrechnen mit Herz und Verstand !"));
        QCOMPARE(w.State.MaxNum, 10);
        QCOMPARE(w.lbMaxNum->text(), QStringLiteral("10"));
        QCOMPARE(w.State.PosedCount, 1);
        QCOMPARE(w.State.CalcKind, KindDivision); // no kind checked: division comes first
        QVERIFY(w.lbAufgabe->text().contains(QStringLiteral(" \u00F7 ")));
        QCOMPARE(w.lbAufgabeBig->text(), w.lbAufgabe->text());
        QVERIFY(w.lbTime->text().isEmpty());
        QVERIFY(w.Timer1->isActive());
        QCOMPARE(f.random.seedCalls, 1);
        QCOMPARE(w.State.ResultLines, QStringList{QString()});
        QCOMPARE(w.State.SlowList.size(), std::size_t{1});
        QVERIFY(w.MSFlexGrid1->isVisible());
        QCOMPARE(w.MSFlexGrid1->Rows(), 11);
        QCOMPARE(w.focusWidget(), w.tbErgebnis);
        QVERIFY(f.messages.shown.empty());
    }

    void onlyAMouseReleaseAppliesTheTableBox() {
        FormFixture f;
        Form1& w = f.Create();
        w.chkTableVisible->setFocus();
        QTest::keyClick(w.chkTableVisible, Qt::Key_Space);
        QVERIFY(!w.chkTableVisible->isChecked());
        QVERIFY(w.MSFlexGrid1->isVisible()); // the key changes the mark only
        QTest::mouseClick(w.chkTableVisible, Qt::LeftButton, {}, QPoint(8, 8));
        QVERIFY(w.chkTableVisible->isChecked());
        QVERIFY(w.MSFlexGrid1->isVisible());
        QTest::mouseClick(w.chkTableVisible, Qt::LeftButton, {}, QPoint(8, 8));
        QVERIFY(!w.MSFlexGrid1->isVisible());
        QVERIFY(!w.lbBedienungshinweis->isVisible());
    }

    void onlyAMousePressConfirmsWithOk() {
        FormFixture f;
        Form1& w = f.Create();
        w.btnOK->setFocus();
        QTest::keyClick(w.btnOK, Qt::Key_Space);
        QCOMPARE(w.State.AnswerCount, 0);
        QVERIFY(f.sound.played.empty());
        QVERIFY(f.messages.shown.empty());
    }

    void enterOnTheFocusedRestartButtonRestarts() {
        FormFixture f;
        Form1& w = f.Create();
        QTest::keyClicks(w.tbErgebnis, QStringLiteral("99999"));
        QTest::keyClick(w.tbErgebnis, Qt::Key_Return);
        QCOMPARE(w.State.ResultLines.size(), 2);
        w.btnNeu->setFocus();
        QTest::keyClick(w.btnNeu, Qt::Key_Return);
        QCOMPARE(w.State.ResultLines.size(), 1);
    }

    void creditLineCoding() {
        QCOMPARE(DeCrypt(QStringLiteral("065066")), QStringLiteral("AB"));
        QCOMPARE(DeCrypt(QStringLiteral("0650")), QStringLiteral("A"));
        QCOMPARE(DeCrypt(QStringLiteral("06")), QString());
        QCOMPARE(Crypt(QStringLiteral("AB")), QStringLiteral("065066"));
        QCOMPARE(Crypt(QString()), QString());
        QCOMPARE(Crypt(QStringLiteral("\u0007\u00FC\u20AC")), QStringLiteral("007252128"));
        QString all;
        for (int c = 1; c < 256; ++c)
            all += DeCrypt(QStringLiteral("%1").arg(c, 3, 10, QLatin1Char('0')));
        QCOMPARE(all.size(), 255);
        QCOMPARE(DeCrypt(Crypt(all)), all);
        QCOMPARE(DeCrypt(QString::fromLatin1(StoredCreditLine)).size(), 35);
    }
};

QTEST_MAIN(WindowTest)
#include "test_window.moc"
