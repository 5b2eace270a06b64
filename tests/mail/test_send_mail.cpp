// Sending a composed message on the user's behalf, with a transport that
// stands in for the mail route: how an address list is split, what the user
// is told for each result, and the window held still while the message is on
// its way.

#include "mail/mail_test_support.h"
#include "mail/send_mail.h"
#include "support/scripted_interaction.h"

#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

namespace {

const QString loadFailed = QStringLiteral("Unable to load mail system support.");
const QString dllInvalid = QStringLiteral("Mail system DLL is invalid.");
const QString sendFailed = QStringLiteral("Send Mail failed to send message.");

MailContent reminder() {
    return MailContent{QStringLiteral("Drav"),
                       {QStringLiteral("jan@example.nl")},
                       QStringLiteral("Report"),
                       QStringLiteral("Dien alstublieft uw rapport in voor Maart. \nDank je."),
                       {}};
}

} // namespace

Q_DECLARE_METATYPE(MailResult::Status)

class TestSendMail : public QObject {
    Q_OBJECT

private slots:
    void recipientSplitting_data();
    void recipientSplitting();
    void resultsOfTheMailSystem_data();
    void resultsOfTheMailSystem();
    void ownerWindowBlockedWhileSending();
};

void TestSendMail::recipientSplitting_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("two entries") << "a;b" << QStringList{"a", "b"};
    QTest::newRow("extra separators") << ";;a;;;b;" << QStringList{"a", "b"};
    QTest::newRow("blank after the separator") << "a; b" << QStringList{"a", " b"};
    QTest::newRow("empty list") << "" << QStringList();
    QTest::newRow("separators only") << ";;;" << QStringList();
    QTest::newRow("one address") << "secretaris@example.nl" << QStringList{"secretaris@example.nl"};
}

void TestSendMail::recipientSplitting() {
    QFETCH(QString, list);
    QFETCH(QStringList, names);
    QCOMPARE(splitRecipients(list), names);
}

void TestSendMail::resultsOfTheMailSystem_data() {
    QTest::addColumn<MailResult::Status>("status");
    QTest::addColumn<QString>("refused");
    QTest::addColumn<bool>("returned");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("sent") << MailResult::Status::Sent << QString() << true << QStringList();
    QTest::newRow("cancelled by the user")
        << MailResult::Status::Cancelled << QString() << true << QStringList();
    QTest::newRow("no mail system")
        << MailResult::Status::NoMailSystem << QString() << false << QStringList{loadFailed};
    QTest::newRow("mail system unusable")
        << MailResult::Status::Unusable << QString() << false << QStringList{dllInvalid};
    QTest::newRow("failed") << MailResult::Status::Failed << QString() << false
                            << QStringList{sendFailed};
    QTest::newRow("failed on an address")
        << MailResult::Status::Failed << "jan de vries@example.nl" << false
        << QStringList{sendFailed + "\n\njan de vries@example.nl"};
    QTest::newRow("the address named stays on its line")
        << MailResult::Status::Failed << "jan@example.nl\r\nBcc: x" << false
        << QStringList{sendFailed + "\n\njan@example.nl  Bcc: x"};
}

void TestSendMail::resultsOfTheMailSystem() {
    QFETCH(MailResult::Status, status);
    QFETCH(QString, refused);
    QFETCH(bool, returned);
    QFETCH(QStringList, shown);
    ScriptedInteraction ui;
    RecordingMailTransport transport;
    transport.result = MailResult{status, refused};

    QCOMPARE(sendMail(transport, reminder()), returned);

    QCOMPARE(transport.sent.size(), std::size_t(1));
    QCOMPARE(ui.takeMessageTexts(), shown);
    QCOMPARE(ui.unexpected(), QStringList());
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestSendMail::ownerWindowBlockedWhileSending() {
    ScriptedInteraction ui;
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* first = new QLineEdit(&window);
    auto* second = new QLineEdit(&window);
    layout->addWidget(first);
    layout->addWidget(second);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    second->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), second);

    bool enabledDuring = true;
    Qt::CursorShape cursorDuring = Qt::ArrowCursor;
    RecordingMailTransport transport;
    transport.result = MailResult::failed();
    transport.whileSending = [&] {
        enabledDuring = window.isEnabled();
        if (QGuiApplication::overrideCursor())
            cursorDuring = QGuiApplication::overrideCursor()->shape();
    };
    QVERIFY(!sendMail(transport, reminder()));

    QVERIFY(!enabledDuring);
    QCOMPARE(cursorDuring, Qt::WaitCursor);
    QVERIFY(window.isEnabled());
    QVERIFY(!QGuiApplication::overrideCursor());
    QTRY_COMPARE(QApplication::focusWidget(), second);
    QCOMPARE(ui.takeMessageTexts(), QStringList{sendFailed});
}

QTEST_MAIN(TestSendMail)
#include "test_send_mail.moc"
