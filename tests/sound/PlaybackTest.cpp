// Real playing: clips go through QtWavePlayer to a PulseAudio null sink, whose monitor is
// recorded with parec and measured with sox. Runs under tests/support/with-pulseaudio.

#include "QtWavePlayer.h"
#include "SoundFeedback.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <functional>

namespace {

QString Run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(10000);
    return QString::fromLocal8Bit(p.readAllStandardError());
}

// Seconds from the first to the last audible sample of a WAVE file, as sox finds them.
double AudibleSeconds(const QString& path) {
    const QString trim = QStringLiteral("silence 1 0.01 2% reverse silence 1 0.01 2% reverse");
    const QString report = Run(QStringLiteral("sox"), QStringList{path, QStringLiteral("-n")} +
                                                          trim.split(QLatin1Char(' ')) +
                                                          QStringList{QStringLiteral("stat")});
    return QRegularExpression(QStringLiteral("Length \\(seconds\\):\\s*([0-9.]+)"))
        .match(report)
        .captured(1)
        .toDouble();
}

// Records the null sink's monitor into a WAVE file while it lives. A short latency keeps the
// sink rendering in small blocks, so the recording follows the clock.
class Recorder {
public:
    explicit Recorder(const QString& path) : path_(path) {
        parec_.start(QStringLiteral("parec"),
                     {QStringLiteral("-d"), QStringLiteral("nullsink.monitor"),
                      QStringLiteral("--file-format=wav"), QStringLiteral("--rate=22050"),
                      QStringLiteral("--channels=1"), QStringLiteral("--latency-msec=20"), path});
        QElapsedTimer t;
        t.start();
        while (parec_.waitForStarted(5000) && !Recording() && t.elapsed() < 5000)
            QTest::qWait(20);
    }
    ~Recorder() {
        ::kill(pid_t(parec_.processId()), SIGINT);
        parec_.waitForFinished(5000);
    }
    bool Recording() const { return QFileInfo(path_).size() >= 2000; }

private:
    QString path_;
    QProcess parec_;
};

} // namespace

class PlaybackTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void PlaysAClipWhole();
    void ANewClipCutsTheOneStillPlaying();

private:
    double Heard(const QString& name, const std::function<void()>& play);
    double ClipItself(const QString& name);

    QTemporaryDir dir_;
    QtWavePlayer player_;
    // Without a client asking for a short latency the null sink renders in blocks of two
    // seconds, and each recording would wait for the next block.
    std::unique_ptr<Recorder> keepAwake_;
};

void PlaybackTest::initTestCase() {
    QVERIFY2(qEnvironmentVariableIsSet("PULSE_SERVER"), "run under tests/support/with-pulseaudio");
    keepAwake_ = std::make_unique<Recorder>(dir_.filePath(QStringLiteral("awake.wav")));
    QVERIFY(keepAwake_->Recording());
}

// Records while play() starts the sound and until the player has let go of the output.
double PlaybackTest::Heard(const QString& name, const std::function<void()>& play) {
    const QString path = dir_.filePath(name + QStringLiteral("-heard.wav"));
    {
        Recorder recorder(path);
        if (!recorder.Recording())
            return -1;
        play();
        if (!QTest::qWaitFor([this] { return !player_.IsPlaying(); }, 10000))
            return -1;
    }
    return AudibleSeconds(path);
}

double PlaybackTest::ClipItself(const QString& name) {
    QFile f(dir_.filePath(name + QStringLiteral(".wav")));
    f.open(QIODevice::WriteOnly);
    f.write(LoadWaveResource(name));
    f.close();
    return AudibleSeconds(f.fileName());
}

void PlaybackTest::PlaysAClipWhole() {
    const double clip = ClipItself(QStringLiteral("YES_23"));
    QVERIFY(clip > 1.2);
    const double heard = Heard(QStringLiteral("YES_23"), [this] {
        // A temporary image: the player must hold on to the bytes itself.
        QElapsedTimer t;
        t.start();
        player_.PlayWave(QStringLiteral("YES_23"), LoadWaveResource(QStringLiteral("YES_23")),
                         SND_ASYNC | SND_MEMORY);
        QVERIFY2(t.elapsed() < 500 && player_.IsPlaying(), "PlayWave waited for the clip");
    });
    qInfo("clip %.3f s, heard %.3f s", clip, heard);
    QVERIFY(std::abs(heard - clip) < 0.06);

    // A tone sounding up to its very last frame, 16-bit stereo this time: its end must be
    // heard too, not cut off when the sink has read the last frame.
    const QString tonePath = dir_.filePath(QStringLiteral("tone.wav"));
    Run(QStringLiteral("sox"),
        QStringLiteral("-n -r 44100 -c 2 -b 16 %1 synth 0.5 sine 440 vol 0.5")
            .arg(tonePath)
            .split(QLatin1Char(' ')));
    QFile tone(tonePath);
    QVERIFY(tone.open(QIODevice::ReadOnly));
    const QByteArray toneImage = tone.readAll();
    const double toneHeard = Heard(QStringLiteral("tone"), [&] {
        player_.PlayWave(QStringLiteral("tone"), toneImage, SND_ASYNC | SND_MEMORY);
    });
    qInfo("tone 0.500 s, heard %.3f s", toneHeard);
    QVERIFY(toneHeard > 0.45 && toneHeard < 0.55);
}

void PlaybackTest::ANewClipCutsTheOneStillPlaying() {
    const double first = ClipItself(QStringLiteral("NO_12"));
    const double second = ClipItself(QStringLiteral("YES_01"));
    SoundFeedback sound(player_);
    double offset = 0;
    auto playFirstFor600ms = [&] {
        QElapsedTimer t;
        t.start();
        sound.PlayWaveRes(QStringLiteral("NO_12"), SND_ASYNC);
        QTest::qWait(600);
        offset = t.elapsed() / 1000.0;
    };

    // Heard: the start of the first clip up to the second, then the second whole; neither
    // both in a row nor the rest of the first under the second.
    const double cut = Heard(QStringLiteral("cut"), [&] {
        playFirstFor600ms();
        sound.PlayWaveRes(QStringLiteral("YES_01"), SND_ASYNC);
    });
    qInfo("first %.3f s, second %.3f s after %.3f s: heard %.3f s", first, second, offset, cut);
    QVERIFY(std::abs(cut - (offset + second)) < 0.2);
    QVERIFY(cut < first - 0.5);

    // A name with nothing to play stops the clip all the same.
    const double stopped = Heard(QStringLiteral("stopped"), [&] {
        playFirstFor600ms();
        sound.PlayWaveRes(QStringLiteral("NO_SUCH_CLIP"), SND_ASYNC);
        QVERIFY(!player_.IsPlaying());
        QTest::qWait(500);
    });
    qInfo("stopped after %.3f s: heard %.3f s", offset, stopped);
    QVERIFY(stopped > 0.2 && stopped < offset + 0.2);
}

QTEST_GUILESS_MAIN(PlaybackTest)
#include "PlaybackTest.moc"
