// Playing with no sound server at all: PULSE_SERVER names a socket that does not exist.

#include "QtWavePlayer.h"
#include "SoundFeedback.h"

#include <QElapsedTimer>
#include <QtTest>

namespace {
QStringList printed;
void Collect(QtMsgType, const QMessageLogContext&, const QString& message) {
    printed << message;
}
} // namespace

class NoServerTest : public QObject {
    Q_OBJECT
private slots:
    void PlayingFailsAtOnceAndSilently();
};

void NoServerTest::PlayingFailsAtOnceAndSilently() {
    QVERIFY(qEnvironmentVariable("PULSE_SERVER").contains(QStringLiteral("nonexistent")));
    const QtMessageHandler testHandler = qInstallMessageHandler(Collect);
    {
        QtWavePlayer player;
        SoundFeedback sound(player);
        QElapsedTimer t;
        t.start();
        sound.PlayWaveRes(QStringLiteral("NO_12"), SND_ASYNC); // almost 3 s long
        sound.PlayFeedbackSound(FeedbackPraise);
        QVERIFY(t.elapsed() < 1000);
        QVERIFY(!player.IsPlaying());
        QCOMPARE(sound.WaveData, LoadWaveResource(QStringLiteral("YES_01")));
        QTest::qWait(200);
    }
    qInstallMessageHandler(testHandler);
    QVERIFY2(printed.isEmpty(), qPrintable(printed.join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(NoServerTest)
#include "NoServerTest.moc"
