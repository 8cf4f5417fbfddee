#pragma once

#include "Controls.h"
#include "CoveredLabel.h"
#include "GridWidget.h"
#include "PracticeState.h"
#include "ResultsPicture.h"
#include "SoundFeedback.h"

#include <QFrame>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>

#include <array>
#include <optional>

class MessageBoxes;
class PrinterProvider;
class RandomSource;
class WavePlayer;

// What the outside world provides to the window. main() wires the real ones; tests wire
// fakes that record and answer without a person.
struct Form1Backends {
    RandomSource* Random = nullptr;
    WavePlayer* Sound = nullptr;
    PrinterProvider* Printers = nullptr;
    MessageBoxes* Messages = nullptr;
    // The folder that holds the program; the settings file lies there.
    QString ProgramFolder;
    // Where the settings go when the program folder cannot be written.
    QString FallbackSettingsFolder;
};

// The trainer's one window. It owns the practice state and every control; its handlers
// read the controls, call the engine, the table and the other parts, and show the result.
class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(const Form1Backends& backends, QWidget* parent = nullptr);
    ~Form1() override;

    // Start-up and shutdown.
    void Form_Load();
    void Form_Unload(int& Cancel);
    void Form_Resize();

    // Event handlers.
    void btnNeu_Click();
    void btnOK_MouseDown(int Button, int Shift, double X, double Y);
    void tbErgebnis_Change();
    void tbErgebnis_KeyDown(int& KeyCode, int Shift);
    void tbErgebnis_KeyPress(int& KeyAscii);
    void Timer1_Timer();
    void chkOhne1_Click();
    void chkTableVisible_MouseUp(int Button, int Shift, double X, double Y);
    void MSFlexGrid1_Click();
    void MSFlexGrid1_MouseMove(int Button, int Shift, double X, double Y);
    void MSFlexGrid1_MouseUp(int Button, int Shift, double X, double Y);
    void imgMaxNum_DblClick(int Index);
    void imgMaxNum_MouseUp(int Index, int Button, int Shift, double X, double Y);
    void lbMaxNum_MouseUp(int Button, int Shift, double X, double Y);
    void chkSoundEnabled_Click();
    void cmdPrintResults_Click();
    void cmdPrintTable_Click();

    // Procedures.
    void NewExercise();
    void CheckAnswer();
    void BuildTable();
    void FillTable(int Arrangement);
    void SelectTableRow(int n);
    void ChangeMaxNum(int Direction);
    void LoadIniFileData(const QString& FileName);
    void SaveIniFileData(const QString& FileName);
    void PlayWaveRes(const QString& vntResourceID, std::optional<unsigned> vntFlags = std::nullopt);
    void PlayFeedbackSound(int kind);

    // The practice state shared by all parts.
    PracticeState State;
    // The arrangement the next FillTable with a negative argument uses; program lifetime.
    int TableArrangement = 0;

    // Controls, as laid out at creation.
    MouseCheckBox* chkTableVisible;
    QCheckBox* chkSoundEnabled;
    QCheckBox* chkOhne1;
    QLabel* Label1;
    MouseLabel* lbMaxNum;
    std::array<MouseLabel*, 2> imgMaxNum;
    std::array<QCheckBox*, 4> chkRechenart;
    std::array<LineControl*, 2> Line1;
    QLabel* lbBedienungshinweis;
    MouseLabel* cmdPrintTable;
    GridWidget* MSFlexGrid1;
    CoveredLabel* lbAufgabeBig;
    QFrame* frameResults;
    QPushButton* btnNeu;
    MouseLabel* cmdPrintResults;
    ResultsPicture* Picture1;
    QFrame* frameAufgabe;
    QLabel* lbAufgabe;
    QLineEdit* tbErgebnis;
    PressButton* btnOK;
    QLabel* lbTime;
    QLabel* lbStatistik;
    QTimer* Timer1;

    SoundFeedback& Sound() { return sound_; }
    // The window has been closed (the program is ending).
    bool Unloaded() const { return unloaded_; }
    const Form1Backends& Backends() const { return backends_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The design size, reduced to what fits the screen's free area.
    QSize FirstClientSize() const;
    void CreateControls();
    void ConnectHandlers();
    bool IsChecked(const QCheckBox* box) const { return box->checkState() != Qt::Unchecked; }
    int SkipOne() const { return IsChecked(chkOhne1) ? 1 : 0; }

    Form1Backends backends_;
    SoundFeedback sound_;
    bool unloaded_ = false;
};
