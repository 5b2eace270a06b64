// "dravo --print-pdf OUT.pdf GROUP.k09" run as a user runs it, without a
// display, its PDF read back with a PDF reader.

#include "pdf_reader.h"
#include "support/file_bytes.h"

#include "fixtures/group_fixture.h"

#include <QDate>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using fixture::Cell;
using fixture::Publisher;

namespace {

struct Run {
    int exitCode = -1;
    QString errors;
};

// The year slot a run started today uses for a list of a month other than
// January: that of the year of the month before today's.
unsigned todaysSlot() {
    const QDate today = QDate::currentDate();
    const int year = today.year() - 2000 - (today.month() == 1 ? 1 : 0);
    return unsigned(year % 2);
}

} // namespace

class PrintPdfCommandTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void printsTheReportMonth();
    void pageCounts_data();
    void pageCounts();
    void badInput_data();
    void badInput();

private:
    Run dravo(const QStringList& arguments);
    QString writeGroup(const QString& name, const fixture::Group& group);

    QTemporaryDir dir;
    QTemporaryDir home;
    QString program;
};

void PrintPdfCommandTest::initTestCase() {
    program = QDir(qEnvironmentVariable("DRAVO_BINARY_DIR")).filePath("dravo");
    QVERIFY2(QFileInfo(program).isExecutable(), qPrintable(program));
    if (!pdf::toolsInstalled())
        QSKIP("poppler-utils (pdftotext, pdfinfo) are not installed");
}

