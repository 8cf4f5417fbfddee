// The 42 clips compiled into the program, and the reading of WAVE images that playing them
// relies on.

#include "QtWavePlayer.h"
#include "SoundFeedback.h"

#include <QtEndian>
#include <QtTest>

namespace {

QByteArray Le(quint32 v, int bytes) {
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b.left(bytes);
}

// A chunk, padded to even length, whose length field may claim something else.
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

class ClipCatalogueTest : public QObject {
    Q_OBJECT
private slots:
    void EveryClipIsThereInItsFormatAndLength();
    void ReadsWaveImages();
};

void ClipCatalogueTest::EveryClipIsThereInItsFormatAndLength() {
    struct Series {
        const char* Prefix;
        int Count;
        double Min, Max;
    };
    const Series catalogue[] = {{"YES_", 24, 0.8, 2.9},
                                {"NO_", 12, 0.9, 3.2},
                                {"WAIT_", 5, 0.75, 3.7},
                                {"KUCKUCK", 1, 0.75, 0.75}};
    for (const Series& s : catalogue) {
        for (int n = 1; n <= s.Count; ++n) {
            const QString name = s.Count == 1 ? QString::fromLatin1(s.Prefix)
                                              : QString::asprintf("%s%02d", s.Prefix, n);
            const QByteArray image = LoadWaveResource(name);
            QVERIFY2(!image.isEmpty(), qPrintable(name + " is missing"));
            // RIFF with its true length, then the 16-byte "fmt " chunk: PCM, mono, 22050
            // samples and bytes per second, block alignment 1, 8 bits.
            QCOMPARE(image.left(4), QByteArray("RIFF"));
            QCOMPARE(qFromLittleEndian<quint32>(image.constData() + 4), quint32(image.size() - 8));
            QCOMPARE(image.mid(8, 28), "WAVE" + Fmt(1, 1, 22050, 8));

            const std::optional<WaveFrames> frames = ParseWaveImage(image);
            QVERIFY2(frames, qPrintable(name));
            // The frames close the image (after an odd length, its pad byte).
            QCOMPARE(frames->Offset + frames->Size + (frames->Size & 1), image.size());
            const double seconds = frames->Size / 22050.0;
            QVERIFY2(seconds > s.Min - 0.0001 && seconds < s.Max + 0.0001,
                     qPrintable(QStringLiteral("%1 lasts %2 s").arg(name).arg(seconds)));
            int loudest = 0;
            for (char c : image.mid(frames->Offset, frames->Size))
                loudest = std::max(loudest, std::abs(int(quint8(c)) - 128));
            QVERIFY2(loudest > 64, qPrintable(name + " is nearly silent"));
        }
    }
    QVERIFY(LoadWaveResource(QStringLiteral("YES_00")).isEmpty());
    QVERIFY(LoadWaveResource(QStringLiteral("NO_13")).isEmpty());
}

void ClipCatalogueTest::ReadsWaveImages() {
    const QByteArray fmt16 = Fmt(1, 2, 44100, 16);
    const QByteArray pcm(400, '\x11');
    std::optional<WaveFrames> f = ParseWaveImage(Riff(fmt16 + Chunk("data", pcm)));
    QVERIFY(f);
    QCOMPARE(f->Format.sampleFormat(), QAudioFormat::Int16);
    QCOMPARE(f->Format.channelCount(), 2);
    QCOMPARE(f->Format.sampleRate(), 44100);
    QCOMPARE(f->Offset, qsizetype(44));
    QCOMPARE(f->Size, qsizetype(400));

    // Other chunks before, between and after, one of odd length with its pad byte.
    f = ParseWaveImage(Riff(Chunk("plst", "x") + fmt16 + Chunk("LIST", "INFOabc") +
                            Chunk("data", pcm) + Chunk("cue ", Le(0, 4))));
    QVERIFY(f);
    QCOMPARE(f->Offset, qsizetype(12 + 10 + 24 + 16 + 8));
    QCOMPARE(f->Size, qsizetype(400));

    // Cut off: the data chunk claims more than there is; only whole frames are played.
    f = ParseWaveImage(Riff(fmt16 + Chunk("data", QByteArray(7, '\1'), 4000)));
    QVERIFY(f);
    QCOMPARE(f->Size, qsizetype(4));

    // 32-bit float, and the extensible header whose sub-format names PCM.
    f = ParseWaveImage(Riff(Fmt(3, 1, 48000, 32) + Chunk("data", QByteArray(8, '\0'))));
    QVERIFY(f && f->Format.sampleFormat() == QAudioFormat::Float);
    const QByteArray extensible = Fmt(0xFFFE, 1, 8000, 16).mid(8) + Le(22, 2) + Le(16, 2) +
                                  Le(4, 4) + Le(1, 2) + QByteArray(14, '\0');
    f = ParseWaveImage(Riff(Chunk("fmt ", extensible) + Chunk("data", QByteArray(6, '\0'))));
    QVERIFY(f && f->Format.sampleFormat() == QAudioFormat::Int16);

    // What cannot be played gives nothing.
    const QByteArray fmt8 = Fmt(1, 1, 22050, 8);
    const QByteArray data = Chunk("data", QByteArray(100, '\x80'));
    for (const QByteArray& bad : {
             QByteArray(), QByteArray("RIFF"), "RIFX" + Riff(fmt8 + data).mid(4),
             Riff(fmt8 + data).replace(8, 4, "AVI "), Riff(fmt8), Riff(data),
             Riff(fmt8 + Chunk("data", {})), Riff(Fmt(2, 1, 22050, 4) + data), // ADPCM
             Riff(Fmt(1, 1, 22050, 24) + data), Riff(Fmt(1, 0, 22050, 8) + data),
             Riff(Fmt(1, 1, 0, 8) + data), Riff(Chunk("fmt ", fmt8.mid(8, 14)) + data),
             Riff(Chunk("LIST", "ab", 0x7FFFFFF0) + fmt8 + data), // hides all after it
         })
        QVERIFY2(!ParseWaveImage(bad), bad.left(48).toHex().constData());
}

QTEST_GUILESS_MAIN(ClipCatalogueTest)
#include "ClipCatalogueTest.moc"
