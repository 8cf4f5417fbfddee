// The 42 clips compiled into the program, and the reading of WAVE images that playing them
// relies on.

#include "QtWavePlayer.h"
#include "SoundFeedback.h"

#include <QtEndian>
#include <QtTest>

namespace {

QByteArray Le16(quint16 v) {
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

QByteArray Le32(quint32 v) {
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

// A chunk whose length field may claim something other than the body's size.
QByteArray Chunk(const char* id, const QByteArray& body, qint64 claimed = -1) {
    QByteArray c = QByteArray(id) + Le32(quint32(claimed < 0 ? body.size() : claimed)) + body;
    if (claimed < 0 && body.size() % 2)
        c += '\0';
    return c;
}

QByteArray Fmt(quint16 tag, quint16 channels, quint32 rate, quint16 bits) {
    const quint16 align = quint16(channels * bits / 8);
    return Chunk("fmt ", Le16(tag) + Le16(channels) + Le32(rate) + Le32(rate * align) +
                             Le16(align) + Le16(bits));
}

QByteArray Riff(const QByteArray& chunks) {
    return "RIFF" + Le32(quint32(4 + chunks.size())) + "WAVE" + chunks;
}

struct Series {
    const char* Prefix;
    int Count;
    double MinSeconds;
    double MaxSeconds;
};

} // namespace

class ClipCatalogueTest : public QObject {
    Q_OBJECT
private slots:
    void EveryClipIsThereInItsFormatAndLength();
    void ReadsWaveImages();
    void RejectsWhatCannotBePlayed();
};

void ClipCatalogueTest::EveryClipIsThereInItsFormatAndLength() {
    const Series catalogue[] = {
        {"YES_", 24, 0.8, 2.9},
        {"NO_", 12, 0.9, 3.2},
        {"WAIT_", 5, 0.75, 3.7},
        {"KUCKUCK", 1, 0.75, 0.75},
    };
    const double oneSample = 1.0 / 22050;
    QStringList seen;
    for (const Series& s : catalogue) {
        for (int n = 1; n <= s.Count; ++n) {
            const QString name = s.Count == 1 ? QString::fromLatin1(s.Prefix)
                                              : QString::asprintf("%s%02d", s.Prefix, n);
            seen << name;
            const QByteArray image = LoadWaveResource(name);
            QVERIFY2(!image.isEmpty(), qPrintable(name + " is missing"));

            // RIFF header with the true length, then the 16-byte "fmt " chunk: PCM, mono,
            // 22050 samples and bytes per second, 1 byte per frame, 8 bits.
            const char* d = image.constData();
            QCOMPARE(image.left(4), QByteArray("RIFF"));
            QCOMPARE(qFromLittleEndian<quint32>(d + 4), quint32(image.size() - 8));
            QCOMPARE(image.mid(8, 8), QByteArray("WAVEfmt "));
            QCOMPARE(qFromLittleEndian<quint32>(d + 16), 16u);
            QCOMPARE(qFromLittleEndian<quint16>(d + 20), quint16(1));
            QCOMPARE(qFromLittleEndian<quint16>(d + 22), quint16(1));
            QCOMPARE(qFromLittleEndian<quint32>(d + 24), 22050u);
            QCOMPARE(qFromLittleEndian<quint32>(d + 28), 22050u);
            QCOMPARE(qFromLittleEndian<quint16>(d + 32), quint16(1));
            QCOMPARE(qFromLittleEndian<quint16>(d + 34), quint16(8));

            const std::optional<WaveFrames> frames = ParseWaveImage(image);
            QVERIFY2(frames, qPrintable(name));
            QCOMPARE(frames->Format.sampleFormat(), QAudioFormat::UInt8);
            // The data chunk closes the image; an odd length is followed by its pad byte.
            QCOMPARE(frames->Offset + frames->Size + (frames->Size & 1), image.size());
            const double seconds = double(frames->Size) / 22050;
            QVERIFY2(seconds >= s.MinSeconds - oneSample && seconds <= s.MaxSeconds + oneSample,
                     qPrintable(QStringLiteral("%1 lasts %2 s").arg(name).arg(seconds)));

            // Something is to be heard: a loud part well above the 8-bit noise floor.
            int loudest = 0;
            for (qsizetype i = frames->Offset; i < frames->Offset + frames->Size; ++i)
                loudest = std::max(loudest, std::abs(int(quint8(d[i])) - 128));
            QVERIFY2(loudest > 64, qPrintable(name + " is nearly silent"));
        }
    }
    QCOMPARE(seen.size(), 42);
    QCOMPARE(seen.removeDuplicates(), 0);
    QCOMPARE(LoadWaveResource(QStringLiteral("YES_00")), QByteArray());
    QCOMPARE(LoadWaveResource(QStringLiteral("NO_13")), QByteArray());
}

void ClipCatalogueTest::ReadsWaveImages() {
    const QByteArray pcm16(400, '\x11');
    const QByteArray header = Fmt(1, 2, 44100, 16);

    // The plain layout.
    std::optional<WaveFrames> f = ParseWaveImage(Riff(header + Chunk("data", pcm16)));
    QVERIFY(f);
    QCOMPARE(f->Format.sampleFormat(), QAudioFormat::Int16);
    QCOMPARE(f->Format.channelCount(), 2);
    QCOMPARE(f->Format.sampleRate(), 44100);
    QCOMPARE(f->Offset, qsizetype(44));
    QCOMPARE(f->Size, qsizetype(400));

    // Further chunks before and after the frames, one of odd length with its pad byte.
    const QByteArray list = Chunk("LIST", "INFOINAM" + Le32(5) + "Hallo");
    QVERIFY(list.size() % 2 == 0);
    f = ParseWaveImage(Riff(header + list + Chunk("data", pcm16) + Chunk("cue ", Le32(0))));
    QVERIFY(f);
    QCOMPARE(f->Offset, qsizetype(44 + list.size()));
    QCOMPARE(f->Size, qsizetype(400));
    f = ParseWaveImage(Riff(Chunk("plst", "x") + header + Chunk("data", "\x80\x80\x80\x80")));
    QVERIFY(f);
    QCOMPARE(f->Offset, qsizetype(12 + 10 + 24 + 8));
    QCOMPARE(f->Size, qsizetype(4));

    // A cut-off image: the data chunk claims more than there is, and the last frame is
    // incomplete; only whole frames are played.
    f = ParseWaveImage(Riff(header + Chunk("data", QByteArray(7, '\x01'), 4000)));
    QVERIFY(f);
    QCOMPARE(f->Size, qsizetype(4));

    // 8-bit mono as in the catalogue, 32-bit float, and the extensible header naming PCM.
    f = ParseWaveImage(Riff(Fmt(1, 1, 22050, 8) + Chunk("data", "\x80\x90\x70")));
    QVERIFY(f);
    QCOMPARE(f->Format.sampleFormat(), QAudioFormat::UInt8);
    QCOMPARE(f->Size, qsizetype(3));
    f = ParseWaveImage(Riff(Fmt(3, 1, 48000, 32) + Chunk("data", QByteArray(8, '\0'))));
    QVERIFY(f);
    QCOMPARE(f->Format.sampleFormat(), QAudioFormat::Float);
    const QByteArray extensible =
        Chunk("fmt ", Le16(0xFFFE) + Le16(1) + Le32(8000) + Le32(16000) + Le16(2) + Le16(16) +
                          Le16(22) + Le16(16) + Le32(4) + Le16(1) + QByteArray(14, '\0'));
    f = ParseWaveImage(Riff(extensible + Chunk("data", QByteArray(6, '\0'))));
    QVERIFY(f);
    QCOMPARE(f->Format.sampleFormat(), QAudioFormat::Int16);
    QCOMPARE(f->Format.sampleRate(), 8000);
}

void ClipCatalogueTest::RejectsWhatCannotBePlayed() {
    const QByteArray data = Chunk("data", QByteArray(100, '\x80'));
    const QByteArray fmt = Fmt(1, 1, 22050, 8);
    QVERIFY(ParseWaveImage(Riff(fmt + data)));

    QVERIFY(!ParseWaveImage(QByteArray()));
    QVERIFY(!ParseWaveImage("RIFF"));
    QVERIFY(!ParseWaveImage("RIFX" + Riff(fmt + data).mid(4)));
    QVERIFY(!ParseWaveImage(Riff(fmt + data).replace(8, 4, "AVI ")));
    QVERIFY(!ParseWaveImage(Riff(fmt)));
    QVERIFY(!ParseWaveImage(Riff(data)));
    QVERIFY(!ParseWaveImage(Riff(fmt + Chunk("data", QByteArray()))));
    QVERIFY(!ParseWaveImage(Riff(Fmt(2, 1, 22050, 4) + data)));  // ADPCM
    QVERIFY(!ParseWaveImage(Riff(Fmt(1, 1, 22050, 24) + data))); // 24 bit
    QVERIFY(!ParseWaveImage(Riff(Fmt(1, 0, 22050, 8) + data)));
    QVERIFY(!ParseWaveImage(Riff(Fmt(1, 1, 0, 8) + data)));
    QVERIFY(!ParseWaveImage(Riff(Chunk("fmt ", fmt.mid(8, 14)) + data))); // too short
    // A chunk length that runs past the end hides everything after it.
    QVERIFY(!ParseWaveImage(Riff(Chunk("LIST", "ab", 0x7FFFFFF0) + fmt + data)));
}

QTEST_GUILESS_MAIN(ClipCatalogueTest)
#include "ClipCatalogueTest.moc"
