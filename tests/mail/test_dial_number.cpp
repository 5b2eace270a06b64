// DialNumber with the desktop's dialer, on a desktop with and without a
// handler for tel: addresses. The handler is found through a stand-in
// xdg-mime; the address goes to an opener the test puts in place of the
// desktop's.

#include "mail/mail_test_support.h"
#include "mainwin/dial_number.h"
#include "support/scripted_interaction.h"

#include <QtTest>

using namespace platform;

namespace {
const QString notAvailable = QStringLiteral("Telephone service not available");
}

class TestDialNumber : public QObject {
    Q_OBJECT

private slots:
    void telAddresses_data();
    void telAddresses();
    void withoutHandler_data();
    void withoutHandler();
    void withHandler_data();
    void withHandler();
};

void TestDialNumber::telAddresses_data() {
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("url"); // empty: nothing to dial

    QTest::newRow("blanks and dash") << "020 - 123 45 67"
                                     << "tel:0201234567";
    QTest::newRow("international with brackets") << "+31 (6) 1234 5678"
                                                 << "tel:+31612345678";
    QTest::newRow("words after the number") << "06-12345678 (werk)"
                                            << "tel:0612345678";
    QTest::newRow("service code") << "*31#0612"
                                  << "tel:*31%230612";
    QTest::newRow("plus inside") << "12+34"
                                 << "tel:1234";
    QTest::newRow("no digits") << "geen"
                               << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestDialNumber::telAddresses() {
    QFETCH(QString, number);
    QFETCH(QString, url);
    const QUrl tel = telUrl(number);
    QCOMPARE(tel.toString(QUrl::FullyEncoded), url);
    if (!url.isEmpty())
        QVERIFY(tel.isValid());
}

void TestDialNumber::withoutHandler_data() {
    QTest::addColumn<QString>("xdgMime"); // null: none installed
    QTest::addColumn<int>("exitCode");
    QTest::newRow("no xdg-mime") << QString() << 0;
    QTest::newRow("no tel: handler named") << "" << 0;
    QTest::newRow("xdg-mime fails") << "dialer.desktop" << 1;
}

void TestDialNumber::withoutHandler() {
    QFETCH(QString, xdgMime);
    QFETCH(int, exitCode);
    ScriptedInteraction ui;
    QTemporaryDir empty;
    std::unique_ptr<StandInProgram> query;
    if (!xdgMime.isNull())
        query =
            std::make_unique<StandInProgram>(QStringLiteral("xdg-mime"), exitCode, false, xdgMime);
    ScopedEnv path("PATH", query ? pathWith(query->folder()) : empty.path());
    int opened = 0;
    DesktopTelDialer desktop([&opened](const QUrl&) { return ++opened, true; });

    QVERIFY(!desktop.available());
    DialNumber(desktop, QStringLiteral("020 1234567"), QStringLiteral("Jan de Vries"));
    DialNumber(desktop, QStringLiteral("020 1234567"), QStringLiteral("Jan de Vries"));

    QCOMPARE(ui.takeMessageTexts(), (QStringList{notAvailable, notAvailable}));
    QCOMPARE(opened, 0);
    if (query)
        QCOMPARE(query->arguments(), (QStringList{"query", "default", "x-scheme-handler/tel"}));
}

void TestDialNumber::withHandler_data() {
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QStringList>("opened");
    QTest::newRow("call placed") << "+31 20 123 45 67" << true << QStringList{"tel:+31201234567"};
    QTest::newRow("handler refuses, nothing said")
        << "020-1234567" << false << QStringList{"tel:0201234567"};
    QTest::newRow("no number to dial") << "onbekend" << true << QStringList();
}

void TestDialNumber::withHandler() {
    QFETCH(QString, number);
    QFETCH(bool, accepted);
    QFETCH(QStringList, opened);
    ScriptedInteraction ui;
    StandInProgram query(QStringLiteral("xdg-mime"), 0, false, QStringLiteral("dialer.desktop"));
    ScopedEnv path("PATH", pathWith(query.folder()));
    QStringList urls;
    DesktopTelDialer desktop([&](const QUrl& url) {
        urls << url.toString(QUrl::FullyEncoded);
        return accepted;
    });

    QVERIFY(desktop.available());
    QCOMPARE(desktop.dial(number, QStringLiteral("Jan de Vries")), accepted && !opened.isEmpty());
    DialNumber(desktop, number, QStringLiteral("Jan de Vries"));

    QCOMPARE(urls, opened + opened);
    QCOMPARE(ui.takeMessageTexts(), QStringList());
}

QTEST_MAIN(TestDialNumber)
#include "test_dial_number.moc"
