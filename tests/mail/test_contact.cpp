// The contact buttons of the main window: stepping through a publisher's
// numbers, dialing the one shown through a dialer that stands in for the
// desktop's, the reminder text and the reminder mail that a stand-in mail
// transport receives.

#include "mail/mail_test_support.h"
#include "mainwin/main_window_harness.h"
#include "platform/message_box.h"

using fixture::Cell;
using fixture::Publisher;

namespace {

const QString notAvailable = QStringLiteral("Telephone service not available");
const QString reminderText =
    QStringLiteral("Dien alstublieft uw rapport in voor Maart. \nDank je.");

// March list of group 3, read in April 2025 (slot 1).
fixture::Group contactGroup() {
    fixture::Group group;
    group.month(2).number(3);
    group.publisher(Publisher("Françoise", "Dubois")
                        .phones("030-1112233", "06-44455566", "+31 30 7778899")
                        .email("francoise@example.nl"));
    group.publisher(Publisher("Pieter", "de Vries").email("pieter@example.nl;marie@example.org"));
    group.publisher(Publisher("Anna", "Bakker")
                        .phones("020-5556677")
                        .email("anna@example.nl")
                        .cell(Cell(2, 1).participated()));
    return group;
}

} // namespace

Q_DECLARE_METATYPE(MailResult)

class TestContact : public QObject {
    Q_OBJECT

private slots:
    void dialButtonShown_data();
    void dialButtonShown();
    void numbersCycleAndTheOneShownIsDialled();
    void dialWithoutHandler();
    void previewForMarch();
    void reminderMail_data();
    void reminderMail();
};

void TestContact::dialButtonShown_data() {
    QTest::addColumn<bool>("handler");
    QTest::addColumn<int>("line");
    QTest::addColumn<bool>("shown");

    QTest::newRow("handler, three numbers") << true << 0 << true;
    QTest::newRow("handler, one number, reported") << true << 2 << true;
    QTest::newRow("handler, no number") << true << 1 << false;
    QTest::newRow("no handler, three numbers") << false << 0 << false;
}

void TestContact::dialButtonShown() {
    QFETCH(bool, handler);
    QFETCH(int, line);
    QFETCH(bool, shown);
    StandInDialer desktop(handler);
    harness::MainWindow run;
    run.startWith(run.writeGroup("Groep.k09", contactGroup()));

    // From a line with a number to the line, and back to it by keyboard.
    run.clickLine(line == 0 ? 2 : 0);
    run.clickLine(line);
    QCOMPARE(run.shown(res::IDC_DIAL), shown);
    QCOMPARE(run.shown(res::IDC_PHONE_NUMBER), line != 1);
    QTest::keyClick(run.list(), line == 0 ? Qt::Key_Down : Qt::Key_Up);
    QTest::keyClick(run.list(), line == 0 ? Qt::Key_Up : Qt::Key_Down);
    QCOMPARE(run.shown(res::IDC_DIAL), shown);
    QCOMPARE(run.script.unexpected(), QStringList());
}

void TestContact::numbersCycleAndTheOneShownIsDialled() {
    StandInDialer desktop(true);
    harness::MainWindow run;
    run.startWith(run.writeGroup("Groep.k09", contactGroup()));
    run.clickLine(0);

    QStringList shown{run.text(res::IDC_PHONE_NUMBER)};
    for (int i = 0; i < 3; ++i) {
        run.click(res::IDC_NEXT_PHONE);
        shown << run.text(res::IDC_PHONE_NUMBER);
        QVERIFY(run.list()->hasFocus());
    }
    QCOMPARE(shown, (QStringList{"030-1112233", "06-44455566", "+31 30 7778899", "030-1112233"}));

    run.click(res::IDC_NEXT_PHONE);
    run.click(res::IDC_NEXT_PHONE);
    run.click(res::IDC_DIAL);
    QCOMPARE(desktop.numbers, QStringList{"+31 30 7778899"});
    QCOMPARE(desktop.calledParties, QStringList{"Françoise Dubois"});
    QVERIFY(run.list()->hasFocus());

    // Another line and back: the first number again, and it is the one dialled.
    QTest::keyClick(run.list(), Qt::Key_Down);
    QTest::keyClick(run.list(), Qt::Key_Up);
    QCOMPARE(run.text(res::IDC_PHONE_NUMBER), QStringLiteral("030-1112233"));
    run.click(res::IDC_DIAL);
    QCOMPARE(desktop.numbers, (QStringList{"+31 30 7778899", "030-1112233"}));
    QCOMPARE(run.script.takeMessageTexts(), QStringList());
}

