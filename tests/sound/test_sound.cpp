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
    using RotationRow = std::tuple<const char*, int, int, QString>;
    using WaveRow = std::tuple<const char*, QByteArray, int, int>;

private slots:
    // Each series plays its clips in turn (before: clips of it played already) and starts
    // again after its last; the player gets the clip's image.
    void rotation_data() {
        AddRows<RotationRow>({{"first praise", FeedbackPraise, 0, "YES_01"},
                              {"last praise", FeedbackPraise, 23, "YES_24"},
                              {"praise again", FeedbackPraise, 24, "YES_01"},
                              {"last wrong", FeedbackWrong, 11, "NO_12"},
                              {"wrong again", FeedbackWrong, 12, "NO_01"},
                              {"last waiting", FeedbackWaiting, 4, "WAIT_05"},
                              {"waiting again", FeedbackWaiting, 5, "WAIT_01"}});
    }
    void rotation() {
        auto [name, kind, before, clip] = CurrentRow<RotationRow>();
        RecordingWavePlayer player;
        SoundFeedback sound(player);
        for (int i = 0; i <= before; ++i)
            sound.PlayFeedbackSound(kind);
        QCOMPARE(player.names.last(), clip);
        QCOMPARE(player.images.back(), LoadWaveResource(clip));
    }

    // The 42 clips: PCM mono 22050 Hz 8 bit, audible, the frames closing the image.
    void catalogue() {
        QStringList names{"KUCKUCK"};
        for (auto [prefix, count] : {std::pair{"YES_", 24}, {"NO_", 12}, {"WAIT_", 5}})
            for (int n = 1; n <= count; ++n)
                names << QString::asprintf("%s%02d", prefix, n);
        for (const QString& name : names) {
            const QByteArray image = LoadWaveResource(name);
            const std::optional<WaveFrames> frames = ParseWaveImage(image);
            QVERIFY2(frames && image.mid(8, 28) == "WAVE" + Fmt(1, 1, 22050, 8), qPrintable(name));
            QCOMPARE(frames->Offset + frames->Size + (frames->Size & 1), image.size());
            int loudest = 0;
            for (char c : image.mid(frames->Offset, frames->Size))
                loudest = std::max(loudest, std::abs(int(quint8(c)) - 128));
            QVERIFY2(loudest > 64, qPrintable(name));
        }
        QVERIFY(LoadWaveResource("NO_13").isEmpty());
    }

    // Where the frames of a WAVE image lie; offset -1: nothing playable.
    void waveImages_data() {
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
    void waveImages() {
        auto [name, image, offset, size] = CurrentRow<WaveRow>();
        const std::optional<WaveFrames> f = ParseWaveImage(image);
        QCOMPARE(f ? int(f->Offset) : -1, offset);
        QCOMPARE(f ? int(f->Size) : 0, size);
    }
};

QTEST_GUILESS_MAIN(SoundTest)
#include "test_sound.moc"
