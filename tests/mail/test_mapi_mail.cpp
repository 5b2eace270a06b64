// CMapiMail on the mail routes of the machine: a stand-in sendmail that keeps
// what it is given, a stand-in xdg-email, no mail system, a broken one, and the
// real msmtp talking SMTP to a listener on loopback.

#include "mail/mail_test_support.h"
#include "mail/mapi_mail.h"
#include "platform/mime_message.h"
#include "support/scripted_interaction.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTimeZone>
#include <QVBoxLayout>
#include <QtTest>

#include <cstdlib>

using namespace platform;

namespace {

const QString loadFailed = QStringLiteral("Unable to load mail system support.");
const QString dllInvalid = QStringLiteral("Mail system DLL is invalid.");
const QString sendFailed = QStringLiteral("Send Mail failed to send message.");
const QString additionsSubject = QStringLiteral("Verzamellijst - Maart - Groep 3");
const QString additionsBody = QStringLiteral("Maart .k19 bestand voor Groep 3");
const QString reminderBody =
    QStringLiteral("Dien alstublieft uw rapport in voor Maart. \nDank je.");

int growthsLeft = 0;
void* limitedRealloc(void* block, std::size_t size) {
    if (growthsLeft-- <= 0)
        return nullptr;
    return std::realloc(block, size);
}

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

// One message sent the way the program's two callers send: originator "Drav",
// recipients, subject, body, the attachment when a path is given.
int sendMail(const QString& recipients, const QString& subject, const QString& body,
             const QString& attachment = QString()) {
    CMapiMail mail;
    if (mail.takeError() != CMapiMail::mailOk)
        return -1;
    mail.originatorName = QStringLiteral("Drav");
    mail.addRecipients(recipients);
    mail.setSubject(subject);
    mail.body = body;
    if (!attachment.isNull())
        mail.addAttachment(attachment, nullptr);
    return mail.send(0);
}

} // namespace

class TestMapiMail : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void recipientSplitting_data();
    void recipientSplitting();
    void messageAsHandedToTheMailSystem();
    void bodyAndPositions_data();
    void bodyAndPositions();
    void deliveredThroughSendmail_data();
    void deliveredThroughSendmail();
    void resultsOfTheMailSystem_data();
    void resultsOfTheMailSystem();
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
    void arraysThatCannotGrow();
    void ownerWindowBlockedWhileSending();
    void realSendmailClientToSmtp();

private:
    QTemporaryDir files;
    QString additionsPath;
    QByteArray additionsData;
    QStringList originalFallbacks;
};

void TestMapiMail::initTestCase() {
    QVERIFY2(!pythonProgram().isEmpty(), "python3 is needed to check the messages");
    originalFallbacks = sendmailFallbackPaths();
    additionsPath = files.filePath(QStringLiteral("Groep.k19"));
    for (int i = 0; i < 200000; ++i)
        additionsData += char(QRandomGenerator::global()->bounded(256));
    QFile file(additionsPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(additionsData);
}

void TestMapiMail::init() {
    // A machine's own sendmail must not answer for a stand-in.
    setSendmailFallbackPaths({});
    setMailClock([] { return QDateTime(QDate(2024, 3, 5), QTime(9, 7, 3), QTimeZone(3600)); });
}

void TestMapiMail::cleanup() {
    setMailDeliverySubstitute({});
    setMailClock({});
    CMapiMail::setReallocator(nullptr);
}

void TestMapiMail::cleanupTestCase() {
    setSendmailFallbackPaths(originalFallbacks);
}

void TestMapiMail::recipientSplitting_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("two entries") << "a;b" << QStringList{"a", "b"};
    QTest::newRow("extra separators") << ";;a;;;b;" << QStringList{"a", "b"};
    QTest::newRow("blank after the separator") << "a; b" << QStringList{"a", " b"};
    QTest::newRow("empty list") << "" << QStringList();
    QTest::newRow("separators only") << ";;;" << QStringList();
    QTest::newRow("one address") << "secretaris@example.nl" << QStringList{"secretaris@example.nl"};
}

