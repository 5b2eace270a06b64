// The real program, ended from outside while reports are being stored: killed
// outright, ended by a signal, or losing its display. What was stored before
// must be in the group file, and the file is always one whole version of it.

#include "fixtures/group_fixture.h"
#include "groupdata/group_store.h"
#include "reports_on_disk.h"
#include "support/file_bytes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <ctime>

namespace {

constexpr int publisherCount = 12;

// The month and year slot a run started now works in.
groupdata::ReportPeriod periodNow() {
    const std::time_t now = std::time(nullptr);
    std::tm today{};
    localtime_r(&now, &today);
    return groupdata::reportPeriodOn(today);
}

// The untouched group file: publishers without a report of the month.
QByteArray firstVersion() {
    const groupdata::ReportPeriod period = periodNow();
    fixture::Group group;
    group.month(period.month).number(5);
    for (int k = 1; k <= publisherCount; ++k)
        group.publisher(
            fixture::Publisher("Voornaam" + std::to_string(k), "Achternaam" + std::to_string(k)));
    const std::vector<std::uint8_t> bytes = fixture::buildGroupFile(group);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

using Reports = QList<QPair<int, int>>;

// The reports the driver stores first: publisher k took part, with k Bible studies.
Reports firstReports(int stored) {
    Reports reports;
    for (int k = 1; k <= stored; ++k)
        reports.append({k, k});
    return reports;
}

// The reports of the month in the file; {-1, -1} when it is not one whole group file.
Reports onDisk(const QString& file) {
    const groupdata::ReportPeriod period = periodNow();
    const ReportsOnDisk found = reportsOnDisk(file, period.month, period.slot);
    return found.whole ? found.reports : Reports{{-1, -1}};
}

// Sends a signal to the driver while it runs. (A finished process has no id,
// and a signal to id 0 would go to this test's own process group.)
void signalDriver(QProcess& process, int number) {
    const qint64 pid = process.processId();
    if (process.state() == QProcess::Running && pid > 0)
        ::kill(pid_t(pid), number);
}

// One run of the program on a fresh group file, with a home of its own.
class Session {
public:
    Session() {
        groupFile = dir.filePath("Groep.k09");
        QFile file(groupFile);
        if (!file.open(QIODevice::WriteOnly) || file.write(firstVersion()) < 0)
            qFatal("cannot write the group file");
        file.close();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
            env.insert(name, dir.filePath(QString(name).toLower()));
        const QString runtime = dir.filePath("runtime");
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        env.insert("XDG_RUNTIME_DIR", runtime);
        process.setProcessEnvironment(env);
        process.setProgram(qEnvironmentVariable("DRAVO_BINARY_DIR") +
                           "/tests/mainwin/session_driver");
    }
    ~Session() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }

    void start(int commits, const QString& then) {
        process.setArguments({QString::number(commits), then, groupFile});
        process.start();
    }

    // Runs a second program on the same file and home; its output.
    QByteArray runSecond(int commits) {
        QProcess second;
        second.setProcessEnvironment(process.processEnvironment());
        second.start(process.program(), {QString::number(commits), "exit", groupFile});
        if (!second.waitForFinished(20000))
            qFatal("second program did not end");
        return second.readAllStandardOutput();
    }

    // Reads the driver's lines until `line` (true) or its end (false).
    bool waitForLine(const QByteArray& line, int timeoutMs = 20000) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < timeoutMs) {
            while (process.canReadLine()) {
                const QByteArray got = process.readLine().trimmed();
                noteLine(got);
                if (got == line)
                    return true;
            }
            if (process.state() == QProcess::NotRunning && !process.canReadLine())
                return false;
            process.waitForReadyRead(100);
        }
        return false;
    }

    // The number of reports the driver said were stored.
    int acknowledged() {
        while (process.canReadLine())
            noteLine(process.readLine().trimmed());
        return stored;
    }

    QString settingsPath() const { return dir.filePath("xdg_config_home/session_driver.ini"); }
    QString settingsText() const { return QString::fromUtf8(fileBytes(settingsPath())); }

    QTemporaryDir dir;
    QString groupFile;
    QProcess process;

private:
    void noteLine(const QByteArray& line) {
        if (line.startsWith("committed "))
            stored = line.mid(10).toInt();
    }
    int stored = 0;
};

} // namespace

class SessionEndTest : public QObject {
    Q_OBJECT

private slots:
    void killRightAfterACommitKeepsIt();
    void signalsRunTheExitSequence_data();
    void signalsRunTheExitSequence();
    void lostDisplayRunsTheExitSequence();
    void repeatedKillsNeverLoseAStoredReport();
    void secondWindowOnTheSameFileIsRefused();
};

void SessionEndTest::killRightAfterACommitKeepsIt() {
    Session run;
    run.start(3, "wait");
    QVERIFY(run.waitForLine("committed 3"));
    signalDriver(run.process, SIGKILL);
    QVERIFY(run.process.waitForFinished(10000));

    QCOMPARE(onDisk(run.groupFile), firstReports(3));
    // Killed, the program wrote no settings: only the stored reports survive.
    QVERIFY(!QFileInfo::exists(run.settingsPath()));
}

