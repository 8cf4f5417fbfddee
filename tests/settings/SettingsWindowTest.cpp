// The settings file as the real window reads it at start-up and writes it at close.

#include "Fakes.h"
#include "SettingsFile.h"
#include "ShutdownSignals.h"

#include <QSignalSpy>
#include <QtTest>

#include <sys/stat.h>

#include <functional>

namespace {

QByteArray Contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void Put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

SettingsValues Shown(const Form1& form) {
    SettingsValues v;
    v.MaxNum = form.State.MaxNum;
    for (std::size_t i = 0; i < 4; ++i)
        v.CalcMode[i] = form.chkRechenart[i]->isChecked();
    v.Sound = form.chkSoundEnabled->isChecked();
    v.ShowTable = form.chkTableVisible->isChecked();
    v.Without1 = form.chkOhne1->isChecked();
    return v;
}

QByteArray Canonical(const SettingsValues& v) {
    return QByteArray::fromStdString(SettingsText(v));
}

} // namespace

class SettingsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void uselessFilesLeaveTheDesignState();
    void startUpAppliesTheFile();
    void messyFileIsRewrittenCanonically();
    void everyCombinationSurvivesARestart();
    void folders();
    void existFile();
    void endOfTheEventLoopClosesTheWindow();
};

void SettingsWindowTest::uselessFilesLeaveTheDesignState() {
    const std::vector<std::pair<const char*, std::function<void(FormFixture&)>>> cases = {
        {"no file", [](FormFixture&) {}},
        {"empty", [](FormFixture& f) { f.WriteSettings(""); }},
        {"comments", [](FormFixture& f) { f.WriteSettings(";MaxNum = 5\r\n'Sound = 0\r\n"); }},
        {"binary", [](FormFixture& f) { f.WriteSettings(QByteArray("\x00\xff\x1a\r\r\x80", 6)); }},
        {"a line of 1 MB", [](FormFixture& f) { f.WriteSettings(QByteArray(1 << 20, '=')); }},
        {"a folder", [](FormFixture& f) { QDir(f.programFolder.path()).mkdir("zahlwerk.ini"); }},
        {"unreadable",
         [](FormFixture& f) {
             // Opens, but every read fails, for root as well.
             QFile::link("/proc/self/mem", f.programFolder.filePath("zahlwerk.ini"));
         }},
    };
    for (const auto& [name, prepare] : cases) {
        FormFixture f;
        prepare(f);
        Form1& form = f.Create();
        QVERIFY2(Shown(form) == SettingsValues{}, name);
        QCOMPARE(form.lbMaxNum->text(), QStringLiteral("10"));
        QVERIFY2(f.messages.shown.empty(), name);
        QVERIFY2(!form.lbAufgabe->text().isEmpty(), name); // start-up went on
        QVERIFY(form.MSFlexGrid1->isVisible());
    }

    // A file of 100 MB is read to its end.
    FormFixture f;
    {
        QFile file(f.programFolder.filePath("zahlwerk.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QByteArray junk = "Sound = 0 " + QByteArray(1 << 20, 'x') + "\r\n";
        for (int i = 0; i < 100; ++i)
            file.write(junk);
        file.write("Without1 = 1");
    }
    Form1& form = f.Create();
    QVERIFY(!form.chkSoundEnabled->isChecked());
    QVERIFY(form.chkOhne1->isChecked());
}

void SettingsWindowTest::startUpAppliesTheFile() {
    {
        // Any bound from 3 up stands, also one the arrows never reach.
        FormFixture f;
        f.WriteSettings("MaxNum = 50000\r\n");
        Form1& form = f.Create();
        QCOMPARE(form.State.MaxNum, 50000);
        QCOMPARE(form.lbMaxNum->text(), QStringLiteral("50000"));
    }
    {
        // Above the display limit the table box is unchecked with a message, and stays so.
        FormFixture f;
        f.WriteSettings("MaxNum = 100\r\nShowTable = 1\r\n");
        Form1& form = f.Create();
        QCOMPARE(f.messages.shown.size(), std::size_t(1));
        QCOMPARE(f.messages.shown[0].Style, 64);
        QVERIFY(f.messages.shown[0].Prompt.contains(QStringLiteral("\"bis 100\"")));
        QVERIFY(!form.chkTableVisible->isChecked());
        form.close();
        QVERIFY(Contents(f.programFolder.filePath("zahlwerk.ini")).contains("ShowTable = 0\r\n"));
    }
    {
        // The boxes' handlers run only on a change; "ohne 1" rebuilds the table at once.
        FormFixture f;
        f.WriteSettings("Sound = 1\r\nWithout1 = 0\r\nWithout1 = 1\r\nWithout1 = 1\r\nSound = 0");
        Form1& form = f.Create(false);
        QSignalSpy ohne1(form.chkOhne1, &QCheckBox::stateChanged);
        QSignalSpy sound(form.chkSoundEnabled, &QCheckBox::stateChanged);
        form.show();
        form.LoadIniFileData(QStringLiteral("zahlwerk.ini"));
        QCOMPARE(ohne1.count(), 1);
        QCOMPARE(sound.count(), 1);
        QCOMPARE(form.MSFlexGrid1->Rows(), 10);
        QCOMPARE(form.MSFlexGrid1->TextMatrix(0, 1), QStringLiteral("2"));
    }
}

void SettingsWindowTest::messyFileIsRewrittenCanonically() {
    FormFixture f;
    f.WriteSettings("; written by hand\r\n"
                    "  SOUND = 0  \r\n"
                    "calcmode=3 and 1\n"
                    "Colour = blue\r\n"
                    "maxnum = 7.5\r\n"
                    "CalcMode = 3\r\n"
                    "no equals sign\r\n");
    f.Create().close();
    QCOMPARE(Contents(f.programFolder.filePath("zahlwerk.ini")),
             QByteArray("MaxNum = 8\r\nCalcMode = 1,3\r\nSound = 0\r\nShowTable = 1\r\n"
                        "Without1 = 0\r\n"));
}

void SettingsWindowTest::everyCombinationSurvivesARestart() {
    FormFixture f;
    for (unsigned bits = 0; bits < 128; ++bits) {
        SettingsValues v;
        v.MaxNum = static_cast<std::int32_t>(3 + bits % 30);
        for (std::size_t i = 0; i < 4; ++i)
            v.CalcMode[i] = bits & (1u << i);
        v.Sound = bits & 16;
        v.ShowTable = bits & 32;
        v.Without1 = bits & 64;

        Form1& before = f.Create();
        before.State.MaxNum = v.MaxNum;
        for (std::size_t i = 0; i < 4; ++i)
            before.chkRechenart[i]->setChecked(v.CalcMode[i]);
        before.chkSoundEnabled->setChecked(v.Sound);
        before.chkTableVisible->setChecked(v.ShowTable);
        before.chkOhne1->setChecked(v.Without1);
        before.close();
        QCOMPARE(Contents(f.programFolder.filePath("zahlwerk.ini")), Canonical(v));

        Form1& after = f.Create();
        QVERIFY2(Shown(after) == v, SettingsText(v).c_str());
        QCOMPARE(after.lbMaxNum->text(), QString::number(v.MaxNum));
        after.close();
    }
}

void SettingsWindowTest::folders() {
    QTemporaryDir tmp;
    Put(tmp.filePath("file"), "");
    SettingsValues seventeen;
    seventeen.MaxNum = 17;
    {
        // A program folder that cannot be written (its parent is a file, which stops root
        // too): the settings go to the fallback folder, made when missing, and come back.
        FormFixture f;
        Form1Backends b = f.Backends();
        b.ProgramFolder = tmp.filePath("file/bin");
        b.FallbackSettingsFolder = tmp.filePath("config/zahlwerk");
        auto form = std::make_unique<Form1>(b);
        form->Form_Load();
        form->State.MaxNum = 17;
        form->close();
        QCOMPARE(Contents(tmp.filePath("config/zahlwerk/zahlwerk.ini")), Canonical(seventeen));
        form = std::make_unique<Form1>(b);
        form->Form_Load();
        QCOMPARE(form->State.MaxNum, 17);
    }
    {
        // A writable program folder with its own file keeps everything there.
        FormFixture f;
        f.WriteSettings("MaxNum = 5");
        const QString fallback = f.fallbackFolder.filePath("zahlwerk.ini");
        Put(fallback, "MaxNum = 6");
        Form1& form = f.Create();
        QCOMPARE(form.State.MaxNum, 5);
        form.State.MaxNum = 17;
        form.close();
        QCOMPARE(Contents(f.programFolder.filePath("zahlwerk.ini")), Canonical(seventeen));
        QCOMPARE(Contents(fallback), QByteArray("MaxNum = 6"));
    }
    {
        // Without a file of its own, a portable copy starts with the defaults, whatever the
        // user's folder holds, and writes beside itself.
        FormFixture f;
        Put(f.fallbackFolder.filePath("zahlwerk.ini"), "MaxNum = 17");
        Form1& form = f.Create();
        QCOMPARE(form.State.MaxNum, 10);
        form.close();
        QCOMPARE(Contents(f.programFolder.filePath("zahlwerk.ini")).left(13),
                 QByteArray("MaxNum = 10\r\n"));
    }
    {
        // A name with a separator, either kind, is used as it is.
        FormFixture f;
        Form1& form = f.Create(false);
        const QString name = tmp.path() + QStringLiteral("\\other.ini");
        form.State.MaxNum = 17;
        form.SaveIniFileData(name);
        QCOMPARE(Contents(tmp.filePath("other.ini")), Canonical(seventeen));
        form.State.MaxNum = 4;
        form.LoadIniFileData(tmp.filePath("other.ini"));
        QCOMPARE(form.State.MaxNum, 17);
    }
}

void SettingsWindowTest::existFile() {
    QTemporaryDir tmp;
    QDir dir(tmp.path());
    Put(tmp.filePath("zahlwerk.ini"), "");
    Put(tmp.filePath(".hidden.ini"), "");
    dir.mkdir("folder");
    dir.mkdir("folder.d");
    QVERIFY(::mkfifo(QFile::encodeName(tmp.filePath("pipe.ini")).constData(), 0600) == 0);

    QVERIFY(!ExistFile(QString()));
    QVERIFY(ExistFile(tmp.filePath("zahlwerk.ini")));
    QVERIFY(ExistFile(tmp.filePath("zahl*.in?")));
    QVERIFY(!ExistFile(tmp.filePath("Zahlwerk.ini")));
    QVERIFY(!ExistFile(tmp.filePath("missing.ini")));
    QVERIFY(!ExistFile(tmp.filePath(".hidden.ini")));
    QVERIFY(!ExistFile(tmp.filePath("*.hidden.ini")));
    QVERIFY(!ExistFile(tmp.filePath("pipe.ini"))); // opening it would block start-up
    QVERIFY(!ExistFile(tmp.filePath("folder.d"))); // with a ".", files only
    QVERIFY(!ExistFile(tmp.filePath("f*.d")));
    if (!tmp.path().contains(QLatin1Char('.'))) {
        QVERIFY(ExistFile(tmp.filePath("folder")));
        QVERIFY(ExistFile(tmp.filePath("fold*")));
    }
}

void SettingsWindowTest::endOfTheEventLoopClosesTheWindow() {
    // As at the end of the desktop session: the window closes as by its close box.
    FormFixture f;
    Form1& form = f.Create();
    CloseOnShutdownSignals(form);
    form.State.MaxNum = 17;
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
    QVERIFY(!form.isVisible());
    SettingsValues seventeen;
    seventeen.MaxNum = 17;
    QCOMPARE(Contents(f.programFolder.filePath("zahlwerk.ini")), Canonical(seventeen));
}

QTEST_MAIN(SettingsWindowTest)
#include "SettingsWindowTest.moc"
