// The three clip series in rotation and the flags and bytes handed to the player, with a
// player that only records.

#include "SoundFeedback.h"
#include "Fakes.h"

#include <QtTest>

class SoundFeedbackTest : public QObject {
    Q_OBJECT
private slots:
    void SeriesRotate();
    void FlagsAndClipBytes();
};

void SoundFeedbackTest::SeriesRotate() {
    RecordingWavePlayer player;
    SoundFeedback sound(player);
    sound.PlayFeedbackSound(FeedbackPraise);
    sound.PlayFeedbackSound(FeedbackWrong);
    sound.PlayFeedbackSound(FeedbackPraise);
    QCOMPARE(player.Names(), (QStringList{"YES_01", "NO_01", "YES_02"}));

    // Each series goes on where it stopped, whatever was played in between.
    player.played.clear();
    sound.PlayFeedbackSound(FeedbackWaiting);
    sound.PlayFeedbackSound(FeedbackWaiting);
    sound.PlayWaveRes(QStringLiteral("KUCKUCK"), SND_ASYNC);
    sound.PlayFeedbackSound(FeedbackWaiting);
    sound.PlayFeedbackSound(FeedbackWrong);
    QCOMPARE(player.Names(), (QStringList{"WAIT_01", "WAIT_02", "KUCKUCK", "WAIT_03", "NO_02"}));

    // Praise runs to YES_24 and starts again; 120 rounds bring every series back to 01, and
    // every name on the way is in the catalogue.
    RecordingWavePlayer all;
    SoundFeedback fresh(all);
    for (int i = 0; i < 120; ++i)
        for (int kind : {FeedbackPraise, FeedbackWrong, FeedbackWaiting})
            fresh.PlayFeedbackSound(kind);
    const QStringList names = all.Names();
    QCOMPARE(names.at(3 * 8), QStringLiteral("YES_09"));
    QCOMPARE(names.at(3 * 23), QStringLiteral("YES_24"));
    QCOMPARE(names.at(3 * 24), QStringLiteral("YES_01"));
    QCOMPARE(names.at(3 * 11 + 1), QStringLiteral("NO_12"));
    QCOMPARE(names.at(3 * 12 + 1), QStringLiteral("NO_01"));
    QCOMPARE(names.at(3 * 4 + 2), QStringLiteral("WAIT_05"));
    QCOMPARE(names.at(3 * 5 + 2), QStringLiteral("WAIT_01"));
    for (const PlayedClip& clip : all.played)
        QVERIFY2(!clip.Image.isEmpty(), qPrintable(clip.Name + " is not in the catalogue"));
    QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), 24 + 12 + 5);
    QCOMPARE(fresh.YesCounter + fresh.NoCounter + fresh.WaitCounter, 0);
}

void SoundFeedbackTest::FlagsAndClipBytes() {
    RecordingWavePlayer player;
    SoundFeedback sound(player);
    sound.PlayWaveRes(QStringLiteral("KUCKUCK"));
    sound.PlayWaveRes(QStringLiteral("KUCKUCK"), SND_ASYNC);
    sound.PlayWaveRes(QStringLiteral("KUCKUCK"), SND_ASYNC | SND_NODEFAULT);
    sound.PlayWaveRes(QStringLiteral("KUCKUCK"), 0);
    sound.PlayFeedbackSound(FeedbackWrong);
    std::vector<unsigned> flags;
    for (const PlayedClip& clip : player.played)
        flags.push_back(clip.Flags);
    QCOMPARE(flags, (std::vector<unsigned>{6, 5, 7, 4, 5}));

    // The player gets the clip's whole image; WaveData holds the image of the last clip.
    const QByteArray wrong = LoadWaveResource(QStringLiteral("NO_01"));
    QVERIFY(wrong.startsWith("RIFF"));
    QCOMPARE(player.played.back().Image, wrong);
    QCOMPARE(sound.WaveData, wrong);
    QVERIFY(player.played.front().Image != wrong);

    // A name missing from the catalogue still reaches the player, with nothing to play.
    sound.PlayWaveRes(QStringLiteral("YES_25"));
    QCOMPARE(player.played.back().Name, QStringLiteral("YES_25"));
    QVERIFY(player.played.back().Image.isEmpty());
    QVERIFY(sound.WaveData.isEmpty());
}

QTEST_GUILESS_MAIN(SoundFeedbackTest)
#include "SoundFeedbackTest.moc"