void TestMapiMail::recipientSplitting() {
    QFETCH(QString, list);
    QFETCH(QStringList, names);
    ScriptedInteraction ui;
    setMailDeliverySubstitute([](const MapiMessage&, FLAGS) { return SUCCESS_SUCCESS; });

    CMapiMail mail;
    QCOMPARE(mail.takeError(), 0);
    QCOMPARE(mail.addRecipients(list), 1);
    const MapiMessage& message = mail.mapiMessage();
    QCOMPARE(message.nRecipCount, ULONG(names.size()));
    for (qsizetype i = 0; i < names.size(); ++i) {
        const MapiRecipDesc& recipient = message.lpRecips[i];
        QCOMPARE(recipient.ulRecipClass, ULONG(MAPI_TO));
        QCOMPARE(QString::fromUtf8(recipient.lpszName), names[i]);
        QCOMPARE(QString::fromUtf8(recipient.lpszAddress), "SMTP:" + names[i]);
        QCOMPARE(recipient.ulEIDSize, 0ul);
        QVERIFY(!recipient.lpEntryID);
    }
    QCOMPARE(mail.takeError(), 0);
}

void TestMapiMail::messageAsHandedToTheMailSystem() {
    ScriptedInteraction ui;
    struct Seen {
        QString originatorName, subject, note, path, fileName, shownName;
        bool originatorHasAddress = true, otherFieldsZero = false, secondFileNameNull = false;
        ULONG originatorClass = 99, recipients = 0, files = 0;
        FLAGS flags = 99;
    } seen;
    setMailDeliverySubstitute([&seen](const MapiMessage& m, FLAGS flags) {
        seen.flags = flags;
        seen.originatorClass = m.lpOriginator->ulRecipClass;
        seen.originatorName = QString::fromUtf8(m.lpOriginator->lpszName);
        seen.originatorHasAddress = m.lpOriginator->lpszAddress != nullptr;
        seen.subject = QString::fromUtf8(m.lpszSubject);
        seen.note = QString::fromUtf8(m.lpszNoteText);
        seen.recipients = m.nRecipCount;
        seen.files = m.nFileCount;
        seen.path = QString::fromUtf8(m.lpFiles[0].lpszPathName);
        seen.shownName = QString::fromUtf8(m.lpFiles[0].lpszFileName);
        seen.secondFileNameNull = m.lpFiles[1].lpszFileName == nullptr;
        seen.otherFieldsZero = m.flFlags == 0 && !m.lpszMessageType && !m.lpszDateReceived &&
                               !m.lpszConversationID && m.lpFiles[0].flFlags == 0 &&
                               !m.lpFiles[0].lpFileType;
        return SUCCESS_SUCCESS;
    });

    CMapiMail mail;
    mail.originatorName = QStringLiteral("Drav");
    mail.addRecipients(QStringLiteral("a@example.nl;b@example.nl"));
    mail.setSubject(QStringLiteral("first"));
    mail.setSubject(additionsSubject);
    mail.body = additionsBody;
    QCOMPARE(mail.addAttachment(additionsPath, QStringLiteral("Shown.k19")), 1);
    QCOMPARE(mail.addAttachment(additionsPath, nullptr), 1);
    QCOMPARE(mail.send(0), 1);

    QCOMPARE(seen.flags, FLAGS(MAPI_LOGON_UI));
    QCOMPARE(seen.originatorClass, ULONG(MAPI_ORIG));
    QCOMPARE(seen.originatorName, QStringLiteral("Drav"));
    QVERIFY(!seen.originatorHasAddress);
    QCOMPARE(seen.subject, additionsSubject);
    QCOMPARE(seen.note, additionsBody + "  ");
    QCOMPARE(seen.recipients, 2ul);
    QCOMPARE(seen.files, 2ul);
    QCOMPARE(seen.path, additionsPath);
    QCOMPARE(seen.shownName, QStringLiteral("Shown.k19"));
    QVERIFY(seen.secondFileNameNull);
    QVERIFY(seen.otherFieldsZero);
    // send gives back the texts it no longer needs.
    QVERIFY(!mail.mapiMessage().lpRecips[0].lpszName);
    QVERIFY(!mail.mapiMessage().lpRecips[1].lpszAddress);
    QVERIFY(!mail.mapiMessage().lpFiles[0].lpszPathName);
    QVERIFY(!mail.mapiMessage().lpFiles[0].lpszFileName);
    QCOMPARE(ui.takeMessageTexts(), QStringList());
}

