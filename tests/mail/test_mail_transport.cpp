// Messages sent on the mail routes of the machine, and what the user is told:
// a stand-in sendmail that keeps what it is given, a stand-in xdg-email, no
// mail system, a broken one, and the real msmtp talking SMTP to a listener on
// loopback.

#include "mail/mail_test_support.h"
#include "mail/send_mail.h"
#include "mail/system_mail_transport.h"
#include "support/scripted_interaction.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QTimeZone>
#include <QtTest>

namespace {

const QString loadFailed = QStringLiteral("Unable to load mail system support.");
const QString dllInvalid = QStringLiteral("Mail system DLL is invalid.");
const QString sendFailed = QStringLiteral("Send Mail failed to send message.");
const QString additionsSubject = QStringLiteral("Verzamellijst - Maart - Groep 3");
const QString additionsBody = QStringLiteral("Maart .k19 bestand voor Groep 3");
const QString reminderBody =
    QStringLiteral("Dien alstublieft uw rapport in voor Maart. \nDank je.");

QStringList jsonStrings(const QJsonValue& value) {
    QStringList list;
    for (const auto& item : value.toArray())
        list << item.toString();
    return list;
}

// Addresses of a From or To field as Python read them, each "name <address>".
QStringList jsonAddresses(const QJsonValue& value) {
    QStringList list;
    for (const auto& item : value.toArray())
        list << item.toArray()[0].toString() + " <" + item.toArray()[1].toString() + ">";
    return list;
}

QDateTime fixedTime() {
    return QDateTime(QDate(2024, 3, 5), QTime(9, 7, 3), QTimeZone(3600));
}

MailContent composed(const QString& recipients, const QString& subject, const QString& body,
                     const QStringList& attachments = {}) {
    return MailContent{QStringLiteral("Drav"), splitRecipients(recipients), subject, body,
                       attachments};
}

// One message sent the way the program's two callers send: originator "Drav",
// recipients, subject, body, the attachment when a path is given. The fixed
// places hold no sendmail unless a test puts one there.
bool sendOnMachine(const QString& recipients, const QString& subject, const QString& body,
                   const QString& attachment = QString(), const QStringList& fixedPlaces = {}) {
    SystemMailTransport machine(fixedPlaces, &fixedTime);
    return sendMail(machine,
                    composed(recipients, subject, body,
                             attachment.isNull() ? QStringList() : QStringList{attachment}));
}

} // namespace

class TestMailTransport : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void bodyAsReceived_data();
    void bodyAsReceived();
    void deliveredThroughSendmail_data();
    void deliveredThroughSendmail();
    void failingSendmail_data();
    void failingSendmail();
    void refusedAddresses_data();
    void refusedAddresses();
    void attachmentThatCannotBeRead_data();
    void attachmentThatCannotBeRead();
    void noMailSystem();
    void brokenMailSystem_data();
    void brokenMailSystem();
    void whereSendmailIsFound();
    void desktopMailClient_data();
    void desktopMailClient();
    void realSendmailClientToSmtp();

private:
    QTemporaryDir files;
    QString additionsPath;
    QByteArray additionsData;
};

