// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file on disk and around the real window: where it lies, what start-up makes of
// it and what the close writes, by a writer that leaves the old file or the new one whatever
// goes wrong.

#include "Fakes.h"
#include "SettingsFile.h"
#include "TestData.h"

#include <QCheckBox>
#include <QLabel>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray Seven = "MaxNum = 7\r\nSound = 1\r\nShowTable = 1\r\nWithout1 = 1\r\n";
const QByteArray Passwd = "MaxNum = 7\nroot:x:0:0:root:/root\n";

int Chmod(const QString& path, mode_t mode) {
    return ::chmod(QFile::encodeName(path), mode);
}

// While it lives, a test that runs as root runs as the user nobody: root may write anywhere.
struct AsNobody {
    explicit AsNobody(bool wanted) : active(wanted && ::geteuid() == 0) {
        if (active && (::setresgid(65534, 65534, 0) != 0 || ::setresuid(65534, 65534, 0) != 0))
            qFatal("cannot become nobody");
    }
    ~AsNobody() {
        if (active && (::setresuid(0, 0, 0) != 0 || ::setresgid(0, 0, 0) != 0))
            qFatal("cannot become root again");
    }
    const bool active;
};

// How often the "ohne 1" box changes once the window shows, start-up included.
struct Ohne1Changes : QObject {
    int count = 0;
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Polish && object->objectName() == QLatin1String("chkOhne1"))
            connect(static_cast<QCheckBox*>(object), &QCheckBox::stateChanged, this,
                    [this] { ++count; });
        return false;
    }
};

} // namespace

class SettingsFileTest : public QObject {
    Q_OBJECT
    using RestartRow = std::tuple<Text, QByteArray, Text, QByteArray, bool>;

private slots:
    // Each row: name | program folder | install folder | files made | file read | file
    // written, in a scratch folder where "cfg" is the user's configuration folder.
    void fileLiesWhereItMayBeWritten_data() {
        QTest::addColumn<QString>("row");
        QTest::newRow("portable") << QString("s.ini|bin||bin/x cfg/s.ini||bin/s.ini");
        QTest::newRow("installed") << QString("s.ini|bin|bin|bin/s.ini|bin/s.ini|cfg/s.ini");
        QTest::newRow("user's file")
            << QString("s.ini|bin|bin|bin/s.ini cfg/s.ini|cfg/s.ini|cfg/s.ini");
        QTest::newRow("a path") << QString("%1\\sub/a.ini|bin||sub/a.ini|sub/a.ini|sub/a.ini");
    }
    void fileLiesWhereItMayBeWritten() {
        QFETCH(QString, row);
        QTemporaryDir tmp;
        const QString at = tmp.path() + '/';
        const QStringList r = row.replace("%1", tmp.path()).split('|');
        for (const QString& file : r[3].split(' '))
            QVERIFY(Put(at + file, "MaxNum = 5"));
        const SettingsLocation where =
            ResolveSettingsLocation(r[0], at + r[1], at + "cfg", {r[2].isEmpty() ? "" : at + r[2]});
        QCOMPARE(where.ReadPath, r[4].isEmpty() ? "" : at + r[4]);
        QCOMPARE(where.WritePath, at + r[5]);
    }

