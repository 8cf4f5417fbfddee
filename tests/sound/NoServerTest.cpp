// Playing with no sound server at all: PULSE_SERVER names a socket that does not exist.

#include "QtWavePlayer.h"
#include "SoundFeedback.h"

#include <QElapsedTimer>
#include <QtTest>

namespace {

QStringList printed;
QtMessageHandler testHandler = nullptr;

void Collect(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    printed << message;
    if (testHandler)
        testHandler(type, context, message);
}

} // namespace

class NoServerTest : public QObject {
    Q_OBJECT
private slots:
    void PlayingFailsAtOnceAndSilently();
};

void NoServerTest::PlayingFailsAtOnceAndSilently() {
    QVERIFY(qEnvironmentVariable("PULSE_SERVER").contains(QStringLiteral("nonexistent")));
    testHandler = qInstallMessageHandler(Collect);

    QtWavePlayer player;
    SoundFeedback sound(player);
    QElapsedTimer t;
    t.start();
    sound.PlayWaveRes(QStringLiteral("NO_12"), SND_ASYNC); // a clip of almost 3 s
    sound.PlayFeedbackSound(FeedbackPraise);
    sound.PlayWaveRes(QStringLiteral("KUCKUCK"), SND_ASYNC);
    QVERIFY2(t.elapsed() < 1000, "playing waited");
    QVERIFY(!player.IsPlaying());
    QCOMPARE(sound.WaveData, LoadWaveResource(QStringLiteral("KUCKUCK")));
    QTest::qWait(200);

    qInstallMessageHandler(testHandler);
    QVERIFY2(printed.isEmpty(), qPrintable(printed.join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(NoServerTest)
#include "NoServerTest.moc"