void TestContact::dialWithoutHandler() {
    StandInDialer desktop(true);
    harness::MainWindow run;
    run.startWith(run.writeGroup("Groep.k09", contactGroup()));
    run.clickLine(0);
    run.click(res::IDC_NEXT_PHONE);
    QVERIFY(run.shown(res::IDC_DIAL));

    // The handler goes while the program runs.
    desktop.handler = false;
    run.click(res::IDC_DIAL);
    run.click(res::IDC_DIAL);

    QCOMPARE(run.script.takeMessageTexts(), (QStringList{notAvailable, notAvailable}));
    QCOMPARE(desktop.numbers, QStringList());
    QCOMPARE(run.text(res::IDC_PHONE_NUMBER), QStringLiteral("06-44455566"));
    QCOMPARE(run.text(platform::IDOK), QStringLiteral("Post - Françoise Dubois"));
}

void TestContact::previewForMarch() {
    harness::MainWindow run;
    run.startWith(run.writeGroup("Groep.k09", contactGroup()));
    run.clickLine(1);

    run.click(res::IDC_PREVIEW_REMINDER);

    const QStringList shown = run.script.takeMessageTexts();
    QCOMPARE(shown, QStringList{reminderText});
    const QStringList lines = shown.front().split(u'\n');
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines[0].endsWith(QStringLiteral("Maart. ")));
    QCOMPARE(lines[1], QStringLiteral("Dank je."));
}

void TestContact::reminderMail_data() {
    QTest::addColumn<int>("line");
    QTest::addColumn<MailResult>("result");
    QTest::addColumn<QStringList>("to");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("one address") << 0 << MailResult{} << QStringList{"francoise@example.nl"}
                                 << QStringList{"francoise@example.nl"};
    QTest::newRow("two addresses")
        << 1 << MailResult{} << QStringList{"pieter@example.nl", "marie@example.org"}
        << QStringList{"pieter@example.nl;marie@example.org"};
    QTest::newRow("no mail system") << 1 << MailResult{MailResult::Status::NoMailSystem, {}}
                                    << QStringList{"pieter@example.nl", "marie@example.org"}
                                    << QStringList{"pieter@example.nl;marie@example.org",
                                                   "Unable to load mail system support."};
    QTest::newRow("mail system fails")
        << 0 << MailResult::failed() << QStringList{"francoise@example.nl"}
        << QStringList{"francoise@example.nl", "Send Mail failed to send message."};
}

void TestContact::reminderMail() {
    QFETCH(int, line);
    QFETCH(MailResult, result);
    QFETCH(QStringList, to);
    QFETCH(QStringList, shown);
    RecordingMailTransport transport;
    transport.result = result;
    harness::MainWindow run;
    run.startWith(run.writeGroup("Groep.k09", contactGroup()));
    run.clickLine(line);

    run.click(res::IDC_MAIL_REMINDER);

    QVERIFY(!run.script.messageBoxes().empty());
    QCOMPARE(run.script.messageBoxes().front().type,
             unsigned(platform::MB_OK | platform::MB_ICONEXCLAMATION));
    QCOMPARE(run.script.takeMessageTexts(), shown);
    QCOMPARE(run.script.unexpected(), QStringList());
    QCOMPARE(transport.sent.size(), std::size_t(1));
    const MailContent& sent = transport.sent.front();
    QCOMPARE(sent.recipients, to);
    QCOMPARE(sent.originatorName, QStringLiteral("Drav"));
    QCOMPARE(sent.subject, QStringLiteral("Report"));
    QCOMPARE(sent.body, reminderText);
    QCOMPARE(sent.attachments, QStringList());
}

QTEST_MAIN(TestContact)
#include "test_contact.moc"
