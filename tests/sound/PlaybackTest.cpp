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

#include <QtEndian>

#include <cmath>
#include <csignal>

namespace {

// The stretch from the first to the last audible sample of a WAVE file, as sox finds it.
struct Audible {
    double Seconds = 0;
    double MaxAmplitude = 0;
};

Audible Measure(const QString& path) {
    QProcess sox;
    sox.start(QStringLiteral("sox"),
              {path, QStringLiteral("-n"), QStringLiteral("silence"), QStringLiteral("1"),
               QStringLiteral("0.01"), QStringLiteral("2%"), QStringLiteral("reverse"),
               QStringLiteral("silence"), QStringLiteral("1"), QStringLiteral("0.01"),
               QStringLiteral("2%"), QStringLiteral("reverse"), QStringLiteral("stat")});
    sox.waitForFinished(10000);
    const QString report = QString::fromLocal8Bit(sox.readAllStandardError());
    auto value = [&](const char* label) {
        const QRegularExpression re(QString::fromLatin1(label) + QStringLiteral(":\\s*([0-9.]+)"));
        const QRegularExpressionMatch m = re.match(report);
        return m.hasMatch() ? m.captured(1).toDouble() : 0.0;
    };
    return Audible{value("Length \\(seconds\\)"), value("Maximum amplitude")};
}

// Records the null sink's monitor into a WAVE file while it lives.
class Recorder {
public:
    explicit Recorder(const QString& path) : path_(path) {
        parec_.start(QStringLiteral("parec"),
                     {QStringLiteral("-d"), QStringLiteral("nullsink.monitor"),
                      QStringLiteral("--file-format=wav"), QStringLiteral("--rate=22050"),
                      QStringLiteral("--channels=1"), QStringLiteral("--format=s16le"),
                      QStringLiteral("--latency-msec=20"), path});
        started_ = parec_.waitForStarted(5000);
        // Recording has begun once samples arrive in the file.
        QElapsedTimer t;
        t.start();
        while (started_ && QFileInfo(path_).size() < 2000 && t.elapsed() < 5000)
            QTest::qWait(20);
    }
    ~Recorder() { Stop(); }
    bool Recording() const { return started_ && QFileInfo(path_).size() >= 2000; }
    void Stop() {
        if (parec_.state() == QProcess::NotRunning)
            return;
        ::kill(pid_t(parec_.processId()), SIGINT);
        if (!parec_.waitForFinished(5000)) {
            parec_.kill();
            parec_.waitForFinished(5000);
        }
    }

private:
    QString path_;
    QProcess parec_;
    bool started_ = false;
};

} // namespace

class PlaybackTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void PlaysAClipWholeInTheBackground();
    void ANewClipCutsTheOneStillPlaying();

private:
    Audible ClipItself(const QString& name);
    QTemporaryDir dir_;
    // Keeps the null sink at a short latency for the whole test. Without a client asking for
    // that, the sink renders in blocks of two seconds, and a recording started then waits for
    // the next block.
    std::unique_ptr<Recorder> keepAwake_;
};

void PlaybackTest::initTestCase() {
    QVERIFY2(qEnvironmentVariableIsSet("PULSE_SERVER"), "run under tests/support/with-pulseaudio");
    QVERIFY(dir_.isValid());
    keepAwake_ = std::make_unique<Recorder>(dir_.filePath(QStringLiteral("awake.wav")));
    QVERIFY(keepAwake_->Recording());
}

// What sox finds in the clip's own file: the measure for what the recording should hold.
Audible PlaybackTest::ClipItself(const QString& name) {
    const QString path = dir_.filePath(name + QStringLiteral(".wav"));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(LoadWaveResource(name));
    f.close();
    return Measure(path);
}

