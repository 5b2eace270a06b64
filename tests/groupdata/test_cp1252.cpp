// Windows-1252 text to and from UTF-8.
#include "groupdata/cp1252.h"

#include <QtTest>

using groupdata::cp1252ToUtf8;
using groupdata::utf8ToCp1252;

namespace {

std::string str(const QByteArray& b) {
    return std::string(b.constData(), b.size());
}

} // namespace

class TestCp1252 : public QObject {
    Q_OBJECT

private slots:
    // Pairs that must convert both ways.
    void both_data() {
        QTest::addColumn<QByteArray>("cp1252");
        QTest::addColumn<QString>("unicode");
        QTest::newRow("ascii") << QByteArray("Jan de Vries") << QStringLiteral("Jan de Vries");
        QTest::newRow("Zoë") << QByteArray("Zo\xEB") << QStringLiteral("Zo\u00EB");
        QTest::newRow("José") << QByteArray("Jos\xE9") << QStringLiteral("Jos\u00E9");
        QTest::newRow("Françoise")
            << QByteArray("Fran\xE7oise") << QStringLiteral("Fran\u00E7oise");
        QTest::newRow("euro and quotes")
            << QByteArray("\x80 \x93x\x94") << QStringLiteral("\u20AC \u201Cx\u201D");
        QTest::newRow("Šž and Ÿ") << QByteArray("\x8A\x9E\x9F")
                                  << QStringLiteral("\u0160\u017E\u0178");
        QTest::newRow("last byte ÿ") << QByteArray("\xFF") << QStringLiteral("\u00FF");
        QTest::newRow("undefined 0x81 stays itself")
            << QByteArray("\x81") << QStringLiteral("\u0081");
        QTest::newRow("empty") << QByteArray() << QString();
    }
    void both() {
        QFETCH(QByteArray, cp1252);
        QFETCH(QString, unicode);
        const std::string utf8 = cp1252ToUtf8(str(cp1252));
        QCOMPARE(QString::fromStdString(utf8), unicode);
        const auto back = utf8ToCp1252(unicode.toStdString());
        QVERIFY(back.ok());
        QCOMPARE(back.text, str(cp1252));
    }

    // Every byte has a character and comes back as itself.
    void everyByteRoundTrips() {
        std::string all;
        for (int b = 1; b < 256; ++b)
            all += static_cast<char>(b);
        const auto back = utf8ToCp1252(cp1252ToUtf8(all));
        QVERIFY(back.ok());
        QCOMPARE(back.text, all);
    }

    void unrepresentable_data() {
        QTest::addColumn<QByteArray>("utf8");
        QTest::addColumn<uint>("offending");
        QTest::addColumn<int>("at");
        QTest::newRow("Polish ł") << QStringLiteral("Micha\u0142").toUtf8() << 0x142u << 5;
        QTest::newRow("Cyrillic") << QStringLiteral("\u0418\u0432\u0430\u043D").toUtf8() << 0x418u
                                  << 0;
        QTest::newRow("emoji after é")
            << QStringLiteral("\u00E9\U0001F600").toUtf8() << 0x1F600u << 2;
        QTest::newRow("truncated sequence") << QByteArray("ab\xC3") << 0xFFFDu << 2;
        QTest::newRow("stray continuation") << QByteArray("\x80z") << 0xFFFDu << 0;
        QTest::newRow("overlong slash") << QByteArray("a\xC0\xAF") << 0xFFFDu << 1;
        QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << 0xFFFDu << 0;
    }
    void unrepresentable() {
        QFETCH(QByteArray, utf8);
        QFETCH(uint, offending);
        QFETCH(int, at);
        const auto result = utf8ToCp1252(str(utf8));
        QVERIFY(!result.ok());
        QCOMPARE(static_cast<uint>(result.offending), offending);
        QCOMPARE(result.offendingAt, static_cast<std::size_t>(at));
    }
};

QTEST_APPLESS_MAIN(TestCp1252)
#include "test_cp1252.moc"
