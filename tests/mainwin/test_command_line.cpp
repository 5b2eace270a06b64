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
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "test_command_line.moc"
