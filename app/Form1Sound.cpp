#include "Form1.h"

void Form1::PlayWaveRes(const QString& vntResourceID, std::optional<unsigned> vntFlags) {
    sound_.PlayWaveRes(vntResourceID, vntFlags);
}

void Form1::PlayFeedbackSound(int kind) {
    sound_.PlayFeedbackSound(kind);
}

void Form1::chkSoundEnabled_Click() {
    tbErgebnis->setFocus();
}
