// The message on the wire, read back by Python's email package: what a
// receiving mail program sees of the subject, names, body and attachments,
// and that no text can add a header line.

#include "mail/mail_test_support.h"
#include "platform/mime_message.h"

#include <QJsonArray>
#include <QTimeZone>
#include <QtTest>

using namespace platform;

class TestMimeMessage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void receivedAsWritten_data();
    void receivedAsWritten();
    void addresses_data();
    void addresses();
    void dates_data();
    void dates();
};

void TestMimeMessage::initTestCase() {
    QVERIFY2(!pythonProgram().isEmpty(), "python3 is needed to check the messages");
}

static QByteArray allBytes() {
    QByteArray bytes;
    for (int round = 0; round < 3; ++round)
        for (int b = 0; b < 256; ++b)
            bytes += char(b);
    return bytes + "\r\n.\r\nFrom x\n";
}

void TestMimeMessage::receivedAsWritten_data() {
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("fromName");
    QTest::addColumn<QString>("toName");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("expectedBody");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("receivedName");
    QTest::addColumn<QByteArray>("data");

    QTest::newRow("additions") << "Verzamellijst - Maart - Groep 3"
                               << "Drav" << QString() << "Maart .k19 bestand voor Groep 3"
                               << "Maart .k19 bestand voor Groep 3\n"
                               << "Groep.k19"
                               << "Groep.k19" << allBytes();
    QTest::newRow("reminder without attachment")
        << "Report"
        << "Drav" << QString() << "Dien alstublieft uw rapport in voor Maart. \nDank je."
        << "Dien alstublieft uw rapport in voor Maart. \nDank je.\n"
        << QString() << QString() << QByteArray();
    QTest::newRow("non-ASCII texts")
        << QString::fromUtf8("Ré: verzamellijst – Maart ✓ 😀 groep Ōsaka")
        << QString::fromUtf8("Drävö Zoë") << QString::fromUtf8("Secretaris Jörg")
        << QString::fromUtf8("Ëën regel — met é en 😀\r\nTweede\rDerde\n")
        << QString::fromUtf8("Ëën regel — met é en 😀\nTweede\nDerde\n")
        << QString::fromUtf8("Groep ë 😀.k19") << QString::fromUtf8("Groep ë 😀.k19")
        << QByteArray("\0\x01\xff", 3);
    const QString longWords = QStringLiteral("lang ").repeated(40).trimmed();
    const QString longLine = QStringLiteral("x").repeated(300) + QStringLiteral("= \t");
    QTest::newRow("long texts") << longWords << "Drav" << QString()
                                << longLine + "\n.\nFrom me\n..\n" + longWords
                                << longLine + "\n.\nFrom me\n..\n" + longWords + "\n"
                                << QStringLiteral("n").repeated(120) + ".k19"
                                << QStringLiteral("n").repeated(120) + ".k19" << allBytes();
    QTest::newRow("specials in names") << "=?UTF-8?B?ZXZpbA==?= stays as typed"
                                       << "Jan \"de\" Vries, <x@y.nl> (c)"
                                       << "Back\\slash"
                                       << "a"
                                       << "a\n"
                                       << "with \"quote\"; and = and \\.k19"
                                       << "with \"quote\"; and = and _.k19" << QByteArray("1");
    QTest::newRow("line breaks in texts cannot add headers")
        << "Report\r\nBcc: evil@example.com\nX-Evil: 1"
        << "Drav\r\nReply-To: evil@example.com"
        << "Jan\nCc: evil@example.com"
        << "Body\r\n\r\nBcc: not a header"
        << "Body\n\nBcc: not a header\n"
        << "a\r\nContent-Type: text/html.k19"
        << "a  Content-Type: text_html.k19" << QByteArray("x");
}

