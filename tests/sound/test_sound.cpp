// SPDX-License-Identifier: GPL-3.0-or-later
#include "Doubles.h"
#include "QtWavePlayer.h"
#include "SoundFeedback.h"
#include "TestData.h"

class SoundTest : public QObject {
    Q_OBJECT
    using RotationRow = std::tuple<Text, int, Text, int>;

private slots:
    // Each series plays its clips in turn and starts again after its last; every clip the
    // player gets, the cuckoo too, is PCM mono 22050 Hz 8 bit, its frames closing the image.
    // (The end-to-end run hears the praise.)
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
                         frames->Format.sampleRate() == 22050 &&
                         frames->Format.channelCount() == 1 &&
                         frames->Format.sampleFormat() == QAudioFormat::UInt8,
                     qPrintable(player.names[i]));
            QCOMPARE(frames->Offset + frames->Size + (frames->Size & 1), image.size());
        }
    }
};

QTEST_GUILESS_MAIN(SoundTest)
#include "test_sound.moc"