void TestMapiMail::bodyAndPositions_data() {
    QTest::addColumn<QString>("body");
    QTest::addColumn<int>("attachments");
    QTest::addColumn<QString>("bodyAfter");
    QTest::addColumn<QList<ULONG>>("positions");
    QTest::addColumn<QString>("received");

    QTest::newRow("ten characters, one attachment")
        << "0123456789" << 1 << "0123456789 " << QList<ULONG>{10} << "0123456789\n";
    QTest::newRow("two attachments")
        << "0123456789" << 2 << "0123456789  " << QList<ULONG>{10, 11} << "0123456789\n";
    QTest::newRow("no attachment")
        << "0123456789" << 0 << "0123456789" << QList<ULONG>{} << "0123456789\n";
    QTest::newRow("empty body") << "" << 1 << " " << QList<ULONG>{0} << "\n";
    // Positions count bytes of the UTF-8 text, the form handed over.
    QTest::newRow("non-ASCII body")
        << QString::fromUtf8("Maart ë") << 1 << QString::fromUtf8("Maart ë ") << QList<ULONG>{8}
        << QString::fromUtf8("Maart ë\n");
    QTest::newRow("blank of its own kept")
        << "tekst " << 1 << "tekst  " << QList<ULONG>{6} << "tekst \n";
}

void TestMapiMail::bodyAndPositions() {
    QFETCH(QString, body);
    QFETCH(int, attachments);
    QFETCH(QString, bodyAfter);
    QFETCH(QList<ULONG>, positions);
    QFETCH(QString, received);
    ScriptedInteraction ui;
    StandInProgram sendmail(QStringLiteral("sendmail"));
    ScopedEnv path("PATH", pathWith(sendmail.folder()));

    CMapiMail mail;
    mail.originatorName = QStringLiteral("Drav");
    mail.addRecipients(QStringLiteral("secretaris@example.nl"));
    mail.setSubject(additionsSubject);
    mail.body = body;
    for (int i = 0; i < attachments; ++i)
        mail.addAttachment(additionsPath, nullptr);
    QCOMPARE(mail.send(0), 1);

    QCOMPARE(mail.body, bodyAfter);
    QCOMPARE(mail.mapiMessage().nFileCount, ULONG(attachments));
    for (int i = 0; i < attachments; ++i)
        QCOMPARE(mail.mapiMessage().lpFiles[i].nPosition, positions[i]);
    // The receiver gets the text without the places the attachments took.
    const QJsonObject sent = inspectMail(sendmail.input());
    QVERIFY(!sent.isEmpty());
    QCOMPARE(sent["body"].toString(), received);
    QCOMPARE(sent["attachments"].toArray().size(), attachments);
}