void TestMimeMessage::receivedAsWritten() {
    QFETCH(QString, subject);
    QFETCH(QString, fromName);
    QFETCH(QString, toName);
    QFETCH(QString, body);
    QFETCH(QString, expectedBody);
    QFETCH(QString, fileName);
    QFETCH(QString, receivedName);
    QFETCH(QByteArray, data);

    MimeContent content;
    content.from = {fromName, QStringLiteral("drav@example.nl")};
    content.to = {
        {QStringLiteral("secretaris@example.nl"), QStringLiteral("secretaris@example.nl")},
        {toName, QStringLiteral("tweede@example.org")}};
    content.subject = subject;
    content.body = body;
    if (!fileName.isNull())
        content.attachments = {{fileName, data}};
    content.date = QDateTime(QDate(2024, 3, 5), QTime(9, 7, 3), QTimeZone(3600));

    const auto message = buildMimeMessage(content);
    QVERIFY(message);
    const QJsonObject mail = inspectMail(*message);
    QVERIFY(!mail.isEmpty());

    QCOMPARE(mail["defects"].toArray(), QJsonArray());
    QVERIFY(!mail["mixedLineEnds"].toBool());
    QVERIFY2(mail["longestLine"].toInt() <= 78, qPrintable(QString::fromLatin1(*message)));
    QStringList headers;
    for (const auto& name : mail["headers"].toArray())
        headers << name.toString();
    QStringList expectedHeaders{"From",       "To",           "Subject",     "Date",
                                "Message-ID", "MIME-Version", "Content-Type"};
    if (fileName.isNull())
        expectedHeaders << "Content-Transfer-Encoding";
    QCOMPARE(headers, expectedHeaders);

    const QJsonArray from = mail["from"].toArray();
    QCOMPARE(from.size(), 1);
    QCOMPARE(from[0].toArray()[0].toString(), headerSafeText(fromName).trimmed());
    QCOMPARE(from[0].toArray()[1].toString(), QStringLiteral("drav@example.nl"));
    const QJsonArray to = mail["to"].toArray();
    QCOMPARE(to.size(), 2);
    QCOMPARE(to[0].toArray()[0].toString(), QString());
    QCOMPARE(to[0].toArray()[1].toString(), QStringLiteral("secretaris@example.nl"));
    QCOMPARE(to[1].toArray()[0].toString(), headerSafeText(toName).trimmed());
    QCOMPARE(to[1].toArray()[1].toString(), QStringLiteral("tweede@example.org"));

    QCOMPARE(mail["subject"].toString(), headerSafeText(subject));
    QCOMPARE(mail["date"].toString(), QStringLiteral("Tue, 05 Mar 2024 09:07:03 +0100"));
    QVERIFY(mail["messageId"].toString().startsWith(u'<'));
    QVERIFY(mail["messageId"].toString().endsWith(u"@example.nl>"));
    QCOMPARE(mail["mimeVersion"].toString(), QStringLiteral("1.0"));
    QCOMPARE(mail["body"].toString(), expectedBody);
    QCOMPARE(mail["bodyCharset"].toString(), QStringLiteral("utf-8"));

    const QJsonArray attachments = mail["attachments"].toArray();
    QCOMPARE(attachments.size(), fileName.isNull() ? 0 : 1);
    if (!fileName.isNull()) {
        QCOMPARE(mail["contentType"].toString(), QStringLiteral("multipart/mixed"));
        QCOMPARE(attachments[0]["fileName"].toString(), receivedName);
        QCOMPARE(attachments[0]["hex"].toString(), QString::fromLatin1(data.toHex()));
    }
}

void TestMimeMessage::addresses_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("normalized"); // null: refused

    QTest::newRow("plain") << "secretaris@example.nl"
                           << "secretaris@example.nl";
    QTest::newRow("dots, dash and plus") << "jan.de-vries+groep3@mail.example.org"
                                         << "jan.de-vries+groep3@mail.example.org";
    QTest::newRow("leading dash") << "-oQ@example.nl"
                                  << "-oQ@example.nl";
    QTest::newRow("international domain")
        << QString::fromUtf8("jan@café.nl") << "jan@xn--caf-dma.nl";
    const QStringList refused{
        "",
        "secretaris",
        "jan vries@example.nl",
        " jan@example.nl",
        "jan@example.nl\t",
        "\"jan\"@example.nl",
        "<jan@example.nl>",
        "Jan <jan@example.nl>",
        "jan@example.nl>",
        "jan@example.nl\r\nBcc: evil@example.com",
        "jan@example.nl\nBcc: evil@example.com",
        "jan@example.nl,evil@example.com",
        "jan@b@example.nl",
        ".jan@example.nl",
        "jan..vries@example.nl",
        "jan@-example.nl",
        "jan@example_nl",
        "jan@example..nl",
        "jan@",
        "@example.nl",
        "|/bin/sh@example.nl",
        "/tmp/file@example.nl",
        QString::fromUtf8("jörg@example.nl"),
        "jan@[127.0.0.1]",
        "jan(x)@example.nl",
        "jan\\@example.nl",
        QStringLiteral("j").repeated(65) + "@example.nl",
    };
    for (const QString& address : refused)
        QTest::newRow(qPrintable("refused: " + address)) << address << QString();
}

void TestMimeMessage::addresses() {
    QFETCH(QString, address);
    QFETCH(QString, normalized);
    const auto result = normalizedMailAddress(address);
    QCOMPARE(result.has_value(), !normalized.isNull());
    if (result)
        QCOMPARE(*result, normalized);

    // A refused address also stops the whole message.
    MimeContent content;
    content.from.address = QStringLiteral("drav@example.nl");
    content.to = {{QString(), address}};
    QString refusedAddress;
    QCOMPARE(buildMimeMessage(content, &refusedAddress).has_value(), !normalized.isNull());
    QCOMPARE(refusedAddress, normalized.isNull() ? address : QString());
}

void TestMimeMessage::dates_data() {
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("east of Greenwich")
        << QDateTime(QDate(2024, 3, 5), QTime(9, 7, 3), QTimeZone(3600))
        << QByteArray("Tue, 5 Mar 2024 09:07:03 +0100");
    QTest::newRow("west, half hours")
        << QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59), QTimeZone(-(3 * 3600 + 1800)))
        << QByteArray("Fri, 31 Dec 1999 23:59:59 -0330");
    QTest::newRow("UTC") << QDateTime(QDate(2025, 1, 20), QTime(0, 0), QTimeZone::utc())
                         << QByteArray("Mon, 20 Jan 2025 00:00:00 +0000");
}

void TestMimeMessage::dates() {
    QFETCH(QDateTime, when);
    QFETCH(QByteArray, text);
    QCOMPARE(rfc5322Date(when), text);
}

QTEST_MAIN(TestMimeMessage)
#include "test_mime_message.moc"
