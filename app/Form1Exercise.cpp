#include "Form1.h"

#include "AnswerChecker.h"
#include "DesignValues.h"
#include "ExerciseClock.h"
#include "ExerciseGenerator.h"
#include "MessageBoxes.h"
#include "SpokenText.h"
#include "VbColor.h"

#include <QCoreApplication>

namespace {

inline constexpr int ResultsAnswerX = 100;
inline constexpr int ResultsSecondsX = 145;

} // namespace

void Form1::NewExercise() {
    std::array<bool, KindCount> kinds{};
    for (int i = 0; i < KindCount; ++i)
        kinds[static_cast<std::size_t>(i)] = IsChecked(chkRechenart[static_cast<std::size_t>(i)]);
    const bool remembered =
        ChooseNextExercise(State, *backends_.Random, kinds, IsChecked(chkOhne1));

    SetBackColor(lbAufgabe, remembered ? VbColors::Amber : VbColors::ButtonFace);
    lbAufgabe->setText(ExerciseCaption(State.CalcKind, State.Operand1, State.Operand2));
    // The answer box keeps the focus, so a screen reader announces the exercise through it.
    tbErgebnis->setAccessibleDescription(SpokenExercise(lbAufgabe->text()));
    lbTime->setText(QString());
    tbErgebnis->setText(QString());
    tbErgebnis->setFocus();
    lbAufgabeBig->setText(lbAufgabe->text());
    // Each exercise gets a full first second before its first tick.
    Timer1->start();
}

void Form1::CheckAnswer() {
    if (IsEmptyAnswer(tbErgebnis->text())) {
        tbErgebnis->setText(QString());
        tbErgebnis->setFocus();
        PlayWaveRes(QStringLiteral("KUCKUCK"), SND_ASYNC);
        return;
    }

    const AnswerBooking b = BookAnswer(State, lbAufgabe->text(), tbErgebnis->text());
    if (b.ClearList)
        Picture1->Cls();
    Picture1->SetForeColor(VbColors::Black);
    Picture1->Print(b.ExerciseText, false);
    Picture1->SetForeColor(b.Right ? VbColors::AnswerGreen : VbColors::AnswerRed);
    Picture1->SetCurrentX(ResultsAnswerX);
    Picture1->Print(b.AnswerText, false);
    Picture1->SetForeColor(VbColors::Black);
    Picture1->SetCurrentX(ResultsSecondsX);
    Picture1->SetForeColor(VbColors::Grey);
    Picture1->Print(b.SecondsText, true);
    Picture1->SetForeColor(VbColors::Black);
    Picture1->AddSpokenLine(SpokenResultLine(b.ExerciseText, b.AnswerText, b.Right, b.SecondsText));
    lbStatistik->setText(b.StatisticsText);

    if (b.Right) {
        if (IsChecked(chkTableVisible) && !State.RowSelected)
            FillTable(-1);
        NewExercise();
    } else {
        tbErgebnis->setText(QString());
        tbErgebnis->setFocus();
    }
    if (IsChecked(chkSoundEnabled))
        PlayFeedbackSound(b.Right ? FeedbackPraise : FeedbackWrong);
}

void Form1::Timer1_Timer() {
    ++State.ExerciseSeconds;
    lbTime->setText(QString::number(State.ExerciseSeconds));
    if (!IsChecked(chkSoundEnabled))
        return;
    switch (ClockSoundAt(State.ExerciseSeconds)) {
    case ClockSound::Cuckoo:
        PlayWaveRes(QStringLiteral("KUCKUCK"), SND_ASYNC);
        break;
    case ClockSound::Waiting:
        PlayFeedbackSound(FeedbackWaiting);
        break;
    case ClockSound::None:
        break;
    }
}

void Form1::tbErgebnis_Change() {
    const QString current = tbErgebnis->text();
    const QString clean = CleanNumberString(current);
    if (clean != current) {
        // The caret keeps its place among the digits that stay.
        const int caret = tbErgebnis->cursorPosition();
        const int digitsBefore = CleanNumberString(current.left(caret)).size();
        tbErgebnis->setText(clean);
        tbErgebnis->setCursorPosition(digitsBefore);
        return; // the change of the text runs this handler again with the clean text
    }
    lbAufgabeBig->setText(lbAufgabe->text() + QStringLiteral("\r\n") + clean);
}

void Form1::tbErgebnis_KeyDown(int& KeyCode, int /*Shift*/) {
    if (KeyCode == 13)
        CheckAnswer();
}

void Form1::tbErgebnis_KeyPress(int& KeyAscii) {
    if (KeyAscii == 13)
        KeyAscii = 0;
}

void Form1::btnOK_MouseDown(int /*Button*/, int /*Shift*/, double /*X*/, double /*Y*/) {
    QCoreApplication::processEvents();
    if (!State.EnterHintShown && !unloaded_) {
        backends_.Messages->MsgBox(
            this, QStringLiteral("Die Eingabe lässt sich besser mit der [Enter] Taste bestätigen."),
            MessageBoxes::Information, Design::Caption);
        State.EnterHintShown = true;
    }
    // The program may have been told to end while the box was open.
    if (unloaded_)
        return;
    CheckAnswer();
}

void Form1::btnNeu_Click() {
    Picture1->Cls();
    State.ListLines = 0;
    State.ResetPracticeLists();
    NewExercise();
}