void SessionEndTest::signalsRunTheExitSequence_data() {
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGHUP") << SIGHUP;
    QTest::newRow("SIGINT") << SIGINT;
}

void SessionEndTest::signalsRunTheExitSequence() {
    QFETCH(int, signalNumber);
    Session run;
    run.start(2, "wait");
    QVERIFY(run.waitForLine("ready"));
    signalDriver(run.process, signalNumber);

    QVERIFY(run.process.waitForFinished(10000));
    QCOMPARE(run.process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(run.process.exitCode(), 0);
    QCOMPARE(onDisk(run.groupFile), firstReports(2));
    QCOMPARE(run.settingsText(),
             "[Last]\nLoadPath=" + run.groupFile + "\nPost=Voornaam2 Achternaam2\n");
    const QByteArray err = run.process.readAllStandardError();
    QVERIFY2(!err.contains("unexpected"), err.constData());
}

void SessionEndTest::lostDisplayRunsTheExitSequence() {
    const QString xvfb = QStandardPaths::findExecutable("Xvfb");
    if (xvfb.isEmpty())
        QSKIP("Xvfb is not installed (scripts/dev installs it)");
    QProcess server;
    // -displayfd picks a free display and tells its number once it is ready.
    server.start(xvfb, {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "800x600x24"});
    QVERIFY(server.waitForReadyRead(10000));
    const QByteArray display = server.readLine().trimmed();
    QVERIFY(!display.isEmpty());

    Session run;
    QProcessEnvironment env = run.process.processEnvironment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("DISPLAY", ":" + QString::fromLatin1(display));
    run.process.setProcessEnvironment(env);
    run.start(2, "wait");
    QVERIFY(run.waitForLine("ready"));
    server.terminate();
    QVERIFY(server.waitForFinished(10000));

    QVERIFY(run.process.waitForFinished(10000));
    QCOMPARE(onDisk(run.groupFile), firstReports(2));
    QCOMPARE(run.settingsText(),
             "[Last]\nLoadPath=" + run.groupFile + "\nPost=Voornaam2 Achternaam2\n");
}

void SessionEndTest::repeatedKillsNeverLoseAStoredReport() {
    constexpr int commits = 6;
    // One whole run first, to know how long storing the reports and closing take.
    qint64 wholeRunMs = 0;
    {
        Session run;
        QElapsedTimer clock;
        clock.start();
        run.start(commits, "exit");
        QVERIFY(run.process.waitForFinished(30000));
        wholeRunMs = clock.elapsed();
        QCOMPARE(run.process.exitCode(), 0);
        QCOMPARE(onDisk(run.groupFile), firstReports(commits));
    }

    QRandomGenerator random(20250410);
    for (int round = 0; round < 20; ++round) {
        Session run;
        const int delayMs = int(random.bounded(wholeRunMs + 1));
        run.start(commits, "exit");
        QVERIFY(run.process.waitForStarted(10000));
        QTest::qWait(delayMs);
        signalDriver(run.process, SIGKILL);
        // (A run that ended before the kill has nothing left to wait for.)
        QVERIFY(run.process.state() == QProcess::NotRunning || run.process.waitForFinished(10000));

        // Each report said to be stored is in the file, which is one whole
        // version: that of the acknowledged reports or of the next one.
        const int stored = run.acknowledged();
        const Reports found = onDisk(run.groupFile);
        const bool whole = found == firstReports(stored) ||
                           (stored < commits && found == firstReports(stored + 1));
        QVERIFY2(whole, qPrintable(QString("round %1: killed after %2 ms, %3 reports stored")
                                       .arg(round)
                                       .arg(delayMs)
                                       .arg(stored)));
    }
}

void SessionEndTest::secondWindowOnTheSameFileIsRefused() {
    Session run;
    run.start(0, "wait");
    QVERIFY(run.waitForLine("ready"));

    // The second program says so and stores nothing: its user is sent to the first.
    const QByteArray second = run.runSecond(2);
    QVERIFY2(second.contains("message Het bestand " + run.groupFile.toUtf8() +
                             " is al geopend in een ander venster van Dravo."),
             second.constData());
    QVERIFY2(!second.contains("committed"), second.constData());
    QCOMPARE(onDisk(run.groupFile), firstReports(0));

    // Once the first has ended, the file is free again.
    signalDriver(run.process, SIGTERM);
    QVERIFY(run.process.waitForFinished(10000));
    const QByteArray third = run.runSecond(3);
    QVERIFY2(third.contains("committed 3"), third.constData());
    QCOMPARE(onDisk(run.groupFile), firstReports(3));
}

QTEST_GUILESS_MAIN(SessionEndTest)
#include "test_session_end.moc"