void TestMapiMail::deliveredThroughSendmail_data() {
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

void TestMapiMail::deliveredThroughSendmail() {
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

    QCOMPARE(sendMail(recipients, subject, body, attach ? additionsPath : QString()), 1);
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

void TestMapiMail::resultsOfTheMailSystem_data() {
    QTest::addColumn<ULONG>("result");
    QTest::addColumn<int>("returned");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("success") << ULONG(SUCCESS_SUCCESS) << 1 << QStringList();
    QTest::newRow("user abort") << ULONG(MAPI_USER_ABORT) << 1 << QStringList();
    QTest::newRow("login failure") << ULONG(MAPI_E_LOGIN_FAILURE) << 1 << QStringList();
    QTest::newRow("failure") << ULONG(MAPI_E_FAILURE) << 0 << QStringList{sendFailed};
    QTest::newRow("attachment not found")
        << ULONG(MAPI_E_ATTACHMENT_NOT_FOUND) << 0 << QStringList{sendFailed};
    QTest::newRow("out of memory")
        << ULONG(MAPI_E_INSUFFICIENT_MEMORY) << 0 << QStringList{sendFailed};
}

void TestMapiMail::resultsOfTheMailSystem() {
    QFETCH(ULONG, result);
    QFETCH(int, returned);
    QFETCH(QStringList, shown);
    ScriptedInteraction ui;
    setMailDeliverySubstitute([result](const MapiMessage&, FLAGS) { return result; });

    QCOMPARE(sendMail(QStringLiteral("jan@example.nl"), QStringLiteral("Report"), reminderBody),
             returned);
    QCOMPARE(ui.takeMessageTexts(), shown);
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestMapiMail::failingSendmail_data() {
    QTest::addColumn<QString>("script");

    QTest::newRow("EX_TEMPFAIL") << "cat > /dev/null; exit 75";
    QTest::newRow("EX_NOPERM, as on a refused login") << "cat > /dev/null; exit 77";
    QTest::newRow("general failure without reading") << "exit 1";
    QTest::newRow("killed") << "kill -9 $$";
}

void TestMapiMail::failingSendmail() {
    QFETCH(QString, script);
    ScriptedInteraction ui;
    QTemporaryDir folder;
    QFile program(folder.filePath(QStringLiteral("sendmail")));
    QVERIFY(program.open(QIODevice::WriteOnly));
    program.write(("#!/bin/sh\n" + script + "\n").toUtf8());
    program.close();
    program.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    ScopedEnv path("PATH", pathWith(folder.path()));

    QCOMPARE(sendMail(QStringLiteral("secretaris@example.nl"), additionsSubject, additionsBody,
                      additionsPath),
             0);
    QCOMPARE(ui.takeMessageTexts(), QStringList{sendFailed});
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestMapiMail::refusedAddresses_data() {
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
    QTest::newRow("only separators") << ";" << QString();
}

void TestMapiMail::refusedAddresses() {
    QFETCH(QString, recipients);
    QFETCH(QString, named);
    ScriptedInteraction ui;
    StandInProgram sendmail(QStringLiteral("sendmail"));
    ScopedEnv path("PATH", pathWith(sendmail.folder()));

    QCOMPARE(sendMail(recipients, QStringLiteral("Report"), reminderBody), 0);
    QVERIFY2(!sendmail.ran(), "nothing may go out when one address is refused");
    const QString expected = named.isNull() ? sendFailed : sendFailed + "\n\n" + named;
    QCOMPARE(ui.takeMessageTexts(), QStringList{expected});
}

void TestMapiMail::attachmentThatCannotBeRead_data() {
    QTest::addColumn<QString>("path");
    QTest::newRow("missing") << "/nonexistent/Groep.k19";
    QTest::newRow("a folder") << "/tmp";
    QTest::newRow("unreadable") << "/proc/self/mem";
}

void TestMapiMail::attachmentThatCannotBeRead() {
    QFETCH(QString, path);
    ScriptedInteraction ui;
    StandInProgram sendmail(QStringLiteral("sendmail"));
    ScopedEnv search("PATH", pathWith(sendmail.folder()));

    QCOMPARE(
        sendMail(QStringLiteral("secretaris@example.nl"), additionsSubject, additionsBody, path),
        0);
    QVERIFY(!sendmail.ran());
    QCOMPARE(ui.takeMessageTexts(), QStringList{sendFailed});
}

void TestMapiMail::noMailSystem() {
    ScriptedInteraction ui;
    QTemporaryDir empty;
    ScopedEnv path("PATH", empty.path());
    ScopedEnv chosen("DRAVO_SENDMAIL", QString());
    {
        CMapiMail mail;
        QCOMPARE(mail.takeError(), int(CMapiMail::mailNotLoaded));
        QCOMPARE(mail.takeError(), 0);
    }
    QCOMPARE(ui.takeMessageTexts(), QStringList{loadFailed});
    // Each new message tries again, and finds a mail system installed meanwhile.
    StandInProgram sendmail(QStringLiteral("sendmail"));
    ScopedEnv found("PATH", pathWith(sendmail.folder()));
    QCOMPARE(sendMail(QStringLiteral("jan@example.nl"), QStringLiteral("Report"), reminderBody), 1);
    QVERIFY(sendmail.ran());
    QCOMPARE(ui.takeMessageTexts(), QStringList());
}

void TestMapiMail::brokenMailSystem_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("not executable on PATH") << "file";
    QTest::newRow("a folder on PATH") << "folder";
    QTest::newRow("dangling link in a fixed place") << "link";
    QTest::newRow("DRAVO_SENDMAIL not executable") << "chosen";
}

void TestMapiMail::brokenMailSystem() {
    QFETCH(QString, kind);
    ScriptedInteraction ui;
    QTemporaryDir folder;
    const QString sendmail = folder.filePath(QStringLiteral("sendmail"));
    if (kind == u"folder") {
        QVERIFY(QDir().mkdir(sendmail));
    } else if (kind == u"link") {
        QVERIFY(QFile::link(folder.filePath(QStringLiteral("gone")), sendmail));
        setSendmailFallbackPaths({folder.filePath(QStringLiteral("nothing")), sendmail});
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

    {
        CMapiMail mail;
        QCOMPARE(mail.takeError(), int(CMapiMail::mailInvalid));
        QCOMPARE(mail.takeError(), 0);
    }
    QCOMPARE(ui.takeMessageTexts(), QStringList{dllInvalid});
    QVERIFY(!client.ran());
}

void TestMapiMail::whereSendmailIsFound() {
    ScriptedInteraction ui;
    StandInProgram first(QStringLiteral("sendmail"));
    StandInProgram second(QStringLiteral("sendmail"));
    StandInProgram chosen(QStringLiteral("mta"));
    QTemporaryDir empty;

    // PATH in its order, before the fixed places.
    setSendmailFallbackPaths({second.path()});
    {
        ScopedEnv path("PATH", first.folder() + ":" + second.folder() + ":/usr/bin:/bin");
        QCOMPARE(sendMail(QStringLiteral("a@example.nl"), QStringLiteral("1"), QString()), 1);
    }
    QVERIFY(first.ran());
    QVERIFY(!second.ran());
    // The fixed places when PATH has none; a place that holds nothing is passed over.
    setSendmailFallbackPaths({empty.filePath(QStringLiteral("sendmail")), second.path()});
    {
        ScopedEnv path("PATH", empty.path());
        QCOMPARE(sendMail(QStringLiteral("a@example.nl"), QStringLiteral("2"), QString()), 1);
    }
    QVERIFY(second.ran());
    // DRAVO_SENDMAIL names the program outright, by path or by name on PATH.
    {
        ScopedEnv path("PATH", pathWith(first.folder()));
        ScopedEnv program("DRAVO_SENDMAIL", chosen.path());
        QCOMPARE(sendMail(QStringLiteral("a@example.nl"), QStringLiteral("3"), QString()), 1);
    }
    QCOMPARE(inspectMail(chosen.input())["subject"].toString(), QStringLiteral("3"));
    {
        ScopedEnv path("PATH", pathWith(chosen.folder()));
        ScopedEnv program("DRAVO_SENDMAIL", QStringLiteral("mta"));
        QCOMPARE(sendMail(QStringLiteral("a@example.nl"), QStringLiteral("4"), QString()), 1);
    }
    QCOMPARE(inspectMail(chosen.input())["subject"].toString(), QStringLiteral("4"));
    QCOMPARE(inspectMail(first.input())["subject"].toString(), QStringLiteral("1"));
    QCOMPARE(ui.takeMessageTexts(), QStringList());
}

void TestMapiMail::desktopMailClient_data() {
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<int>("returned");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("handed to the client") << 0 << 1 << QStringList();
    QTest::newRow("no mail client configured") << 3 << 0 << QStringList{sendFailed};
}

void TestMapiMail::desktopMailClient() {
    QFETCH(int, exitCode);
    QFETCH(int, returned);
    QFETCH(QStringList, shown);
    ScriptedInteraction ui;
    StandInProgram client(QStringLiteral("xdg-email"), exitCode, false);
    ScopedEnv path("PATH", pathWith(client.folder()));

    QCOMPARE(sendMail(QStringLiteral("secretaris@example.nl; -tweede+x@example.org"),
                      additionsSubject + "\nBcc: x@example.com", additionsBody, additionsPath),
             returned);
    QCOMPARE(client.arguments(),
             (QStringList{"--utf8", "--subject", additionsSubject + " Bcc: x@example.com", "--body",
                          additionsBody, "--attach", additionsPath,
                          "mailto:secretaris@example.nl,-tweede%2Bx@example.org"}));
    QCOMPARE(ui.takeMessageTexts(), shown);
}

void TestMapiMail::arraysThatCannotGrow() {
    ScriptedInteraction ui;
    StandInProgram sendmail(QStringLiteral("sendmail"));
    ScopedEnv path("PATH", pathWith(sendmail.folder()));
    CMapiMail::setReallocator(&limitedRealloc);

    CMapiMail mail;
    mail.originatorName = QStringLiteral("Drav");
    growthsLeft = 1;
    QCOMPARE(mail.addRecipients(QStringLiteral("a@example.nl;b@example.nl;c@example.nl")), 0);
    QCOMPARE(mail.takeError(), int(CMapiMail::mailNoRecipientRoom));
    QCOMPARE(mail.mapiMessage().nRecipCount, 1ul);
    growthsLeft = 0;
    QCOMPARE(mail.addAttachment(additionsPath, nullptr), 0);
    QCOMPARE(mail.takeError(), int(CMapiMail::mailNoAttachmentRoom));
    QCOMPARE(mail.mapiMessage().nFileCount, 0ul);
    QCOMPARE(mail.takeError(), 0);
    mail.setSubject(QStringLiteral("Report"));
    mail.body = reminderBody;
    // What was added still goes out.
    QCOMPARE(mail.send(0), 1);
    QCOMPARE(sendmail.arguments(), (QStringList{"-i", "--", "a@example.nl"}));
    QCOMPARE(inspectMail(sendmail.input())["attachments"].toArray().size(), 0);
    QCOMPARE(ui.takeMessageTexts(), QStringList());
}

void TestMapiMail::ownerWindowBlockedWhileSending() {
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
    setMailDeliverySubstitute([&](const MapiMessage&, FLAGS) {
        enabledDuring = window.isEnabled();
        if (QGuiApplication::overrideCursor())
            cursorDuring = QGuiApplication::overrideCursor()->shape();
        return MAPI_E_FAILURE;
    });
    QCOMPARE(sendMail(QStringLiteral("jan@example.nl"), QStringLiteral("Report"), reminderBody), 0);

    QVERIFY(!enabledDuring);
    QCOMPARE(cursorDuring, Qt::WaitCursor);
    QVERIFY(window.isEnabled());
    QVERIFY(!QGuiApplication::overrideCursor());
    QTRY_COMPARE(QApplication::focusWidget(), second);
    QCOMPARE(ui.takeMessageTexts(), QStringList{sendFailed});
}

void TestMapiMail::realSendmailClientToSmtp() {
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

    QCOMPARE(sendMail(QStringLiteral("secretaris@example.nl;tweede@example.org"), additionsSubject,
                      additionsBody, additionsPath),
             1);
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

QTEST_MAIN(TestMapiMail)
#include "test_mapi_mail.moc"