void PlaybackTest::PlaysAClipWholeInTheBackground() {
    const Audible clip = ClipItself(QStringLiteral("YES_23"));
    QVERIFY(clip.Seconds > 1.2);

    QtWavePlayer player;
    {
        const QString recording = dir_.filePath(QStringLiteral("whole.wav"));
        Recorder recorder(recording);
        QVERIFY(recorder.Recording());

        // The image is a temporary: the player must hold on to the bytes itself.
        QElapsedTimer t;
        t.start();
        player.PlayWave(QStringLiteral("YES_23"), LoadWaveResource(QStringLiteral("YES_23")),
                        SND_ASYNC | SND_MEMORY);
        QVERIFY2(t.elapsed() < 500, "PlayWave waited for the clip");
        QVERIFY(player.IsPlaying());
        // The player lets go of the output by itself once the clip has been heard.
        QTRY_VERIFY_WITH_TIMEOUT(!player.IsPlaying(), 10000);
        QVERIFY(t.elapsed() > 1200);
        recorder.Stop();

        const Audible heard = Measure(recording);
        qInfo("clip %.3f s, heard %.3f s, loudest %.2f", clip.Seconds, heard.Seconds,
              heard.MaxAmplitude);
        QVERIFY(heard.MaxAmplitude > 0.3);
        QVERIFY2(std::abs(heard.Seconds - clip.Seconds) < 0.06,
                 qPrintable(QStringLiteral("heard %1 s").arg(heard.Seconds)));
    }
    {
        // A tone that sounds up to its very last frame, in a layout unlike the catalogue's:
        // 16-bit stereo with a chunk after the frames. Its end must be heard too.
        const int rate = 44100;
        const int frames = rate / 2;
        QByteArray pcm(frames * 4, Qt::Uninitialized);
        for (int i = 0; i < frames; ++i) {
            const auto v = qint16(12000 * std::sin(2 * M_PI * 440 * i / rate));
            qToLittleEndian(v, pcm.data() + 4 * i);
            qToLittleEndian(v, pcm.data() + 4 * i + 2);
        }
        QByteArray fmt("fmt \x10\0\0\0\x01\0\x02\0", 12);
        const auto le32 = [](quint32 v) {
            QByteArray b(4, '\0');
            qToLittleEndian(v, b.data());
            return b;
        };
        fmt += le32(rate) + le32(rate * 4) + QByteArray("\x04\0\x10\0", 4);
        const QByteArray body =
            "WAVE" + fmt + "data" + le32(pcm.size()) + pcm + "LIST" + le32(4) + "INFO";
        const QByteArray image = "RIFF" + le32(body.size()) + body;

        const QString recording = dir_.filePath(QStringLiteral("tone.wav"));
        Recorder recorder(recording);
        QVERIFY(recorder.Recording());
        player.PlayWave(QStringLiteral("tone"), image, SND_ASYNC | SND_MEMORY);
        QTRY_VERIFY_WITH_TIMEOUT(!player.IsPlaying(), 10000);
        recorder.Stop();
        const Audible heard = Measure(recording);
        qInfo("tone 0.500 s, heard %.3f s", heard.Seconds);
        QVERIFY2(heard.Seconds > 0.45 && heard.Seconds < 0.55,
                 qPrintable(QStringLiteral("heard %1 s").arg(heard.Seconds)));
    }
}

void PlaybackTest::ANewClipCutsTheOneStillPlaying() {
    const Audible first = ClipItself(QStringLiteral("NO_12"));
    const Audible second = ClipItself(QStringLiteral("YES_01"));

    QtWavePlayer player;
    SoundFeedback sound(player);
    {
        const QString recording = dir_.filePath(QStringLiteral("cut.wav"));
        Recorder recorder(recording);
        QVERIFY(recorder.Recording());
        QElapsedTimer t;
        t.start();
        sound.PlayWaveRes(QStringLiteral("NO_12"), SND_ASYNC);
        QTest::qWait(600);
        const double offset = t.elapsed() / 1000.0;
        sound.PlayWaveRes(QStringLiteral("YES_01"), SND_ASYNC);
        QTRY_VERIFY_WITH_TIMEOUT(!player.IsPlaying(), 10000);
        QTest::qWait(300);
        recorder.Stop();

        // Heard: the start of the first clip up to the second, then the second whole; neither
        // both in a row nor the rest of the first under the second.
        const Audible heard = Measure(recording);
        const double expected = offset + second.Seconds;
        qInfo("first %.3f s, second %.3f s after %.3f s: heard %.3f s, expected about %.3f s",
              first.Seconds, second.Seconds, offset, heard.Seconds, expected);
        QVERIFY2(std::abs(heard.Seconds - expected) < 0.2,
                 qPrintable(QStringLiteral("heard %1 s").arg(heard.Seconds)));
        QVERIFY(heard.Seconds < first.Seconds - 0.5);
    }
    {
        // A call with nothing playable stops the clip all the same.
        const QString recording = dir_.filePath(QStringLiteral("stopped.wav"));
        Recorder recorder(recording);
        QVERIFY(recorder.Recording());
        QElapsedTimer t;
        t.start();
        sound.PlayWaveRes(QStringLiteral("NO_12"), SND_ASYNC);
        QTest::qWait(600);
        const double offset = t.elapsed() / 1000.0;
        sound.PlayWaveRes(QStringLiteral("NO_SUCH_CLIP"), SND_ASYNC);
        QVERIFY(!player.IsPlaying());
        QTest::qWait(500);
        recorder.Stop();
        const Audible heard = Measure(recording);
        qInfo("stopped after %.3f s: heard %.3f s", offset, heard.Seconds);
        QVERIFY2(heard.Seconds < offset + 0.2,
                 qPrintable(QStringLiteral("heard %1 s").arg(heard.Seconds)));
        QVERIFY(heard.Seconds > 0.2);
    }
}

QTEST_GUILESS_MAIN(PlaybackTest)
#include "PlaybackTest.moc"