void TestMailTransport::initTestCase() {
    QVERIFY2(!pythonProgram().isEmpty(), "python3 is needed to check the messages");
    additionsPath = files.filePath(QStringLiteral("Groep.k19"));
    for (int i = 0; i < 200000; ++i)
        additionsData += char(QRandomGenerator::global()->bounded(256));
    QFile file(additionsPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(additionsData);
}

void TestMailTransport::bodyAsReceived_data() {
    QTest::addColumn<QString>("body");
    QTest::addColumn<int>("attachments");
    QTest::addColumn<QString>("received");

    QTest::newRow("ten characters, one attachment") << "0123456789" << 1 << "0123456789\n";
    QTest::newRow("two attachments") << "0123456789" << 2 << "0123456789\n";
    QTest::newRow("no attachment") << "0123456789" << 0 << "0123456789\n";
    QTest::newRow("empty body") << "" << 1 << "\n";
    QTest::newRow("non-ASCII body")
        << QString::fromUtf8("Maart ë") << 1 << QString::fromUtf8("Maart ë\n");
    QTest::newRow("blank of its own kept") << "tekst " << 1 << "tekst \n";
}

void TestMailTransport::bodyAsReceived() {
    QFETCH(QString, body);
    QFETCH(int, attachments);
    QFETCH(QString, received);
    ScriptedInteraction ui;
    StandInProgram sendmail(QStringLiteral("sendmail"));
    ScopedEnv path("PATH", pathWith(sendmail.folder()));
    SystemMailTransport machine({}, &fixedTime);

    MailContent content = composed(QStringLiteral("secretaris@example.nl"), additionsSubject, body);
    for (int i = 0; i < attachments; ++i)
        content.attachments << additionsPath;
    QCOMPARE(machine.send(content).status, MailResult::Status::Sent);

    const QJsonObject sent = inspectMail(sendmail.input());
    QVERIFY(!sent.isEmpty());
    QCOMPARE(sent["body"].toString(), received);
    QCOMPARE(sent["attachments"].toArray().size(), attachments);
}

void TestMailTransport::deliveredThroughSendmail_data() {
    QTest::addColumn<QString>("recipients");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("body");
    QTest::addColumn<bool>("attach");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("to");
    QTest::addColumn<QString>("received");

    QTest::newRow("additions to the secretary")
        << "secretaris@example.nl" << additionsSubject << additionsBody << true
        << QStringList{"-i", "--", "secretaris@example.nl"}
        << QStringList{" <secretaris@example.nl>"} << additionsBody + "\n";
    QTest::newRow("reminder to two addresses")
        << "jan@example.nl;marie@example.org"
        << "Report" << reminderBody << false
        << QStringList{"-i", "--", "jan@example.nl", "marie@example.org"}
        << QStringList{" <jan@example.nl>", " <marie@example.org>"} << reminderBody + "\n";
    QTest::newRow("blanks around the entries")
        << " jan@example.nl ; marie@example.org;"
        << "Report" << reminderBody << false
        << QStringList{"-i", "--", "jan@example.nl", "marie@example.org"}
        << QStringList{" <jan@example.nl>", " <marie@example.org>"} << reminderBody + "\n";
    QTest::newRow("address that looks like an option")
        << "-oQ/tmp@example.nl;-t@example.nl"
        << "Report" << reminderBody << false
        << QStringList{"-i", "--", "-oQ/tmp@example.nl", "-t@example.nl"}
        << QStringList{" <-oQ/tmp@example.nl>", " <-t@example.nl>"} << reminderBody + "\n";
    QTest::newRow("non-ASCII subject and body")
        << "secretaris@example.nl" << QString::fromUtf8("Verzamellijst - Maart – groep ë")
        << QString::fromUtf8("Zoë, Jörg\nÅ") << true
        << QStringList{"-i", "--", "secretaris@example.nl"}
        << QStringList{" <secretaris@example.nl>"} << QString::fromUtf8("Zoë, Jörg\nÅ\n");
}

void TestMailTransport::deliveredThroughSendmail() {
    QFETCH(QString, recipients);
    QFETCH(QString, subject);
    QFETCH(QString, body);
    QFETCH(bool, attach);
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, to);
    QFETCH(QString, received);
    ScriptedInteraction ui;
    StandInProgram sendmail(QStringLiteral("sendmail"));
    ScopedEnv path("PATH", pathWith(sendmail.folder()));
    ScopedEnv sender("EMAIL", QStringLiteral("opziener@example.nl"));

    QVERIFY(sendOnMachine(recipients, subject, body, attach ? additionsPath : QString()));
    QCOMPARE(ui.takeMessageTexts(), QStringList());

    QCOMPARE(sendmail.arguments(), arguments);
    const QByteArray input = sendmail.input();
    QVERIFY2(!input.contains('\r'), "sendmail takes the message with local line ends");
    const QJsonObject sent = inspectMail(input);
    QVERIFY(!sent.isEmpty());
    QCOMPARE(sent["defects"].toArray(), QJsonArray());
    QCOMPARE(jsonAddresses(sent["from"]), QStringList{"Drav <opziener@example.nl>"});
    QCOMPARE(jsonAddresses(sent["to"]), to);
    QCOMPARE(sent["subject"].toString(), subject);
    QCOMPARE(sent["date"].toString(), QStringLiteral("Tue, 05 Mar 2024 09:07:03 +0100"));
    QVERIFY(sent["messageId"].toString().endsWith(u"@example.nl>"));
    QCOMPARE(sent["mimeVersion"].toString(), QStringLiteral("1.0"));
    QCOMPARE(sent["body"].toString(), received);
    const QJsonArray attachments = sent["attachments"].toArray();
    QCOMPARE(attachments.size(), attach ? 1 : 0);
    if (attach) {
        QCOMPARE(attachments[0]["fileName"].toString(), QStringLiteral("Groep.k19"));
        QCOMPARE(attachments[0]["hex"].toString(), QString::fromLatin1(additionsData.toHex()));
    }
}