    // Each row: the file (or <pipe>, <unreadable>, <1 GB> starting with Seven, a link to
    // /dev/null, the user's own, as nobody when root, a link to another file, the user's own
    // or nobody's, its target Passwd or none), the bound shown, what the path reads after the
    // close, and whether the session ends (the loop's end) rather than the close box closing
    // the window. A special file keeps nothing, in the fallback folder neither; a link of the
    // user's own is followed, another's and its target stay as they are; "ohne 1" changes once
    // at most, however often the file flips it. (The signals that end the program are sent to
    // it as a process by check-signals.)
    void optionsOutliveTheWindow_data() {
        const QByteArray design = "MaxNum = 10\r\nSound = 1\r\nShowTable = 1\r\nWithout1 = 0\r\n";
        const QByteArray all =
            "MaxNum = 17\r\nCalcMode = 0,1,2,3\r\nSound = 0\r\nShowTable = 0\r\nWithout1 = 1\r\n";
        // A bound the table cannot show unchecks the table box, with a message.
        const QByteArray messy = "; by hand\r\ncalcmode=3 and 1\nmaxnum = 1E400\r\nSOUND = 0 " +
                                 QByteArray(1 << 20, 'x') + "\r\nWithout1 = 1\r\nwithout1 = 1";
        const QByteArray canonical = "MaxNum = 2147483647\r\nCalcMode = 1,3\r\nSound = 0\r\n"
                                     "ShowTable = 0\r\nWithout1 = 1\r\n";
        const QByteArray flips =
            QByteArray("Without1 = 1\r\nWithout1 = 0\r\n").repeated(9) + "Without1 = 1\r\n";
        AddRows<RestartRow>(
            {{"a pipe: no hang", "<pipe>", "10", "<special>", false},
             {"own link", "<link>", "7", QByteArray(design).replace("10", "7"), false},
             {"own link to none yet", "<link to none>", "10", design, false},
             {"nobody's link", "<nobody's link>", "10", Passwd, false},
             {"nobody's link to none", "<nobody's link to none>", "10", "<missing>", false},
             {"a link to /dev/null", "<link to /dev/null>", "10", "<special>", false},
             {"ohne 1 flipped", flips, "10", QByteArray(design).replace("1 = 0", "1 = 1"), false},
             {"1 GB", "<1 GB>", "10", design, false},
             {"unreadable", "<unreadable>", "10", "", false},
             {"every value changed", all, "17", all, false},
             {"messy, session ends", messy, "2147483647", canonical, true}});
    }
    void optionsOutliveTheWindow() {
        auto [name, file, bound, written, sessionEnds] = CurrentRow<RestartRow>();
        FormFixture f;
        const QString path = f.settings;
        const bool devNull = file == "<link to /dev/null>", nobodys = file.startsWith("<nobody");
        const QString made = devNull                 ? "/dev/null"
                             : file.contains("link") ? f.fallbackFolder.filePath("passwd")
                                                     : path;
        if (nobodys && ::geteuid() != 0)
            QSKIP("only root can give a link to another user");
        if (file == "<pipe>" && ::mknod(QFile::encodeName(made), S_IFIFO | 0600, 0))
            QSKIP("no pipe can be made here");
        else if (file == "<unreadable>")
            QVERIFY(QFile::link("/proc/self/mem", path)); // opens, but every read fails
        else if (file == "<1 GB>")
            QVERIFY(Put(path, Seven) && QFile(path).resize(1 << 30));
        else if (file == "<link>" || file == "<nobody's link>")
            QVERIFY(Put(made, Passwd));
        else if (!file.startsWith("<"))
            QVERIFY(Put(path, file));
        QVERIFY(made == path || QFile::link(made, path));
        // Nobody can make no file in /dev: the fallback folder would be the next place to try.
        QVERIFY(!(devNull || nobodys) || ::lchown(QFile::encodeName(path), 65534, 65534) == 0);
        QVERIFY(!devNull ||
                (Chmod(f.programFolder.path(), 0777) | Chmod(f.fallbackFolder.path(), 0777)) == 0);
        const AsNobody user(devNull);
        Ohne1Changes ohne1;
        qApp->installEventFilter(&ohne1);
        QWidget& form = f.Create();
        QCOMPARE(ohne1.count, int(written.contains("Without1 = 1")));
        QCOMPARE(form.findChild<QLabel*>("lbMaxNum")->text(), bound);
        QCOMPARE(f.messages.shown.size(), qsizetype(bound == QString("2147483647")));
        QVERIFY(form.findChild<QLabel*>("lbAufgabe")->text().endsWith(" =")); // start-up went on
        QTimer::singleShot(
            0, [&form, quit = sessionEnds] { quit ? qApp->quit() : void(form.close()); });
        QCoreApplication::exec();
        QCOMPARE(Contents(path), written);
        QVERIFY(made == path || QFileInfo(path).symLinkTarget() == made);
        QVERIFY(written != "<special>" ||
                !QFileInfo::exists(f.fallbackFolder.filePath("zahlwerk")));
    }

    void folderThatTakesNoNewFileIsLeftAlone() {
        // A shared folder where the file may be written, the folder not: no rewrite in place;
        // the settings go to the user's folder, made when missing.
        FormFixture f;
        const QString path = f.settings;
        QVERIFY(Put(path, "MaxNum = 7"));
        QCOMPARE(Chmod(path, 0666) | Chmod(f.programFolder.path(), 0555) |
                     Chmod(f.fallbackFolder.path(), 0777),
                 0);
        {
            const AsNobody user(true);
            f.Create();
            f.Click("chkOhne1");
            f.form->close();
        }
        QCOMPARE(Chmod(f.programFolder.path(), 0755), 0);
        QCOMPARE(Contents(path), QByteArray("MaxNum = 7"));
        QCOMPARE(Contents(f.fallbackFolder.filePath("zahlwerk/zahlwerk.ini")), Seven);
    }

    // A failed write (past the file size limit: one write cut short, the next refused, as on a
    // full disk) leaves the old file and no temporary one; the next close that succeeds
    // removes what an interrupted write left, and only that.
    void failedWriteKeepsTheOldFile() {
        FormFixture f;
        QStringList kept = {".other.ini.zwtmp-Ab12Cd", ".zahlwerk.ini.zwtmp-abc12", "zahlwerk.ini",
                            "zahlwerk.ini.zwtmp-Ab12Cd"};
        for (const QString& name : kept + QStringList{".zahlwerk.ini.zwtmp-Ab12Cd"})
            QVERIFY(Put(f.programFolder.filePath(name), "MaxNum = 7"));
        const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY}, limited{20, RLIM_INFINITY};
        ::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &limited);
        f.Create();
        f.Click("chkOhne1");
        f.form->close();
        ::setrlimit(RLIMIT_FSIZE, &unlimited);
        QCOMPARE(Contents(f.settings), QByteArray("MaxNum = 7"));
        QCOMPARE(QDir(f.programFolder.path()).entryList(QDir::Files | QDir::Hidden).size(), 5);
        f.Create();
        f.Click("chkOhne1");
        f.form->close();
        QCOMPARE(Contents(f.settings), Seven);
        QCOMPARE(QDir(f.programFolder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 kept);
    }
};

QTEST_MAIN(SettingsFileTest)
#include "test_settings_file.moc"
