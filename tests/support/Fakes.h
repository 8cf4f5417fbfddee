// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The window's backends as fakes, and a fixture that builds a real Form1 on them with its
// program folder in a temporary directory and reaches it as a user does: through its controls.

#include "Doubles.h"
#include "Form1.h"
#include "GridWidget.h"
#include "MessageBoxes.h"
#include "PrinterProvider.h"
#include "ResultsPicture.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QRegularExpression>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>

// Records every box as "style title: prompt" and answers it at once: OK, or what onShow
// returns.
class FakeMessageBoxes : public MessageBoxes {
public:
    int MsgBox(QWidget*, const QString& prompt, int style, const QString& title) override {
        shown << QString::number(style) + ' ' + title + ": " + prompt;
        return onShow ? onShow() : Ok;
    }
    QStringList shown;
    std::function<int()> onShow;
};

// Counts the requests; hands out a printer that writes the PDF file pdf, or none. While stuck,
// as a stopped print spooler, it answers only once the test releases `answer` (or after 20 s).
// The window shares it with the printouts' threads, which may outlast the window.
class FakePrinterProvider : public PrinterProvider {
public:
    std::unique_ptr<QPrinter> DefaultPrinter() override {
        if (++requests, stuck)
            answer.tryAcquire(1, 20000);
        if (pdf.isEmpty())
            return nullptr;
        auto printer = std::make_unique<QPrinter>();
        printer->setOutputFileName(pdf);
        return printer;
    }
    std::atomic<int> requests = 0;
    bool stuck = false;
    QSemaphore answer;
    QString pdf;
};

// The file's bytes, or what stands in its place.
inline QByteArray Contents(const QString& path) {
    QFile f(path);
    const bool file = QFileInfo(path).isFile() && f.open(QIODevice::ReadOnly);
    return file ? f.readAll() : QFileInfo::exists(path) ? "<special>" : "<missing>";
}

inline bool Put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return QDir().mkpath(QFileInfo(path).path()) && f.open(QIODevice::WriteOnly) &&
           f.write(bytes) == bytes.size() && f.flush();
}

// The settings file lies in programFolder; the user's folder, fallbackFolder/zahlwerk, is
// missing until the window makes it.
struct FormFixture {
    ScriptedRandom random;
    RecordingWavePlayer sound;
    std::shared_ptr<FakePrinterProvider> printers = std::make_shared<FakePrinterProvider>();
    FakeMessageBoxes messages;
    QTemporaryDir programFolder;
    QTemporaryDir fallbackFolder;
    QString settings = programFolder.filePath("zahlwerk.ini");
    std::unique_ptr<Form1> form;

    Form1& Create() {
        form = std::make_unique<Form1>(Form1Backends{&random, &sound, printers, &messages,
                                                     programFolder.path(),
                                                     fallbackFolder.filePath("zahlwerk")});
        form->Form_Load();
        return *form;
    }
    template <typename T = QWidget> T* Get(const char* name) const {
        return form->findChild<T*>(name);
    }
    void Click(const char* name, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(Get(name), button, {}, QPoint(4, 4));
    }
};

// A window made at once, with the controls a user looks at.
struct Window : FormFixture {
    Form1& w = Create();
    QLineEdit* answer = Get<QLineEdit>("tbErgebnis");
    QLabel* exercise = Get<QLabel>("lbAufgabe");
    QLabel* stats = Get<QLabel>("lbStatistik");
    QLabel* time = Get<QLabel>("lbTime");
    QLabel* maxNum = Get<QLabel>("lbMaxNum");
    GridWidget* grid = Get<GridWidget>("MSFlexGrid1");
    ResultsPicture* list = Get<ResultsPicture>("Picture1");

    void ClickCell(int row, int col, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(grid, button, {}, grid->CellRect(row, col).center());
    }
    // The clock's ticks; the clips heard meanwhile, each with the second shown as it sounded.
    QStringList Tick(int seconds) {
        QStringList heard;
        for (int i = 0; i < seconds; ++i) {
            const qsizetype before = sound.names.size();
            QMetaObject::invokeMethod(Get<QTimer>("Timer1"), "timeout");
            for (const QString& clip : sound.names.mid(before))
                heard << clip + '@' + time->text();
        }
        return heard;
    }
    void Answer(const QString& digits) {
        QTest::keyClicks(answer, digits);
        QTest::keyClick(answer, Qt::Key_Return);
    }
    QString Right() const {
        const auto m = QRegularExpression("(\\d+) (.) (\\d+) =").match(exercise->text());
        const int a = m.captured(1).toInt(), b = m.captured(3).toInt();
        const QChar op = m.captured(2).at(0);
        return QString::number(op == u'·'   ? a * b
                               : op == u'÷' ? a / b
                               : op == u'+' ? a + b
                                            : a - b);
    }
    bool AmberShown() const {
        return exercise->palette().color(QPalette::Window) == QColor(255, 204, 0);
    }
    int ListLines() const { return static_cast<int>(list->SpokenLines().size()); }
    // A line of the results list: each text with its place and colour (&H00BBGGRR in hex).
    QStringList Line(int i) const {
        QStringList texts;
        for (const auto& run : list->LineRuns(i))
            texts << run.Text + '@' + QString::number(run.X) + ' ' + QString::number(run.Color, 16);
        return texts;
    }
    // The columns whose body cells are all amber; a column partly amber counts negative.
    QList<int> AmberColumns() const {
        QList<int> cols;
        for (int c = 0; c < grid->Cols(); ++c) {
            int amber = 0;
            for (int r = 0; r < grid->Rows(); ++r)
                amber += grid->CellBackColorAt(r, c) == 0x0000CCFFu;
            if (amber)
                cols << (amber == grid->Rows() - 1 && !grid->CellBackColorAt(0, c) ? c : -c);
        }
        return cols;
    }
};