void TestMailTransport::failingSendmail_data() {
    QTest::addColumn<QString>("script");

    QTest::newRow("EX_TEMPFAIL") << "cat > /dev/null; exit 75";
    QTest::newRow("EX_NOPERM, as on a refused login") << "cat > /dev/null; exit 77";
    QTest::newRow("general failure without reading") << "exit 1";
    QTest::newRow("killed") << "kill -9 $$";
}

void TestMailTransport::failingSendmail() {
    QFETCH(QString, script);
    ScriptedInteraction ui;
    QTemporaryDir folder;
    QFile program(folder.filePath(QStringLiteral("sendmail")));
    QVERIFY(program.open(QIODevice::WriteOnly));
    program.write(("#!/bin/sh\n" + script + "\n").toUtf8());
    program.close();
    program.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    ScopedEnv path("PATH", pathWith(folder.path()));

    QVERIFY(!sendOnMachine(QStringLiteral("secretaris@example.nl"), additionsSubject, additionsBody,
                           additionsPath));
    QCOMPARE(ui.takeMessageTexts(), QStringList{sendFailed});
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestMailTransport::refusedAddresses_data() {
    QTest::addColumn<QString>("recipients");
    QTest::addColumn<QString>("named");

    QTest::newRow("header injection with CR LF") << "jan@example.nl\r\nBcc: evil@example.com"
                                                 << "jan@example.nl  Bcc: evil@example.com";
    QTest::newRow("header injection with LF")
        << "ok@example.nl;jan@example.nl\nBcc: evil@example.com"
        << "jan@example.nl Bcc: evil@example.com";
    QTest::newRow("blank inside") << "jan de vries@example.nl"
                                  << "jan de vries@example.nl";
    QTest::newRow("quotes") << "\"jan\"@example.nl"
                            << "\"jan\"@example.nl";
    QTest::newRow("angle brackets") << "Jan <jan@example.nl>"
                                    << "Jan <jan@example.nl>";
    QTest::newRow("comma list") << "jan@example.nl, evil@example.com"
                                << "jan@example.nl, evil@example.com";
    QTest::newRow("no address at all") << "Jan de Vries"
                                       << "Jan de Vries";
    QTest::newRow("an entry of blanks, then a bad one") << "ok@example.nl; ;Jan de Vries"
                                                        << "Jan de Vries";
    QTest::newRow("an entry of blanks only") << "ok@example.nl; " << QString();
    QTest::newRow("only separators") << ";" << QString();
}

void TestMailTransport::refusedAddresses() {
    QFETCH(QString, recipients);
    QFETCH(QString, named);
    ScriptedInteraction ui;
    StandInProgram sendmail(QStringLiteral("sendmail"));
    ScopedEnv path("PATH", pathWith(sendmail.folder()));

    QVERIFY(!sendOnMachine(recipients, QStringLiteral("Report"), reminderBody));
    QVERIFY2(!sendmail.ran(), "nothing may go out when one address is refused");
    const QString expected = named.isNull() ? sendFailed : sendFailed + "\n\n" + named;
    QCOMPARE(ui.takeMessageTexts(), QStringList{expected});
}

void TestMailTransport::attachmentThatCannotBeRead_data() {
    QTest::addColumn<QString>("path");
    QTest::newRow("missing") << "/nonexistent/Groep.k19";
    QTest::newRow("a folder") << "/tmp";
    QTest::newRow("unreadable") << "/proc/self/mem";
}

void TestMailTransport::attachmentThatCannotBeRead() {
    QFETCH(QString, path);
    ScriptedInteraction ui;
    StandInProgram sendmail(QStringLiteral("sendmail"));
    ScopedEnv search("PATH", pathWith(sendmail.folder()));

    QVERIFY(!sendOnMachine(QStringLiteral("secretaris@example.nl"), additionsSubject, additionsBody,
                           path));
    QVERIFY(!sendmail.ran());
    QCOMPARE(ui.takeMessageTexts(), QStringList{sendFailed});
}

void TestMailTransport::noMailSystem() {
    ScriptedInteraction ui;
    QTemporaryDir empty;
    ScopedEnv chosen("DRAVO_SENDMAIL", QString());
    SystemMailTransport machine({}, &fixedTime);
    const MailContent reminder = composed(QStringLiteral("jan@example.nl"), "Report", reminderBody);
    {
        ScopedEnv path("PATH", empty.path());
        QCOMPARE(machine.send(reminder).status, MailResult::Status::NoMailSystem);
        QVERIFY(!sendMail(machine, reminder));
    }
    QCOMPARE(ui.takeMessageTexts(), QStringList{loadFailed});
    // Each new message looks again, and finds a mail system installed meanwhile.
    StandInProgram sendmail(QStringLiteral("sendmail"));
    ScopedEnv found("PATH", pathWith(sendmail.folder()));
    QVERIFY(sendMail(machine, reminder));
    QVERIFY(sendmail.ran());
    QCOMPARE(ui.takeMessageTexts(), QStringList());
}

void TestMailTransport::brokenMailSystem_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("not executable on PATH") << "file";
    QTest::newRow("a folder on PATH") << "folder";
    QTest::newRow("dangling link in a fixed place") << "link";
    QTest::newRow("DRAVO_SENDMAIL not executable") << "chosen";
}