Run PrintPdfCommandTest::dravo(const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // No display at all, and a home of its own to show the settings stay untouched.
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(name);
    environment.insert("HOME", home.path());
    environment.insert("XDG_CONFIG_HOME", home.filePath("config"));
    environment.insert("XDG_RUNTIME_DIR", home.path());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(dir.path());
    process.start(program, arguments);
    Run run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.errors = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QString PrintPdfCommandTest::writeGroup(const QString& name, const fixture::Group& group) {
    const QString path = dir.filePath(name);
    fixture::writeGroupFile(QFile::encodeName(path).toStdString(), group);
    return path;
}

void PrintPdfCommandTest::printsTheReportMonth() {
    const unsigned slot = todaysSlot();
    fixture::Group group;
    group.month(4).number(7);
    group.publisher(Publisher("Zoë", "Jansen")
                        .phones("030-2345678", "06-12345678")
                        .cell(Cell(4, slot).participated().studies(3).hours(741))
                        .cell(Cell(4, 1 - slot).hours(852)));
    for (int i = 2; i <= 39; ++i)
        group.publisher(Publisher("Lid", std::to_string(i)));
    group.publisher(Publisher("Françoise", "Dubois").cell(Cell(4, slot).remark("Ziek geweest")));
    const QString groupFile = writeGroup("Groep.k09", group);
    const QByteArray before = fileBytes(groupFile);
    const QString besideProgram = QFileInfo(program).absolutePath() + "/dravo.ini";
    const bool settingsBeside = QFile::exists(besideProgram);
    const QByteArray settingsBefore = fileBytes(besideProgram);
    const QString out = dir.filePath("lijst.pdf");

    const Run run = dravo({"--print-pdf", out, groupFile});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(!run.errors.contains("dravo:"), qPrintable(run.errors));

    QCOMPARE(pdf::pages(out), 2);
    const QStringList pages = pdf::text(out).split('\f');
    for (int p = 0; p < 2; ++p) {
        QVERIFY(pages[p].contains("Overzicht - Mei"));
        QVERIFY(pages[p].contains("Groep #7"));
        QVERIFY(pages[p].contains("Naam"));
        QVERIFY(pages[p].contains("Telefoon"));
        QVERIFY(pages[p].contains("Opm"));
    }
    QVERIFY(pages[0].contains("Zoë Jansen"));
    QVERIFY(pages[0].contains("06-12345678"));
    QVERIFY(pages[0].contains("741"));
    QVERIFY(!pages[0].contains("852")); // the other year's report
    QVERIFY(pages[0].contains("Lid 32"));
    QVERIFY(!pages[0].contains("Lid 33"));
    QVERIFY(pages[1].contains("Lid 33"));
    QVERIFY(pages[1].contains("Françoise Dubois"));
    QVERIFY(pages[1].contains("Ziek geweest"));

    // Neither the group file nor any settings changed.
    QCOMPARE(fileBytes(groupFile), before);
    QStringList settingsWritten;
    for (QDirIterator it(home.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString file = it.next();
        if (file.endsWith(".ini") || file.contains("dravo", Qt::CaseInsensitive))
            settingsWritten << file;
    }
    QCOMPARE(settingsWritten, QStringList());
    QCOMPARE(QFile::exists(besideProgram), settingsBeside);
    QCOMPARE(fileBytes(besideProgram), settingsBefore);
}

void PrintPdfCommandTest::pageCounts_data() {
    QTest::addColumn<int>("publishers");
    QTest::addColumn<int>("pages");

    QTest::newRow("empty group") << 0 << 1;
    QTest::newRow("32") << 32 << 1;
    QTest::newRow("33") << 33 << 2;
    QTest::newRow("largest group") << 127 << 4;
}

void PrintPdfCommandTest::pageCounts() {
    QFETCH(int, publishers);
    QFETCH(int, pages);

    fixture::Group group;
    if (publishers == 127) {
        group = fixture::largestGroup();
    } else {
        group.month(0).number(2);
        for (int i = 1; i <= publishers; ++i)
            group.publisher(Publisher("Lid", std::to_string(i)));
    }
    const QString out = dir.filePath("pages.pdf");
    QFile::remove(out);
    const Run run = dravo({"--print-pdf", out, writeGroup("Pages.k09", group)});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(pdf::pages(out), pages);
    const QString text = pdf::text(out);
    QCOMPARE(text.count("Overzicht - "), pages);
    QCOMPARE(text.count(QRegularExpression("Lid \\d+\\b")), publishers == 127 ? 0 : publishers);
}

void PrintPdfCommandTest::badInput_data() {
    QTest::addColumn<QStringList>("arguments"); // {group} and {dir} are replaced
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("notCreated");

    const QString out = "{dir}/out.pdf";
    QTest::newRow("missing group file")
        << QStringList{"--print-pdf", out, "{dir}/Weg.k09"} << 1 << "does not exist" << out;
    QTest::newRow("folder as group file")
        << QStringList{"--print-pdf", out, "{dir}"} << 1 << "is a folder" << out;
    QTest::newRow("not a group file")
        << QStringList{"--print-pdf", out, "{dir}/Kapot.k09"} << 1 << "is not a group file" << out;
    QTest::newRow("output in a missing folder")
        << QStringList{"--print-pdf", "{dir}/weg/out.pdf", "{group}"} << 1 << "cannot write"
        << "{dir}/weg/out.pdf";
    QTest::newRow("output under a regular file")
        << QStringList{"--print-pdf", "{group}/out.pdf", "{group}"} << 1 << "cannot write"
        << "";
    QTest::newRow("output is a folder")
        << QStringList{"--print-pdf", "{dir}", "{group}"} << 1 << "cannot write"
        << "";
    QTest::newRow("output device is full")
        << QStringList{"--print-pdf", "/dev/full", "{group}"} << 1 << "cannot write"
        << "";
    QTest::newRow("output over the group file")
        << QStringList{"--print-pdf", "{group}", "{group}"} << 1 << "overwrite"
        << "";
    QTest::newRow("output is a hard link to the group file")
        << QStringList{"--print-pdf", "{dir}/hard.pdf", "{group}"} << 1 << "overwrite"
        << "";
    QTest::newRow("output is a symbolic link to the group file")
        << QStringList{"--print-pdf", "{dir}/soft.pdf", "{group}"} << 1 << "overwrite"
        << "";
    QTest::newRow("output is a pipe nobody reads")
        << QStringList{"--print-pdf", "{dir}/pipe.pdf", "{group}"} << 1 << "cannot write"
        << "";
    QTest::newRow("pipe as group file")
        << QStringList{"--print-pdf", out, "{dir}/pipe.k09"} << 1 << "not a regular file" << out;
    QTest::newRow("device as group file")
        << QStringList{"--print-pdf", out, "/dev/zero"} << 1 << "not a regular file" << out;
    QTest::newRow("no group file named") << QStringList{"--print-pdf", out} << 2 << "usage" << out;
    QTest::newRow("one argument too many")
        << QStringList{"--print-pdf", out, "{group}", "{group}"} << 2 << "usage" << out;
}

void PrintPdfCommandTest::badInput() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QFETCH(QString, notCreated);

    fixture::Group group;
    group.month(2).number(1).publisher(Publisher("Zoë", "Jansen"));
    const QString groupFile = writeGroup("Groep.k09", group);
    const QByteArray before = fileBytes(groupFile);
    {
        QFile junk(dir.filePath("Kapot.k09"));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("geen groep");
    }
    QFile::remove(dir.filePath("hard.pdf"));
    QFile::remove(dir.filePath("soft.pdf"));
    QCOMPARE(::link(QFile::encodeName(groupFile), QFile::encodeName(dir.filePath("hard.pdf"))), 0);
    QVERIFY(QFile::link(groupFile, dir.filePath("soft.pdf")));
    for (const char* pipe : {"pipe.pdf", "pipe.k09"})
        if (!QFileInfo::exists(dir.filePath(pipe)))
            QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(pipe)), 0600), 0);
    for (QString& argument : arguments)
        argument.replace("{group}", groupFile).replace("{dir}", dir.path());
    notCreated.replace("{dir}", dir.path());

    const Run run = dravo(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.errors.contains(message), qPrintable(run.errors));
    if (!notCreated.isEmpty())
        QVERIFY(!QFile::exists(notCreated));
    QCOMPARE(fileBytes(groupFile), before);
}

QTEST_MAIN(PrintPdfCommandTest)
#include "test_print_pdf_command.moc"
