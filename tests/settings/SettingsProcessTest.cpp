// The settings file around real processes: the trainer asked to end by a signal, the trainer
// installed in a folder its user cannot write, and a writer killed in the middle of a write.

#include "KillWriter.h"
#include "SettingsFile.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QtTest>

#include <grp.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <set>

namespace {

constexpr uid_t Nobody = 65534;

QByteArray Contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void Put(const QString& path, const QByteArray& bytes, QFile::Permissions permissions = {}) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    if (permissions)
        f.setPermissions(permissions);
}

QByteArray Canonical(const SettingsValues& v) {
    return QByteArray::fromStdString(SettingsText(v));
}

// The program's handlers are in place once the kernel lists the signal as caught; they are
// installed before the window loads, and a signal that comes early waits for the event loop.
bool Catches(qint64 pid, int signalNumber) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signalNumber - 1)) & 1;
    }
    return false;
}

// Runs the real trainer from the folder it lies in, ends it with a signal, and reports
// whether it ended normally.
void RunAndSignal(const QString& program, const QString& home, int signalNumber,
                  bool unprivileged) {
    QProcess process;
    process.setProgram(program);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("HOME", home);
    env.insert("XDG_CONFIG_HOME", home + "/config");
    env.insert("XDG_RUNTIME_DIR", home + "/runtime");
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (unprivileged) {
        process.setChildProcessModifier([] {
            if (::setgroups(0, nullptr) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0)
                ::_exit(127);
        });
    }
    process.start();
    QVERIFY(process.waitForStarted());
    const QDeadlineTimer deadline(30000);
    while (!Catches(process.processId(), signalNumber)) {
        QVERIFY2(!deadline.hasExpired() && process.state() == QProcess::Running,
                 "the program did not come up");
        QThread::msleep(10);
    }
    ::kill(static_cast<pid_t>(process.processId()), signalNumber);
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
}

QString Home(const QTemporaryDir& tmp, bool unprivileged) {
    const QString home = tmp.filePath("home");
    QDir().mkpath(home + "/runtime");
    QFile::setPermissions(home + "/runtime",
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (unprivileged) {
        for (const QString& p : {home, home + "/runtime"}) {
            if (::chown(QFile::encodeName(p).constData(), Nobody, Nobody) != 0)
                qWarning("chown failed");
        }
    }
    return home;
}

} // namespace

class SettingsProcessTest : public QObject {
    Q_OBJECT
private slots:
    void shutdownSignalsWriteTheSettings();
    void installedInAFolderItCannotWrite();
    void killedWhileWriting();
};

void SettingsProcessTest::shutdownSignalsWriteTheSettings() {
    SettingsValues expected;
    expected.MaxNum = 7;
    expected.CalcMode = {false, false, false, true};
    expected.Sound = false;
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        QTemporaryDir tmp;
        const QString program = tmp.filePath("zahlwerk");
        QVERIFY(QFile::copy(ZW_PROGRAM, program));
        Put(tmp.filePath("zahlwerk.ini"), "maxnum=7\r\nCalcMode=3\r\nsound = 0\r\n");
        RunAndSignal(program, Home(tmp, false), signalNumber, false);
        QCOMPARE(Contents(tmp.filePath("zahlwerk.ini")), Canonical(expected));
    }
}

void SettingsProcessTest::installedInAFolderItCannotWrite() {
    // Root may write anywhere, so as root the program runs as nobody.
    const bool dropRoot = ::geteuid() == 0;
    QTemporaryDir tmp;
    QFile::setPermissions(tmp.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadOther | QFile::ExeOther);
    const QString bin = tmp.filePath("bin");
    QDir().mkdir(bin);
    QVERIFY(QFile::copy(ZW_PROGRAM, bin + "/zahlwerk"));
    const QByteArray shipped = "MaxNum = 7\r\n";
    Put(bin + "/zahlwerk.ini", shipped, QFile::ReadOwner | QFile::ReadOther);
    QFile::setPermissions(bin,
                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    const QString home = Home(tmp, dropRoot);
    const QString own = home + "/config/zahlwerk/zahlwerk.ini";

    // The first run starts from the file beside the program and saves to a file of its own.
    RunAndSignal(bin + "/zahlwerk", home, SIGTERM, dropRoot);
    SettingsValues seven;
    seven.MaxNum = 7;
    QCOMPARE(Contents(own), Canonical(seven));

    // From then on its own file counts; the one beside the program is never touched.
    Put(own, "MaxNum = 9\r\nSound = 0\r\n");
    RunAndSignal(bin + "/zahlwerk", home, SIGTERM, dropRoot);
    SettingsValues nine;
    nine.MaxNum = 9;
    nine.Sound = false;
    QCOMPARE(Contents(own), Canonical(nine));
    QCOMPARE(Contents(bin + "/zahlwerk.ini"), shipped);
}

void SettingsProcessTest::killedWhileWriting() {
    QTemporaryDir tmp;
    const QString path = tmp.filePath("zahlwerk.ini");
    const QByteArray first = Canonical(KillWriterContent(false));
    const QByteArray second = Canonical(KillWriterContent(true));
    Put(path, first);
    std::set<QByteArray> seen;
    for (int round = 0; round < 60; ++round) {
        QProcess writer;
        writer.start(ZW_KILL_WRITER, {tmp.path()});
        QVERIFY(writer.waitForStarted());
        QThread::msleep(static_cast<unsigned long>(2 + round % 17));
        ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
        QVERIFY(writer.waitForFinished());
        const QByteArray now = Contents(path);
        QVERIFY2(now == first || now == second, now.constData());
        seen.insert(now);
    }
    QCOMPARE(seen.size(), std::size_t(2)); // the writer did get to replace the file
}

QTEST_GUILESS_MAIN(SettingsProcessTest)
#include "SettingsProcessTest.moc"
