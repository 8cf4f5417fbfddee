// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form1.h"

#include "Announcer.h"
#include "AnswerChecker.h"
#include "Controls.h"
#include "CoveredLabel.h"
#include "DesignValues.h"
#include "ExerciseClock.h"
#include "ExerciseGenerator.h"
#include "ExerciseText.h"
#include "MessageBoxes.h"
#include "ResultsPicture.h"
#include "TableView.h"
#include "VbColor.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTimer>

namespace {

// Where the answer and the seconds start in a line of the results list, in pixels.
inline constexpr int ResultsAnswerX = 100;
inline constexpr int ResultsSecondsX = 145;

const QString Cuckoo = QString::fromLatin1(CuckooClip);

// The exercise posed, in words.
QString Spoken(const PracticeState& st) {
    return SpokenExercise(st.CalcKind, st.Operand1, st.Operand2);
}

} // namespace

void Form1::NewExercise() {
    std::array<bool, KindCount> kinds{};
    for (std::size_t i = 0; i < kinds.size(); ++i)
        kinds[i] = IsChecked(chkRechenart[i]);
    const bool remembered =
        ChooseNextExercise(State, *backends_.Random, kinds, IsChecked(chkOhne1));

    SetBackColor(lbAufgabe, remembered ? VbColors::Amber : VbColors::ButtonFace);
    lbAufgabe->setText(ExerciseCaption(State.CalcKind, State.Operand1, State.Operand2));
    lbTime->setText(QString());
    tbErgebnis->setText(QString());
    lbAufgabeBig->setText(lbAufgabe->text());
    lbAufgabeBig->setAccessibleName(Spoken(State));
    // Before the focus moves: a repeat is called one, as its colour shows it.
    announcer_->Exercise((remembered ? QStringLiteral("noch einmal: ") : QString()) +
                         Spoken(State));
    tbErgebnis->setFocus();
    // Each exercise gets a full first second before its first tick.
    Timer1->start();
}

void Form1::CheckAnswer() {
    if (IsEmptyAnswer(tbErgebnis->text())) {
        tbErgebnis->setText(QString());
        tbErgebnis->setFocus();
        sound_.PlayWaveRes(Cuckoo);
        return;
    }

    const AnswerBooking booking = BookAnswer(State, lbAufgabe->text(), tbErgebnis->text());
    DrawResultsLine(booking);
    lbStatistik->setText(booking.StatisticsText);
    announcer_->Before(booking.Right ? QStringLiteral("richtig") : QStringLiteral("falsch"));

    if (booking.Right) {
        if (IsChecked(chkTableVisible) && !State.RowSelected)
            table_->FillTableInNextArrangement(State, SkipOne());
        NewExercise();
    } else {
        tbErgebnis->setText(QString());
        announcer_->Exercise(Spoken(State));
        tbErgebnis->setFocus();
    }
    if (IsChecked(chkSoundEnabled))
        sound_.PlayFeedbackSound(booking.Right ? FeedbackPraise : FeedbackWrong);
}

void Form1::DrawResultsLine(const AnswerBooking& booking) {
    if (booking.ClearList)
        Picture1->Cls();
    Picture1->SetForeColor(VbColors::Black);
    Picture1->Print(booking.ExerciseText, false);
    Picture1->SetForeColor(booking.Right ? VbColors::AnswerGreen : VbColors::AnswerRed);
    Picture1->SetCurrentX(ResultsAnswerX);
    Picture1->Print(booking.AnswerText, false);
    Picture1->SetCurrentX(ResultsSecondsX);
    Picture1->SetForeColor(VbColors::Grey);
    Picture1->Print(booking.SecondsText, true);
    Picture1->SetForeColor(VbColors::Black);
    // The exercise judged is still the one posed.
    Picture1->AddSpokenLine(
        SpokenResultLine(Spoken(State), booking.AnswerText, booking.Right, booking.SecondsText));
}

void Form1::Timer1_Timer() {
    ++State.ExerciseSeconds;
    lbTime->setText(QString::number(State.ExerciseSeconds));
    if (!IsChecked(chkSoundEnabled))
        return;
    switch (ClockSoundAt(State.ExerciseSeconds)) {
    case ClockSound::Cuckoo:
        sound_.PlayWaveRes(Cuckoo);
        break;
    case ClockSound::Waiting:
        sound_.PlayFeedbackSound(FeedbackWaiting);
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
    lbAufgabeBig->setAccessibleName((Spoken(State) + u' ' + clean).trimmed());
}

void Form1::btnOK_MouseDown() {
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
    // Judged from the answer box, as Enter there is: a screen reader hears the verdict the
    // same way, however "OK ?" was pressed.
    tbErgebnis->setFocus();
    CheckAnswer();
}

void Form1::btnNeu_Click() {
    Picture1->Cls();
    State.ListLines = 0;
    State.ResetPracticeLists();
    NewExercise();
}

void Form1::chkSoundEnabled_Click() {
    tbErgebnis->setFocus();
}
