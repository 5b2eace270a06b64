// "Stuur aanvullingen naar secretaris" on the main window: the .k19 file beside
// the loaded group file, the question, and the mail a stand-in transport
// receives.

#include "mail/mail_test_support.h"
#include "mainwin/main_window_harness.h"
#include "platform/message_box.h"

using fixture::Cell;
using fixture::Publisher;

namespace {

const QString loadFailed = QStringLiteral("Unable to load mail system support.");
const QString sendFailed = QStringLiteral("Send Mail failed to send message.");

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

} // namespace

Q_DECLARE_METATYPE(MailResult)

class TestSendAdditions : public QObject {
    Q_OBJECT

private slots:
    void askedAndMailed_data();
    void askedAndMailed();
    void fileBesideTheGroupFile_data();
    void fileBesideTheGroupFile();
    void saveFailsBeforeAnyQuestion_data();
    void saveFailsBeforeAnyQuestion();
};

void TestSendAdditions::askedAndMailed_data() {
    QTest::addColumn<QString>("secretary");
    QTest::addColumn<int>("answer");
    QTest::addColumn<MailResult>("result");
    QTest::addColumn<QStringList>("to");            // empty: nothing handed to the transport
    QTest::addColumn<QStringList>("afterQuestion"); // messages after the question

    const MailResult sent;
    QTest::newRow("yes mails the file") << "secretaris@example.nl" << int(platform::IDYES) << sent
                                        << QStringList{"secretaris@example.nl"} << QStringList();
    QTest::newRow("yes, two addresses")
        << "secretaris@example.nl;hulp@example.org" << int(platform::IDYES) << sent
        << QStringList{"secretaris@example.nl", "hulp@example.org"} << QStringList();
    QTest::newRow("no sends nothing")
        << "secretaris@example.nl" << int(platform::IDNO) << sent << QStringList() << QStringList();
    QTest::newRow("yes without a mail system")
        << "secretaris@example.nl" << int(platform::IDYES)
        << MailResult{MailResult::Status::NoMailSystem, {}} << QStringList{"secretaris@example.nl"}
        << QStringList{loadFailed};
    QTest::newRow("yes, the mail fails")
        << "secretaris@example.nl" << int(platform::IDYES) << MailResult::failed()
        << QStringList{"secretaris@example.nl"} << QStringList{sendFailed};
}

void TestSendAdditions::askedAndMailed() {
    QFETCH(QString, secretary);
    QFETCH(int, answer);
    QFETCH(MailResult, result);
    QFETCH(QStringList, to);
    QFETCH(QStringList, afterQuestion);

    RecordingMailTransport transport;
    transport.result = result;
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

    QCOMPARE(transport.sent.size(), std::size_t(to.isEmpty() ? 0 : 1));
    if (to.isEmpty())
        return;
    const MailContent& sent = transport.sent.front();
    QCOMPARE(sent.recipients, to);
    QCOMPARE(sent.originatorName, QStringLiteral("Drav"));
    QCOMPARE(sent.subject, QStringLiteral("Verzamellijst - Maart - Groep 3"));
    QCOMPARE(sent.body, QStringLiteral("Maart .k19 bestand voor Groep 3"));
    QCOMPARE(sent.attachments, QStringList{k19});
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
    RecordingMailTransport transport;
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
    QVERIFY(transport.sent.empty());
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
    RecordingMailTransport transport;
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
    QVERIFY(transport.sent.empty());
}

QTEST_MAIN(TestSendAdditions)
#include "test_send_additions.moc"
