#include "SoundFeedback.h"

#include <QFile>

namespace {

QString ClipName(const char* prefix, int number) {
    return QString::fromLatin1(prefix) + QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

} // namespace

QByteArray LoadWaveResource(const QString& name) {
    QFile f(QStringLiteral(":/WAVE/") + name);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void SoundFeedback::PlayWaveRes(const QString& vntResourceID, std::optional<unsigned> vntFlags) {
    QByteArray next = LoadWaveResource(vntResourceID);
    const unsigned flags = vntFlags.value_or(SND_NODEFAULT | SND_MEMORY) | SND_MEMORY;
    // The player takes its own reference to the image before the old one is let go.
    player_.PlayWave(vntResourceID, next, flags);
    WaveData = std::move(next);
}

void SoundFeedback::PlayFeedbackSound(int kind) {
    QString name;
    if (kind == FeedbackPraise) {
        name = ClipName("YES_", YesCounter + 1);
        YesCounter = (YesCounter + 1) % 24;
    } else if (kind == FeedbackWrong) {
        name = ClipName("NO_", NoCounter + 1);
        NoCounter = (NoCounter + 1) % 12;
    } else {
        name = ClipName("WAIT_", WaitCounter + 1);
        WaitCounter = (WaitCounter + 1) % 5;
    }
    PlayWaveRes(name, SND_ASYNC);
}
