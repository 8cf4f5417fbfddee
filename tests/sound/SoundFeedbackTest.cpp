// The three clip series in rotation and the flags and bytes handed to the player, with a
// player that only records.

#include "SoundFeedback.h"
#include "Fakes.h"

#include <QtTest>

class SoundFeedbackTest : public QObject {
    Q_OBJECT
private slots:
    void PraiseRunsThroughAllTwentyFourAndStartsAgain();
    void SeriesRotateIndependently();
    void NamesStayInRangeOverManyRounds();
    void FlagsAndClipBytes();
};

void SoundFeedbackTest::PraiseRunsThroughAllTwentyFourAndStartsAgain() {
    RecordingWavePlayer player;
    SoundFeedback sound(player);
    for (int i = 0; i < 25; ++i)
        sound.PlayFeedbackSound(FeedbackPraise);
    const QStringList names = player.Names();
    QCOMPARE(names.size(), 25);
    QCOMPARE(names.first(), QStringLiteral("YES_01"));
    QCOMPARE(names.at(8), QStringLiteral("YES_09"));
    QCOMPARE(names.at(9), QStringLiteral("YES_10"));
    QCOMPARE(names.at(23), QStringLiteral("YES_24"));
    QCOMPARE(names.at(24), QStringLiteral("YES_01"));
    QCOMPARE(sound.YesCounter, 1);
}

void SoundFeedbackTest::SeriesRotateIndependently() {
    RecordingWavePlayer player;
    SoundFeedback sound(player);
    sound.PlayFeedbackSound(FeedbackPraise);
    sound.PlayFeedbackSound(FeedbackWrong);
    sound.PlayFeedbackSound(FeedbackPraise);
    QCOMPARE(player.Names(), (QStringList{"YES_01", "NO_01", "YES_02"}));

    // The waiting series goes on where it stopped, whatever happened in between, and the
    // cuckoo moves no series on.
    player.played.clear();
    sound.PlayFeedbackSound(FeedbackWaiting);
    sound.PlayFeedbackSound(FeedbackWaiting);
    sound.PlayWaveRes(QStringLiteral("KUCKUCK"), SND_ASYNC);
    sound.PlayFeedbackSound(FeedbackWrong);
    sound.PlayFeedbackSound(FeedbackWaiting);
    sound.PlayFeedbackSound(FeedbackPraise);
    QCOMPARE(player.Names(),
             (QStringList{"WAIT_01", "WAIT_02", "KUCKUCK", "NO_02", "WAIT_03", "YES_03"}));
}

void SoundFeedbackTest::NamesStayInRangeOverManyRounds() {
    RecordingWavePlayer player;
    SoundFeedback sound(player);
    // 120 is a multiple of 24, 12 and 5: every series has come round to its start.
    for (int i = 0; i < 120; ++i) {
        sound.PlayFeedbackSound(FeedbackPraise);
        sound.PlayFeedbackSound(FeedbackWrong);
        sound.PlayFeedbackSound(FeedbackWaiting);
    }
    QCOMPARE(player.played.size(), size_t(360));
    const char* prefixes[] = {"YES_", "NO_", "WAIT_"};
    const int sizes[] = {24, 12, 5};
    for (size_t i = 0; i < player.played.size(); ++i) {
        const PlayedClip& clip = player.played[i];
        const size_t series = i % 3;
        const int number = int(i / 3) % sizes[series] + 1;
        QCOMPARE(clip.Name, QString::asprintf("%s%02d", prefixes[series], number));
        QVERIFY2(!clip.Image.isEmpty(), qPrintable(clip.Name + " is not in the catalogue"));
    }
    QCOMPARE(sound.YesCounter, 0);
    QCOMPARE(sound.NoCounter, 0);
    QCOMPARE(sound.WaitCounter, 0);
}

void SoundFeedbackTest::FlagsAndClipBytes() {
    RecordingWavePlayer player;
    SoundFeedback sound(player);

    sound.PlayWaveRes(QStringLiteral("KUCKUCK"));
    sound.PlayWaveRes(QStringLiteral("KUCKUCK"), SND_ASYNC);
    sound.PlayWaveRes(QStringLiteral("KUCKUCK"), SND_ASYNC | SND_NODEFAULT);
    sound.PlayWaveRes(QStringLiteral("KUCKUCK"), 0);
    sound.PlayFeedbackSound(FeedbackWrong);
    QCOMPARE(player.played.size(), size_t(5));
    QCOMPARE(player.played[0].Flags, 6u);
    QCOMPARE(player.played[1].Flags, 5u);
    QCOMPARE(player.played[2].Flags, 7u);
    QCOMPARE(player.played[3].Flags, 4u);
    QCOMPARE(player.played[4].Flags, 5u);

    // The player gets the clip's whole image, and WaveData keeps the image of the clip
    // started last.
    const QByteArray wrong = LoadWaveResource(QStringLiteral("NO_01"));
    QVERIFY(wrong.startsWith("RIFF"));
    QCOMPARE(player.played[4].Image, wrong);
    QCOMPARE(sound.WaveData, wrong);
    QVERIFY(player.played[0].Image != wrong);
    sound.PlayFeedbackSound(FeedbackPraise);
    QCOMPARE(sound.WaveData, LoadWaveResource(QStringLiteral("YES_01")));

    // A name missing from the catalogue still reaches the player, with nothing to play.
    sound.PlayWaveRes(QStringLiteral("YES_25"));
    QCOMPARE(player.played.back().Name, QStringLiteral("YES_25"));
    QVERIFY(player.played.back().Image.isEmpty());
    QVERIFY(sound.WaveData.isEmpty());
}

QTEST_GUILESS_MAIN(SoundFeedbackTest)
#include "SoundFeedbackTest.moc"
