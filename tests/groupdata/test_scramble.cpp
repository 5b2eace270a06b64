// The stored form of a publisher record's text fields.
#include "groupdata/group_records.h"

#include <QtTest>

using groupdata::PublisherRecord;
using groupdata::recordSize;
using groupdata::scrambleRecord;

namespace {

PublisherRecord recordWith(int offset, const QByteArray& bytes) {
    PublisherRecord rec;
    std::copy(bytes.begin(), bytes.end(), rec.bytes.begin() + offset);
    return rec;
}

QByteArray bytesAt(const PublisherRecord& rec, int offset, int size) {
    return QByteArray(reinterpret_cast<const char*>(rec.bytes.data()) + offset, size);
}

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

// Bytes first, first + 1, ... as the positions of a field shift them.
QByteArray ramp(int first, int count) {
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out.append(static_cast<char>(first + i));
    return out;
}

// Printable-range text of the given length that differs per field.
QByteArray asciiText(int length, int seed, bool isEmail) {
    QByteArray text;
    for (int i = 0; i < length; ++i) {
        int b = (seed + i * 37) % 127 + 1;
        // These email characters come back as 0xCC: the format cannot hold them.
        if (isEmail && i >= 25 && i <= 29 && b == 152 - i)
            b = 'a';
        text.append(static_cast<char>(b));
    }
    return text;
}

} // namespace

class TestScramble : public QObject {
    Q_OBJECT

private slots:
    void storedForm_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QByteArray>("stored");

        QTest::newRow("first name abc") << 2 << QByteArray("abc") << bytes({0x95, 0x97, 0x99, 0});
        QTest::newRow("empty field") << 23 << QByteArray(21, '\0') << QByteArray(21, '\0');
        QTest::newRow("late months 0 and 1") << 152 << bytes({1, 1, 0, 0}) << bytes({53, 54, 0, 0});
        QTest::newRow("late months 0, 1 and 3")
            << 152 << bytes({1, 1, 0, 1}) << bytes({53, 54, 0, 1});
        QTest::newRow("late month 6") << 161 << bytes({1, 0}) << bytes({53, 0});
        QTest::newRow("first name keeps 0xCC")
            << 2 << bytes({0xCC, 'a'}) << bytes({0xCC, 'a' + 53});
        QTest::newRow("last name keeps 0xCC anywhere")
            << 23 << bytes({'a', 0xCC, 0xCC}) << bytes({'a' + 52, 0xCC, 0xCC});
        QTest::newRow("phone changes 0xCC") << 107 << bytes({0xCC, '1'}) << bytes({0, '1' + 53});
        QTest::newRow("email keeps 0xCC up to position 29")
            << 44 << QByteArray(29, 'a') + bytes({0xCC, 0xCC})
            << ramp('a' + 52, 29) + bytes({0xCC, (0xCC + 52 + 30) % 256});
        QTest::newRow("first name ends at byte 22")
            << 2 << QByteArray(21, 'a') << ramp('a' + 52, 20) + bytes({0});
    }
    void storedForm() {
        QFETCH(int, offset);
        QFETCH(QByteArray, plain);
        QFETCH(QByteArray, stored);
        PublisherRecord rec = recordWith(offset, plain);
        scrambleRecord(+1, rec);
        QCOMPARE(bytesAt(rec, offset, stored.size()), stored);
    }

    // Every byte outside the eight fields, and the unforced bytes between
    // them, are left alone by both directions.
    void otherBytesUntouched() {
        PublisherRecord rec;
        for (std::size_t i = 0; i < recordSize; ++i)
            rec.bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
        for (std::size_t i = 2; i < 170; ++i) // the text fields themselves
            rec.bytes[i] = 0;
        const PublisherRecord before = rec;
        scrambleRecord(+1, rec);
        QVERIFY(rec.bytes == before.bytes);
        scrambleRecord(-1, rec);
        QVERIFY(rec.bytes == before.bytes);
    }

    void roundTrip_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("width");
        QTest::newRow("first name") << 2 << 21;
        QTest::newRow("last name") << 23 << 21;
        QTest::newRow("email") << 44 << 63;
        QTest::newRow("phone 1") << 107 << 15;
        QTest::newRow("phone 2") << 122 << 15;
        QTest::newRow("phone 3") << 137 << 15;
    }
    void roundTrip() {
        QFETCH(int, offset);
        QFETCH(int, width);
        for (int length : {1, width / 2, width - 1}) {
            const QByteArray text = asciiText(length, offset + length, offset == 44);
            PublisherRecord rec = recordWith(offset, text);
            scrambleRecord(+1, rec);
            QVERIFY2(bytesAt(rec, offset, length) != text, "stored form equals plain text");
            scrambleRecord(-1, rec);
            QCOMPARE(bytesAt(rec, offset, length + 1), text + '\0');
        }
    }

    // -1 takes part only through its low byte, as 255.
    void directionLowByte() {
        PublisherRecord a = recordWith(2, "Voornaam");
        scrambleRecord(+1, a);
        PublisherRecord b = a;
        scrambleRecord(-1, a);
        scrambleRecord(255, b);
        QVERIFY(a.bytes == b.bytes);
        QCOMPARE(a.firstName(), std::string("Voornaam"));
    }

    // A second telephone number without a terminator runs on into the third,
    // which is then transformed twice; reading back in the same order restores both.
    void phoneRunsOn() {
        PublisherRecord rec = recordWith(122, QByteArray(15, '1') + "22");
        scrambleRecord(+1, rec);
        const QByteArray expected =
            ramp('1' + 52, 15) + bytes({'2' + 52 + 15 + 52, '2' + 52 + 16 + 53, 0});
        QCOMPARE(bytesAt(rec, 122, 18), expected);
        scrambleRecord(-1, rec);
        QCOMPARE(bytesAt(rec, 122, 18), QByteArray(15, '1') + "22" + '\0');
        QCOMPARE(rec.phone(1), std::string(15, '1'));
        QCOMPARE(rec.phone(2), std::string("22"));
    }

    void lateFlagsRoundTrip() {
        PublisherRecord rec;
        for (unsigned month : {0u, 1u, 3u, 6u, 11u})
            rec.setLateFlag(month, 1);
        const PublisherRecord before = rec;
        scrambleRecord(+1, rec);
        scrambleRecord(-1, rec);
        QVERIFY(rec.bytes == before.bytes);
    }
};

QTEST_APPLESS_MAIN(TestScramble)
#include "test_scramble.moc"