void TestMailTransport::brokenMailSystem() {
    QFETCH(QString, kind);
    ScriptedInteraction ui;
    QTemporaryDir folder;
    const QString sendmail = folder.filePath(QStringLiteral("sendmail"));
    QStringList fixedPlaces;
    if (kind == u"folder") {
        QVERIFY(QDir().mkdir(sendmail));
    } else if (kind == u"link") {
        QVERIFY(QFile::link(folder.filePath(QStringLiteral("gone")), sendmail));
        fixedPlaces = {folder.filePath(QStringLiteral("nothing")), sendmail};
    } else {
        QFile file(sendmail);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\nexit 0\n");
    }
    // xdg-email is there only for a program named outright, which must not give way to it.
    StandInProgram client(QStringLiteral("xdg-email"), 0, false);
    QTemporaryDir empty;
    ScopedEnv path("PATH", kind == u"file" || kind == u"folder" ? folder.path()
                           : kind == u"chosen"                  ? client.folder()
                                                                : empty.path());
    ScopedEnv chosen("DRAVO_SENDMAIL", kind == u"chosen" ? sendmail : QString());

    SystemMailTransport machine(fixedPlaces, &fixedTime);
    const MailContent reminder = composed(QStringLiteral("jan@example.nl"), "Report", reminderBody);
    QCOMPARE(machine.send(reminder).status, MailResult::Status::Unusable);
    QVERIFY(!sendMail(machine, reminder));
    QCOMPARE(ui.takeMessageTexts(), QStringList{dllInvalid});
    QVERIFY(!client.ran());
}

void TestMailTransport::whereSendmailIsFound() {
    ScriptedInteraction ui;
    StandInProgram first(QStringLiteral("sendmail"));
    StandInProgram second(QStringLiteral("sendmail"));
    StandInProgram chosen(QStringLiteral("mta"));
    QTemporaryDir empty;

    // PATH in its order, before the fixed places.
    {
        ScopedEnv path("PATH", first.folder() + ":" + second.folder() + ":/usr/bin:/bin");
        QVERIFY(sendOnMachine(QStringLiteral("a@example.nl"), QStringLiteral("1"), QString(),
                              QString(), {second.path()}));
    }
    QVERIFY(first.ran());
    QVERIFY(!second.ran());
    // The fixed places when PATH has none; a place that holds nothing is passed over.
    {
        ScopedEnv path("PATH", empty.path());
        QVERIFY(sendOnMachine(QStringLiteral("a@example.nl"), QStringLiteral("2"), QString(),
                              QString(),
                              {empty.filePath(QStringLiteral("sendmail")), second.path()}));
    }
    QVERIFY(second.ran());
    // DRAVO_SENDMAIL names the program outright, by path or by name on PATH.
    {
        ScopedEnv path("PATH", pathWith(first.folder()));
        ScopedEnv program("DRAVO_SENDMAIL", chosen.path());
        QVERIFY(sendOnMachine(QStringLiteral("a@example.nl"), QStringLiteral("3"), QString()));
    }
    QCOMPARE(inspectMail(chosen.input())["subject"].toString(), QStringLiteral("3"));
    {
        ScopedEnv path("PATH", pathWith(chosen.folder()));
        ScopedEnv program("DRAVO_SENDMAIL", QStringLiteral("mta"));
        QVERIFY(sendOnMachine(QStringLiteral("a@example.nl"), QStringLiteral("4"), QString()));
    }
    QCOMPARE(inspectMail(chosen.input())["subject"].toString(), QStringLiteral("4"));
    QCOMPARE(inspectMail(first.input())["subject"].toString(), QStringLiteral("1"));
    QCOMPARE(ui.takeMessageTexts(), QStringList());
}

