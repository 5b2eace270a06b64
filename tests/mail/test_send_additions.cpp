// "Stuur aanvullingen naar secretaris" on the main window: the .k19 file beside
// the loaded group file, the question, and the mail a stand-in sendmail
// receives, read back by Python's email package.

#include "mail/mail_test_support.h"
#include "mainwin/main_window_harness.h"
#include "platform/mapi.h"
#include "platform/message_box.h"

#include <QJsonArray>

using fixture::Cell;
using fixture::Publisher;

namespace {

const QString loadFailed = QStringLiteral("Unable to load mail system support.");

// March list of group 3, read in April 2025.
fixture::Group additionsGroup(const std::string& secretary) {
    fixture::Group group;
    group.month(2).number(3).secretary(secretary);
    group.publisher(Publisher("Zoë", "Jansen")
                        .phones("030-2345678")
                        .email("zoe@example.nl")
                        .cell(Cell(2, 1).participated().studies(2).hours(12).remark("ziek")));
    group.publisher(Publisher("José", "Fernandes").cell(Cell(1, 1).participated()));
    group.publisher(Publisher("Pieter", "de Vries"));
    return group;
}

QString question(const QString& k19, const QString& secretary) {
    return "Jouw aanvullingen zijn opgeslagen in een bestand op " + k19 +
           "\n\nKlik Ja om het .k19 bestand te E-mailen " + secretary +
           ",\n       of\nKlik Nee om het bestand later naar de secretaris te sturen.";
}

QStringList addressesOf(const QJsonValue& value) {
    QStringList list;
    for (const auto& item : value.toArray())
        list << item.toArray()[1].toString();
    return list;
}

} // namespace

class TestSendAdditions : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void askedAndMailed_data();
    void askedAndMailed();
    void fileBesideTheGroupFile_data();
    void fileBesideTheGroupFile();
    void saveFailsBeforeAnyQuestion_data();
    void saveFailsBeforeAnyQuestion();

private:
    NoMachineSendmail noMachineSendmail;
};

void TestSendAdditions::initTestCase() {
    QVERIFY2(!pythonProgram().isEmpty(), "python3 is needed to check the messages");
}

void TestSendAdditions::askedAndMailed_data() {
    QTest::addColumn<QString>("secretary");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("mailSystem");
    QTest::addColumn<QStringList>("to");            // empty: nothing sent
    QTest::addColumn<QStringList>("afterQuestion"); // messages after the question

    QTest::newRow("yes mails the file") << "secretaris@example.nl" << int(platform::IDYES) << true
                                        << QStringList{"secretaris@example.nl"} << QStringList();
    QTest::newRow("yes, two addresses")
        << "secretaris@example.nl;hulp@example.org" << int(platform::IDYES) << true
        << QStringList{"secretaris@example.nl", "hulp@example.org"} << QStringList();
    QTest::newRow("no sends nothing")
        << "secretaris@example.nl" << int(platform::IDNO) << true << QStringList() << QStringList();
    QTest::newRow("yes without a mail system") << "secretaris@example.nl" << int(platform::IDYES)
                                               << false << QStringList() << QStringList{loadFailed};
}

void TestSendAdditions::askedAndMailed() {
    QFETCH(QString, secretary);
    QFETCH(int, answer);
    QFETCH(bool, mailSystem);
    QFETCH(QStringList, to);
    QFETCH(QStringList, afterQuestion);

    StandInProgram sendmail(QStringLiteral("sendmail"));
    QTemporaryDir noPrograms;
    ScopedEnv path("PATH", mailSystem ? pathWith(sendmail.folder()) : noPrograms.path());
    ScopedEnv sender("EMAIL", QStringLiteral("opziener@example.nl"));
    harness::MainWindow run;
    const QString k09 = run.writeGroup("Groep.k09", additionsGroup(secretary.toStdString()));
    const QByteArray groupBytes = harness::fileBytes(k09);
    run.startWith(k09);
    const QString k19 = run.path("Groep.k19");

    run.script.answerMessageBox(answer);
    run.click(res::IDC_SEND_ADDITIONS);

    QCOMPARE(run.script.unexpected(), QStringList());
    const auto& boxes = run.script.messageBoxes();
    QVERIFY(!boxes.empty());
    QCOMPARE(boxes.front().text, question(k19, secretary));
    QCOMPARE(boxes.front().type, unsigned(platform::MB_YESNO | platform::MB_ICONQUESTION));
    QCOMPARE(boxes.front().caption, platform::AfxGetAppName());
    QStringList later;
    for (std::size_t i = 1; i < boxes.size(); ++i)
        later << boxes[i].text;
    QCOMPARE(later, afterQuestion);

    // The whole store, unchanged since the load, whatever the answer; the
    // group file itself is left alone.
    QCOMPARE(harness::fileBytes(k19), groupBytes);
    QCOMPARE(harness::fileBytes(k09), groupBytes);
    QVERIFY(run.list()->hasFocus());

    QCOMPARE(sendmail.ran(), !to.isEmpty());
    if (to.isEmpty())
        return;
    const QJsonObject sent = inspectMail(sendmail.input());
    QVERIFY(!sent.isEmpty());
    QCOMPARE(sent["defects"].toArray(), QJsonArray());
    QCOMPARE(addressesOf(sent["to"]), to);
    QCOMPARE(sent["from"].toArray()[0].toArray()[0].toString(), QStringLiteral("Drav"));
    QCOMPARE(sent["subject"].toString(), QStringLiteral("Verzamellijst - Maart - Groep 3"));
    QCOMPARE(sent["body"].toString(), QStringLiteral("Maart .k19 bestand voor Groep 3\n"));
    const QJsonArray attachments = sent["attachments"].toArray();
    QCOMPARE(attachments.size(), 1);
    QCOMPARE(attachments[0]["fileName"].toString(), QStringLiteral("Groep.k19"));
    QCOMPARE(attachments[0]["hex"].toString(), QString::fromLatin1(groupBytes.toHex()));
}

