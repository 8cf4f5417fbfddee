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
// A chunk padded to even length; its length field may claim more.
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
    using RotationRow = std::tuple<Text, int, Text, int>;
    using WaveRow = std::tuple<Text, QByteArray, int, int>;

private slots:
    // Each series plays its clips in turn and starts again after its last; every clip the
    // player gets, the cuckoo too, is PCM mono 22050 Hz 8 bit, audible, its frames closing
    // the image.
    void clipsPlayInTurn_data() {
        AddRows<RotationRow>({{"praise", FeedbackPraise, "YES_", 24},
                              {"wrong", FeedbackWrong, "NO_", 12},
                              {"waiting", FeedbackWaiting, "WAIT_", 5}});
    }
    void clipsPlayInTurn() {
        auto [name, kind, prefix, count] = CurrentRow<RotationRow>();
        RecordingWavePlayer player;
        SoundFeedback sound(player);
        QStringList clips;
        for (int n = 0; n <= count; ++n) {
            sound.PlayFeedbackSound(kind);
            clips << QString::asprintf("%s%02d", prefix, n % count + 1);
        }
        QCOMPARE(player.names, clips);
        QVERIFY(LoadWaveResource(QString::asprintf("%s%02d", prefix, count + 1)).isEmpty());
        sound.PlayWaveRes("KUCKUCK");
        for (std::size_t i = 0; i < player.images.size(); ++i) {
            const QByteArray& image = player.images[i];
            const std::optional<WaveFrames> frames = ParseWaveImage(image);
            QVERIFY2(frames && image == LoadWaveResource(player.names[i]) &&
                         image.mid(8, 28) == "WAVE" + Fmt(1, 1, 22050, 8),
                     qPrintable(player.names[i]));
            QCOMPARE(frames->Offset + frames->Size + (frames->Size & 1), image.size());
            int loudest = 0;
            for (char c : image.mid(frames->Offset, frames->Size))
                loudest = std::max(loudest, std::abs(int(quint8(c)) - 128));
            QVERIFY2(loudest > 64, qPrintable(player.names[i]));
        }
    }

    // Where the frames of a WAVE image lie; offset -1: nothing playable.
    void waveFramesAreFound_data() {
        const QByteArray fmt16 = Fmt(1, 2, 44100, 16), pcm(400, 'x'), data = Chunk("data", pcm);
        AddRows<WaveRow>(
            {{"16-bit stereo", Riff(fmt16 + data), 44, 400},
             {"other chunks, odd padded",
              Riff(Chunk("plst", "x") + fmt16 + Chunk("LIST", "INFOabc") + data), 70, 400},
             {"cut off: whole frames", Riff(fmt16 + Chunk("data", "1234567", 4000)), 44, 4},
             {"empty", {}, -1, 0},
             {"no fmt", Riff(data), -1, 0},
             {"no data", Riff(fmt16 + Chunk("data", {})), -1, 0},
             {"ADPCM", Riff(Fmt(2, 1, 22050, 4) + data), -1, 0},
             {"huge chunk", Riff(Chunk("LIST", "ab", 0x7FFFFFF0) + fmt16 + data), -1, 0}});
    }
    void waveFramesAreFound() {
        auto [name, image, offset, size] = CurrentRow<WaveRow>();
        const std::optional<WaveFrames> f = ParseWaveImage(image);
        QCOMPARE(f ? int(f->Offset) : -1, offset);
        QCOMPARE(f ? int(f->Size) : 0, size);
    }
};

QTEST_GUILESS_MAIN(SoundTest)
#include "test_sound.moc"
