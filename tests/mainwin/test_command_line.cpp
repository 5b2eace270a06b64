// The program's command line, run as a user runs it.

#include <QProcess>
#include <QtTest>

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void answers_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage: dravo [GROUP.k09]"
                              << "";
        QTest::newRow("short help") << QStringList{"-h"} << 0 << "--print-pdf OUT.pdf"
                                    << "";
        QTest::newRow("help wins over a file")
            << QStringList{"Groep.k09", "--help"} << 0 << "Options:"
            << "";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "dravo 0.1.0\n"
                                 << "";
        QTest::newRow("unknown option")
            << QStringList{"--frobnicate"} << 2 << ""
            << "dravo: unknown option '--frobnicate'\nUsage: dravo [GROUP.k09]";
        QTest::newRow("unknown short option") << QStringList{"-x", "Groep.k09"} << 2 << ""
                                              << "unknown option '-x'";
        QTest::newRow("pdf without files") << QStringList{"--print-pdf"} << 2 << ""
                                           << "usage: dravo --print-pdf OUT.pdf GROUP.k09";
    }
    void answers() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QProcess dravo;
        dravo.start(qEnvironmentVariable("DRAVO_BINARY_DIR") + "/dravo", arguments);
        QVERIFY(dravo.waitForFinished(30000));
        QCOMPARE(dravo.exitStatus(), QProcess::NormalExit);
        QCOMPARE(dravo.exitCode(), status);
        const QString stdoutText = QString::fromLocal8Bit(dravo.readAllStandardOutput());
        const QString stderrText = QString::fromLocal8Bit(dravo.readAllStandardError());
        if (out.isEmpty())
            QCOMPARE(stdoutText, QString());
        else
            QVERIFY2(stdoutText.contains(out), qPrintable(stdoutText));
        if (err.isEmpty())
            QCOMPARE(stderrText, QString());
        else
            QVERIFY2(stderrText.contains(err), qPrintable(stderrText));
    }

    // Without any display the program says so once and ends, instead of the
    // toolkit aborting it; printing to PDF needs no display and still works.
    void withoutDisplay_data() {
        QTest::addColumn<QString>("display"); // empty: none named
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("err");
        const QString noDisplay =
            "dravo: cannot open the display; use --print-pdf for printing without one\n";
        QTest::newRow("no file") << "" << QStringList{} << 1 << noDisplay;
        QTest::newRow("a group file") << "" << QStringList{sampleGroup()} << 1 << noDisplay;
        // A display left behind in the environment (a closed X session).
        QTest::newRow("display that does not answer")
            << ":4242" << QStringList{sampleGroup()} << 1 << noDisplay;
        QTest::newRow("help") << "" << QStringList{"--help"} << 0 << "";
        QTest::newRow("print to PDF")
            << "" << QStringList{"--print-pdf", dir.filePath("lijst.pdf"), sampleGroup()} << 0
            << "";
    }
    void withoutDisplay() {
        QFETCH(QString, display);
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, err);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(name);
        if (!display.isEmpty()) {
            QVERIFY(!QFileInfo::exists("/tmp/.X11-unix/X" + display.mid(1)));
            environment.insert("DISPLAY", display);
        }
        environment.insert("HOME", dir.path());
        environment.insert("XDG_RUNTIME_DIR", dir.path());
        QProcess dravo;
        dravo.setProcessEnvironment(environment);
        dravo.start(qEnvironmentVariable("DRAVO_BINARY_DIR") + "/dravo", arguments);
        QVERIFY(dravo.waitForFinished(30000));
        QCOMPARE(dravo.exitStatus(), QProcess::NormalExit);
        QCOMPARE(QString::fromLocal8Bit(dravo.readAllStandardError()), err);
        QCOMPARE(dravo.exitCode(), status);
        if (arguments.value(0) == "--print-pdf")
            QVERIFY(QFileInfo(arguments[1]).size() > 0);
    }

private:
    // A copy of the sample group: a run that did start would write it back.
    QString sampleGroup() const {
        const QString copy = dir.filePath("Groep.k09");
        if (!QFileInfo::exists(copy))
            QFile::copy(qEnvironmentVariable("DRAVO_SOURCE_DIR") + "/samples/Groep.k09", copy);
        return copy;
    }
    QTemporaryDir dir;
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "test_command_line.moc"
