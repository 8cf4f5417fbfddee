#include "Doubles.h"
#include "QtWavePlayer.h"
#include "SoundFeedback.h"
#include "TestData.h"

#include <QtEndian>

namespace {

QByteArray Le(quint32 v, int bytes) {
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b.left(bytes);
}
// A chunk padded to even length; its length field may claim something else.
QByteArray Chunk(const char* id, const QByteArray& body, qint64 claimed = -1) {
    const QByteArray c = id + Le(quint32(claimed < 0 ? body.size() : claimed), 4) + body;
    return claimed < 0 && body.size() % 2 ? c + '\0' : c;
}
QByteArray Fmt(quint16 tag, quint16 channels, quint32 rate, quint16 bits) {
    const int align = channels * bits / 8;
    return Chunk("fmt ", Le(tag, 2) + Le(channels, 2) + Le(rate, 4) + Le(rate * align, 4) +
                             Le(align, 2) + Le(bits, 2));
}
QByteArray Riff(const QByteArray& chunks) {
    return "RIFF" + Le(4 + chunks.size(), 4) + "WAVE" + chunks;
}

} // namespace

class SoundTest : public QObject {
    Q_OBJECT
private slots:
    // Each series plays its clips in turn and starts again after its last.
    void rotation_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("before"); // clips of the series played before
        QTest::addColumn<QString>("name");
        QTest::newRow("first praise") << FeedbackPraise << 0 << "YES_01";
        QTest::newRow("last praise") << FeedbackPraise << 23 << "YES_24";
        QTest::newRow("praise again") << FeedbackPraise << 24 << "YES_01";
        QTest::newRow("last wrong") << FeedbackWrong << 11 << "NO_12";
        QTest::newRow("wrong again") << FeedbackWrong << 12 << "NO_01";
        QTest::newRow("last waiting") << FeedbackWaiting << 4 << "WAIT_05";
        QTest::newRow("waiting again") << FeedbackWaiting << 5 << "WAIT_01";
    }
    void rotation() {
        RecordingWavePlayer player;
        SoundFeedback sound(player);
        const int kind = FETCH(int, kind);
        for (int i = 0; i < FETCH(int, before); ++i)
            sound.PlayFeedbackSound(kind);
        sound.PlayFeedbackSound(kind);
        QCOMPARE(player.names.last(), FETCH(QString, name));
        QCOMPARE(player.images.back(), LoadWaveResource(player.names.last()));
    }

    // The 42 clips: PCM mono 22050 Hz 8 bit, audible, the frames closing the image.
    void catalogue() {
        QStringList names{QStringLiteral("KUCKUCK")};
        for (auto [prefix, count] : {std::pair{"YES_", 24}, {"NO_", 12}, {"WAIT_", 5}})
            for (int n = 1; n <= count; ++n)
                names << QString::asprintf("%s%02d", prefix, n);
        for (const QString& name : names) {
            const QByteArray image = LoadWaveResource(name);
            const std::optional<WaveFrames> frames = ParseWaveImage(image);
            QVERIFY2(frames, qPrintable(name));
            QCOMPARE(image.mid(8, 28), "WAVE" + Fmt(1, 1, 22050, 8));
            QCOMPARE(frames->Offset + frames->Size + (frames->Size & 1), image.size());
            int loudest = 0;
            for (char c : image.mid(frames->Offset, frames->Size))
                loudest = std::max(loudest, std::abs(int(quint8(c)) - 128));
            QVERIFY2(loudest > 64, qPrintable(name));
        }
        QVERIFY(LoadWaveResource(QStringLiteral("NO_13")).isEmpty());
    }

    // What the player reads of a WAVE image; -1: nothing playable.
    void waveImages_data() {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("size");
        const QByteArray fmt16 = Fmt(1, 2, 44100, 16), pcm(400, '\x11');
        const QByteArray fmt8 = Fmt(1, 1, 22050, 8), data = Chunk("data", QByteArray(100, 'x'));
        QTest::newRow("16-bit stereo") << Riff(fmt16 + Chunk("data", pcm)) << 44 << 400;
        QTest::newRow("other chunks, odd padded")
            << Riff(Chunk("plst", "x") + fmt16 + Chunk("LIST", "INFOabc") + Chunk("data", pcm) +
                    Chunk("cue ", Le(0, 4)))
            << 70 << 400;
        QTest::newRow("cut off: whole frames")
            << Riff(fmt16 + Chunk("data", QByteArray(7, '\1'), 4000)) << 44 << 4;
        QTest::newRow("float") << Riff(Fmt(3, 1, 48000, 32) + Chunk("data", QByteArray(8, 0))) << 44
                               << 8;
        QTest::newRow("empty") << QByteArray() << -1 << 0;
        QTest::newRow("RIFX") << "RIFX" + Riff(fmt8 + data).mid(4) << -1 << 0;
        QTest::newRow("AVI") << Riff(fmt8 + data).replace(8, 4, "AVI ") << -1 << 0;
        QTest::newRow("no data") << Riff(fmt8) << -1 << 0;
        QTest::newRow("no fmt") << Riff(data) << -1 << 0;
        QTest::newRow("empty data") << Riff(fmt8 + Chunk("data", {})) << -1 << 0;
        QTest::newRow("ADPCM") << Riff(Fmt(2, 1, 22050, 4) + data) << -1 << 0;
        QTest::newRow("24 bits") << Riff(Fmt(1, 1, 22050, 24) + data) << -1 << 0;
        QTest::newRow("no channel") << Riff(Fmt(1, 0, 22050, 8) + data) << -1 << 0;
        QTest::newRow("rate 0") << Riff(Fmt(1, 1, 0, 8) + data) << -1 << 0;
        QTest::newRow("huge chunk")
            << Riff(Chunk("LIST", "ab", 0x7FFFFFF0) + fmt8 + data) << -1 << 0;
    }
    void waveImages() {
        const std::optional<WaveFrames> f = ParseWaveImage(FETCH(QByteArray, image));
        QCOMPARE(f ? int(f->Offset) : -1, FETCH(int, offset));
        QCOMPARE(f ? int(f->Size) : 0, FETCH(int, size));
    }
};

QTEST_GUILESS_MAIN(SoundTest)
#include "test_sound.moc"