void TestMailTransport::desktopMailClient_data() {
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<bool>("handed");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("handed to the client") << 0 << true << QStringList();
    QTest::newRow("no mail client configured") << 3 << false << QStringList{sendFailed};
}

void TestMailTransport::desktopMailClient() {
    QFETCH(int, exitCode);
    QFETCH(bool, handed);
    QFETCH(QStringList, shown);
    ScriptedInteraction ui;
    StandInProgram client(QStringLiteral("xdg-email"), exitCode, false);
    ScopedEnv path("PATH", pathWith(client.folder()));

    QCOMPARE(sendOnMachine(QStringLiteral("secretaris@example.nl; -tweede+x@example.org"),
                           additionsSubject + "\nBcc: x@example.com", additionsBody, additionsPath),
             handed);
    QCOMPARE(client.arguments(),
             (QStringList{"--utf8", "--subject", additionsSubject + " Bcc: x@example.com", "--body",
                          additionsBody, "--attach", additionsPath,
                          "mailto:secretaris@example.nl,-tweede%2Bx@example.org"}));
    QCOMPARE(ui.takeMessageTexts(), shown);
}

void TestMailTransport::realSendmailClientToSmtp() {
    const QString msmtp = QStandardPaths::findExecutable(QStringLiteral("msmtp"));
    if (msmtp.isEmpty())
        QSKIP("msmtp is not installed");
    ScriptedInteraction ui;
    QTemporaryDir home;
    QTemporaryDir inbox;

    QProcess listener;
    listener.start(pythonProgram(),
                   {QDir(mailTestFolder()).filePath(QStringLiteral("smtp_sink.py")), inbox.path()});
    QVERIFY(listener.waitForReadyRead(20000));
    const int port = listener.readLine().trimmed().toInt();
    QVERIFY(port > 0);

    // msmtp installed as sendmail, the way msmtp-mta does it, with its own configuration.
    QFile config(home.filePath(QStringLiteral(".msmtprc")));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write(QStringLiteral("defaults\nauth off\ntls off\nsyslog off\n"
                                "account loopback\nhost 127.0.0.1\nport %1\n"
                                "from opziener@example.nl\n"
                                "account default : loopback\n")
                     .arg(port)
                     .toUtf8());
    config.close();
    config.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    QVERIFY(QFile::link(msmtp, home.filePath(QStringLiteral("sendmail"))));
    ScopedEnv homeEnv("HOME", home.path());
    ScopedEnv configHome("XDG_CONFIG_HOME", home.path());
    ScopedEnv path("PATH", pathWith(home.path()));
    ScopedEnv sender("EMAIL", QStringLiteral("opziener@example.nl"));

    QVERIFY(sendOnMachine(QStringLiteral("secretaris@example.nl;tweede@example.org"),
                          additionsSubject, additionsBody, additionsPath));
    QCOMPARE(ui.takeMessageTexts(), QStringList());
    QVERIFY(listener.waitForFinished(30000));

    QFile envelopeFile(inbox.filePath(QStringLiteral("envelope.json")));
    QVERIFY(envelopeFile.open(QIODevice::ReadOnly));
    const QJsonObject envelope = QJsonDocument::fromJson(envelopeFile.readAll()).object();
    QCOMPARE(envelope["from"].toString(), QStringLiteral("<opziener@example.nl>"));
    QCOMPARE(jsonStrings(envelope["to"]),
             (QStringList{"<secretaris@example.nl>", "<tweede@example.org>"}));

    QFile delivered(inbox.filePath(QStringLiteral("message.eml")));
    QVERIFY(delivered.open(QIODevice::ReadOnly));
    const QJsonObject sent = inspectMail(delivered.readAll());
    QVERIFY(!sent.isEmpty());
    QCOMPARE(sent["defects"].toArray(), QJsonArray());
    QCOMPARE(jsonAddresses(sent["from"]), QStringList{"Drav <opziener@example.nl>"});
    QCOMPARE(jsonAddresses(sent["to"]),
             (QStringList{" <secretaris@example.nl>", " <tweede@example.org>"}));
    QCOMPARE(sent["subject"].toString(), additionsSubject);
    QCOMPARE(sent["body"].toString(), additionsBody + "\n");
    const QJsonArray attachments = sent["attachments"].toArray();
    QCOMPARE(attachments.size(), 1);
    QCOMPARE(attachments[0]["fileName"].toString(), QStringLiteral("Groep.k19"));
    QCOMPARE(attachments[0]["hex"].toString(), QString::fromLatin1(additionsData.toHex()));
}

QTEST_MAIN(TestMailTransport)
#include "test_mail_transport.moc"
