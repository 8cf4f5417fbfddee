// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The trainer's one window, Form1.
//
// The exercise cycle:
//   1. NewExercise poses an exercise (the engine chooses it) and starts the clock.
//   2. Timer1_Timer counts its seconds; with sound on it calls the cuckoo and waiting clips.
//   3. The child types into tbErgebnis; tbErgebnis_Change keeps digits only and shows them
//      under the large exercise.
//   4. Enter, a mouse press on "OK ?" or a click on a product in the table calls CheckAnswer,
//      which books the answer (engine) and draws its line and the statistics.
//   5. A right answer moves the table to its next arrangement, unless a series is selected,
//      and poses the next exercise; a wrong one keeps the exercise.
//
// Where each part lives:
//   Form1.cpp          creating the controls and connecting their events
//   Form1Startup.cpp   start-up (Form_Load) and shutdown (Form_Unload)
//   Form1Layout.cpp    the first size and the layout for every size (Form_Resize)
//   Form1Exercise.cpp  posing, typing, judging, the clock and the spoken feedback
//   Form1Table.cpp     the number table, the table and "ohne 1" boxes, the upper bound
//   Form1Settings.cpp  reading and writing the settings file
//   Form1Print.cpp     the two printouts
//
// Everything from outside (random numbers, sound output, printer, message boxes, folders)
// comes in through Form1Backends, so tests can drive the window on fakes.

#include "PracticeState.h"
#include "PrintRunner.h"
#include "SoundFeedback.h"

#include <QString>
#include <QWidget>

#include <array>
#include <memory>

class Announcer;
struct AnswerBooking;
class ClickableImage;
class CoveredLabel;
class GridWidget;
class LineControl;
class MessageBoxes;
class MouseCheckBox;
class MouseLabel;
class PressButton;
class PrinterProvider;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class RandomSource;
class TableView;
class ResultsPicture;
class StepLabel;
class WavePlayer;

// What the outside world provides to the window. main() wires the real ones; tests wire
// fakes that record and answer without a person.
struct Form1Backends {
    RandomSource* Random = nullptr;
    WavePlayer* Sound = nullptr;
    // Shared with the printouts' threads, which may outlast the window; none prints nothing.
    std::shared_ptr<PrinterProvider> Printers;
    MessageBoxes* Messages = nullptr;
    // The folder that holds the program; the settings file lies there.
    QString ProgramFolder;
    // Where the settings go when the program folder cannot be written.
    QString FallbackSettingsFolder;
};

class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(const Form1Backends& backends, QWidget* parent = nullptr);
    ~Form1() override;

    // Shows the window, reads the settings, builds the table and poses the first exercise.
    void Form_Load();
    // The window has been closed: the settings are written and the program is ending.
    bool Unloaded() const { return unloaded_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Form1.cpp
    void CreateControls();
    void ConnectHandlers();
    bool IsChecked(const QCheckBox* box) const;
    // "ohne 1": the table and the operands start at 2 instead of 1.
    int SkipOne() const;

    // Form1Startup.cpp
    void Form_Unload();

    // Form1Layout.cpp
    QSize FirstClientSize() const;
    void Form_Resize();

    // Form1Exercise.cpp
    void NewExercise();
    void CheckAnswer();
    void DrawResultsLine(const AnswerBooking& booking);
    void Timer1_Timer();
    void tbErgebnis_Change();
    void btnOK_MouseDown();
    void btnNeu_Click();
    void chkSoundEnabled_Click();

    // Form1Table.cpp: the grid's events, wired to the table's own behaviour in TableView
    // Builds the table (TableView) and places its printer symbol at its right end.
    void BuildTable();
    // Shows or hides the table as its check box says; start-up and a mouse release use it.
    void ApplyTableCheckBox();
    void ChangeMaxNum(int Direction);
    void chkTableVisible_MouseUp();
    void chkOhne1_Click();
    void MSFlexGrid1_Click();
    void MSFlexGrid1_MouseMove();
    void MSFlexGrid1_MouseUp();
    void imgMaxNum_MouseUp(int Index);
    void lbMaxNum_MouseUp(int Button);
    // Up and Down step the bound as the arrows do; Page Up and Page Down make several steps.
    void lbMaxNum_KeyDown(int Direction, int Steps);

    // Form1Settings.cpp
    void LoadIniFileData(const QString& FileName);
    void SaveIniFileData(const QString& FileName);

    // Form1Print.cpp
    void cmdPrintResults_Click();
    void cmdPrintTable_Click();
    // read: returns what prints the printout, as values read from the window.
    template <typename Read>
    void PrintAfterConfirmation(const QString& prompt, const QString& title, const QString& jobName,
                                Read read);

    Form1Backends backends_;
    SoundFeedback sound_;
    PrintRunner printing_;
    PracticeState State;
    bool unloaded_ = false;

    // Controls, named as the handlers know them.
    MouseCheckBox* chkTableVisible;
    MouseCheckBox* chkSoundEnabled;
    MouseCheckBox* chkOhne1;
    QLabel* Label1;
    StepLabel* lbMaxNum;
    std::array<MouseLabel*, 2> imgMaxNum;
    std::array<MouseCheckBox*, 4> chkRechenart;
    std::array<LineControl*, 2> Line1;
    QLabel* lbBedienungshinweis;
    ClickableImage* cmdPrintTable;
    GridWidget* MSFlexGrid1;
    CoveredLabel* lbAufgabeBig;
    QFrame* frameResults;
    QPushButton* btnNeu;
    ClickableImage* cmdPrintResults;
    ResultsPicture* Picture1;
    QFrame* frameAufgabe;
    QLabel* lbAufgabe;
    QLineEdit* tbErgebnis;
    PressButton* btnOK;
    QLabel* lbTime;
    QLabel* lbStatistik;
    QTimer* Timer1;
    // Speaks each exercise and verdict to a screen reader.
    Announcer* announcer_;

    // The table's own behaviour on the grid: shape, arrangements, series colours.
    std::unique_ptr<TableView> table_;
};