void TestSendAdditions::fileBesideTheGroupFile_data() {
    QTest::addColumn<QString>("loaded"); // relative to the test folder
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("secretary"); // no "@": only the notice

    QTest::newRow("lower-case extension") << "Groep.k09"
                                          << "Groep.k19"
                                          << "";
    QTest::newRow("upper-case extension") << "Groep.K09"
                                          << "Groep.k19"
                                          << "secretariaat";
    QTest::newRow("folder named .k09 keeps its name") << "lijst.k09/Groep.k09"
                                                      << "lijst.k09/Groep.k19"
                                                      << "";
    QTest::newRow("folder named .K09, file .K09") << "Oud.K09/Groep.K09"
                                                  << "Oud.K09/Groep.k19"
                                                  << "";
    QTest::newRow(".k09 twice in the name") << "Groep.k09.k09"
                                            << "Groep.k09.k19"
                                            << "";
}

void TestSendAdditions::fileBesideTheGroupFile() {
    QFETCH(QString, loaded);
    QFETCH(QString, written);
    QFETCH(QString, secretary);
    StandInProgram sendmail(QStringLiteral("sendmail"));
    ScopedEnv path("PATH", pathWith(sendmail.folder()));
    harness::MainWindow run;
    QVERIFY(QDir(run.dir.path()).mkpath(QFileInfo(run.path(loaded)).path()));
    const QString k09 = run.writeGroup(loaded, additionsGroup(secretary.toStdString()));
    const QByteArray groupBytes = harness::fileBytes(k09);
    run.startWith(k09);

    // Twice: each use writes the file again.
    for (int use = 0; use < 2; ++use) {
        QFile::remove(run.path(written));
        run.click(res::IDC_SEND_ADDITIONS);

        const auto& boxes = run.script.messageBoxes();
        QCOMPARE(boxes.size(), std::size_t(use + 1));
        QCOMPARE(boxes.back().text,
                 "Jouw aanvullingen zijn opgeslagen in een bestand op " + run.path(written));
        QCOMPARE(boxes.back().type, unsigned(platform::MB_OK | platform::MB_ICONEXCLAMATION));
        QCOMPARE(harness::fileBytes(run.path(written)), groupBytes);
    }
    QVERIFY(!sendmail.ran());
    // Nothing else was made: no renamed folder, no second file.
    QStringList made;
    QDirIterator it(run.dir.path(), QDir::AllEntries | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        made << QDir(run.dir.path()).relativeFilePath(it.next());
    made.removeAll(QStringLiteral("dravo.ini"));
    made.sort();
    QStringList expected{loaded, written};
    if (loaded.contains(u'/'))
        expected << QFileInfo(loaded).path();
    expected.sort();
    QCOMPARE(made, expected);
}

void TestSendAdditions::saveFailsBeforeAnyQuestion_data() {
    QTest::addColumn<int>("publishers");
    QTest::addColumn<bool>("folderInTheWay");
    QTest::addColumn<QString>("message"); // how the only message begins

    QTest::newRow("one publisher") << 1 << false << "Groep has less than 3 publishers";
    QTest::newRow("a folder where the file goes") << 3 << true << "Kan bestand %1 niet maken.";
}

void TestSendAdditions::saveFailsBeforeAnyQuestion() {
    QFETCH(int, publishers);
    QFETCH(bool, folderInTheWay);
    QFETCH(QString, message);
    StandInProgram sendmail(QStringLiteral("sendmail"));
    ScopedEnv path("PATH", pathWith(sendmail.folder()));
    harness::MainWindow run;
    fixture::Group group = additionsGroup("secretaris@example.nl");
    group.publishers.resize(std::size_t(publishers));
    const QString k09 = run.writeGroup("Groep.k09", group);
    const QString k19 = run.path("Groep.k19");
    if (folderInTheWay)
        QVERIFY(QDir().mkpath(k19));
    run.startWith(k09);

    run.click(res::IDC_SEND_ADDITIONS);

    const QStringList shown = run.script.takeMessageTexts();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.front().startsWith(message.replace("%1", k19)), qPrintable(shown.front()));
    QCOMPARE(QFileInfo(k19).isFile(), false);
    QVERIFY(!sendmail.ran());
}

QTEST_MAIN(TestSendAdditions)
#include "test_send_additions.moc"
