// Queries and changes on a loaded group: reports, names, contacts, values,
// remarks and late flags.
#include "recording_messages.h"
#include "store_test_support.h"

#include <QtTest>

#include <memory>

using groupdata::GroupStore;
using groupdata::recordSize;
using groupdata::remarkRecordSize;
using Strings = std::vector<std::string>;

class TestGroupQueries : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    RecordingMessages messages;
    std::unique_ptr<GroupStore> store;

    // Loads the group into a fresh store; publisher 1 is the one under test.
    void loadGroup(const fixture::Group& group) {
        const std::string file = dir.filePath("q.k09").toStdString();
        fixture::writeGroupFile(file, group);
        messages.shown.clear();
        store = std::make_unique<GroupStore>(messages);
        QVERIFY(store->loadGroupFile(file));
        // The file's month and the year it falls in are not what these tests are about.
        store->reportMonth = 4;
        store->yearSlot = 1;
        QVERIFY(store->publisherCount >= 1);
    }
    void loadOne(const fixture::Publisher& p, int remarks = 0) {
        fixture::Group group;
        group.publisher(p).publisher(fixture::Publisher("Tweede", "Verkondiger"));
        for (int i = 1; i <= remarks; ++i)
            group.remark("opmerking " + std::to_string(i));
        loadGroup(group);
    }

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }

    void reportMissing_data() {
        QTest::addColumn<bool>("participated");
        QTest::addColumn<int>("remarkIndex");
        QTest::addColumn<bool>("missing");
        QTest::newRow("nothing") << false << 0 << true;
        QTest::newRow("participated") << true << 0 << false;
        QTest::newRow("remark only") << false << 2 << false;
        QTest::newRow("link past the table") << false << 900 << false;
    }
    void reportMissing() {
        QFETCH(bool, participated);
        QFETCH(int, remarkIndex);
        QFETCH(bool, missing);
        fixture::Cell cell(4, 1);
        cell.participated(participated).studies(3).hours(12);
        if (remarkIndex)
            cell.remarkIndex(static_cast<std::uint16_t>(remarkIndex));
        loadOne(fixture::Publisher("A", "B").cell(cell), 2);
        QCOMPARE(store->isReportMissing(1, 4, 1), missing);
        // The neighbouring slot and month are separate reports.
        QVERIFY(store->isReportMissing(1, 4, 0));
        QVERIFY(store->isReportMissing(1, 5, 1));
        QVERIFY(!store->isReportMissing(3, 4, 1)); // no such publisher
    }

    void displayName_data() {
        QTest::addColumn<bool>("lastNameFirst");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("first name first") << false << "dutch" << QByteArray("Voornaam Achternaam");
        QTest::newRow("last name first") << true << "dutch" << QByteArray("Achternaam, Voornaam");
        QTest::newRow("cz puts last name first")
            << false << "cz" << QByteArray("Achternaam, Voornaam");
    }
    void displayName() {
        QFETCH(bool, lastNameFirst);
        QFETCH(QString, language);
        QFETCH(QByteArray, name);
        loadOne(fixture::Publisher("Voornaam", "Achternaam"));
        store->languageName = language.toStdString();
        QCOMPARE(QByteArray::fromStdString(store->displayName(1, lastNameFirst)), name);
    }

    void displayNameKeepsCodePage() {
        loadOne(fixture::Publisher("Françoise", "Zoë"));
        QCOMPARE(store->displayName(1, false), std::string("Fran\xE7oise Zo\xEB"));
    }

    void phones_data() {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QStringList>("usable");
        QTest::newRow("5, 10, 0") << QStringList{"12345", "0612345678", ""}
                                  << QStringList{"0612345678"};
        QTest::newRow("11, 0, 11") << QStringList{"030-1234567", "", "020-7654321"}
                                   << QStringList{"030-1234567", "020-7654321"};
        QTest::newRow("6 counts, blanks count")
            << QStringList{"123456", "  1234", "1234"} << QStringList{"123456", "  1234"};
        QTest::newRow("none") << QStringList{"", "", ""} << QStringList{};
        QTest::newRow("all three") << QStringList{"111111", "222222", "333333"}
                                   << QStringList{"111111", "222222", "333333"};
    }
    void phones() {
        QFETCH(QStringList, fields);
        QFETCH(QStringList, usable);
        loadOne(fixture::Publisher("A", "B").phones(
            fields[0].toStdString(), fields[1].toStdString(), fields[2].toStdString()));
        QCOMPARE(store->gatherContacts(1), static_cast<unsigned>(usable.size()));
        QCOMPARE(store->phoneCount, usable.size());
        QCOMPARE(store->phoneCursor, 0);
        for (int i = 0; i < usable.size(); ++i)
            QCOMPARE(QString::fromStdString(store->phoneList[i]), usable[i]);
        QCOMPARE(QString::fromStdString(store->listPhone(1, false)), usable.value(0));
        QCOMPARE(QString::fromStdString(store->listPhone(1, true)), usable.value(1));
    }

    // listPhone serves the printed list and leaves the selected publisher's state alone.
    void listPhoneKeepsContactState() {
        fixture::Group group;
        group.publisher(fixture::Publisher("A", "B").phones("0301111111").email("a@b.nl"))
            .publisher(fixture::Publisher("C", "D").phones("12", "0302222222", "0303333333"));
        loadGroup(group);
        store->gatherContacts(1);
        store->phoneCursor = 1;
        QCOMPARE(store->listPhone(2, true), std::string("0303333333"));
        QCOMPARE(store->phoneCount, 1);
        QCOMPARE(store->phoneCursor, 1);
        QCOMPARE(store->phoneList[0], std::string("0301111111"));
        QCOMPARE(store->contactEmail, std::string("a@b.nl"));
    }

    void contactEmail_data() {
        QTest::addColumn<QString>("email");
        QTest::addColumn<bool>("reported");
        QTest::addColumn<QString>("contact");
        QTest::newRow("blanks trimmed") << " \tanna@example.nl  " << false << "anna@example.nl";
        QTest::newRow("at sign first") << "@example.nl" << false << "";
        QTest::newRow("no at sign") << "anna.example.nl" << false << "";
        QTest::newRow("no dot after at sign") << "anna.b@example" << false << "";
        QTest::newRow("shortest") << "a@b.c" << false << "a@b.c";
        QTest::newRow("report present") << "anna@example.nl" << true << "";
    }
    void contactEmail() {
        QFETCH(QString, email);
        QFETCH(bool, reported);
        QFETCH(QString, contact);
        loadOne(fixture::Publisher("A", "B")
                    .email(email.toStdString())
                    .cell(fixture::Cell(4, 1).participated(reported)));
        store->gatherContacts(1);
        QCOMPARE(QString::fromStdString(store->contactEmail), contact);
        QCOMPARE(store->isContactEmailValid(), !contact.isEmpty());
    }

    void categoryValue_data() {
        QTest::addColumn<int>("category");
        QTest::addColumn<int>("value");
        QTest::newRow("placements") << 0 << 11;
        QTest::newRow("videos") << 1 << 12;
        QTest::newRow("hours") << 2 << 300;
        QTest::newRow("return visits") << 3 << 14;
        QTest::newRow("studies: count only") << 4 << 3;
        QTest::newRow("remark index") << 5 << 0x1234;
        QTest::newRow("credit hours") << 6 << 200;
        QTest::newRow("category 7") << 7 << 0xBEEF;
        QTest::newRow("no such category") << 8 << 0;
    }
    void categoryValue() {
        QFETCH(int, category);
        QFETCH(int, value);
        // The last cell of the year, in slot 2, so that a wrong stride shows.
        loadOne(fixture::Publisher("A", "B")
                    .cell(fixture::Cell(11, 2)
                              .placements(11)
                              .videos(12)
                              .hours(300)
                              .returnVisits(14)
                              .studies(3)
                              .studiesBits(0xF000)
                              .participated()
                              .remarkIndex(0x1234)
                              .creditHours(200)
                              .extra(0xBEEF))
                    .cell(fixture::Cell(11, 1).hours(1).studies(1)));
        QCOMPARE(int(store->categoryValue(1, 11, 2, category)), value);
    }

    void remarkLookup_data() {
        QTest::addColumn<int>("link");
        QTest::addColumn<bool>("lookupOnly");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("countAfter");
        QTest::newRow("lookup, none") << 0 << true << 0 << "" << 5;
        QTest::newRow("lookup, valid") << 3 << true << 3 << "opmerking 3" << 5;
        QTest::newRow("lookup, past the table") << 6 << true << 0 << "" << 5;
        QTest::newRow("open, valid") << 5 << false << 5 << "opmerking 5" << 5;
        QTest::newRow("open, none reserves") << 0 << false << 6 << "" << 6;
        QTest::newRow("open, past the table reserves") << 77 << false << 6 << "" << 6;
    }
    void remarkLookup() {
        QFETCH(int, link);
        QFETCH(bool, lookupOnly);
        QFETCH(int, entry);
        QFETCH(QString, text);
        QFETCH(int, countAfter);
        loadOne(fixture::Publisher("A", "B").cell(
                    fixture::Cell(4, 1).remarkIndex(static_cast<std::uint16_t>(link))),
                5);
        std::string found = "stale";
        QCOMPARE(int(store->findOrAddRemark(1, 4, 1, found, lookupOnly)), entry);
        QCOMPARE(QString::fromStdString(found), text);
        QCOMPARE(int(store->remarkCount), countAfter);
        QCOMPARE(store->remark(6).bytes, groupdata::RemarkRecord().bytes);
        // The cell is linked by the caller, not here.
        QCOMPARE(int(store->publisher(1).remarkIndex(4, 1)), link);
        QVERIFY(messages.shown.empty());
    }

    // The table grows past the 100 spare entries up to 254, then refuses new
    // entries while every existing one stays editable.
    void remarkTableGrowsUntilFull() {
        loadOne(fixture::Publisher("A", "B"));
        QCOMPARE(store->remarkCount, 0);
        std::string text;
        for (unsigned i = 1; i <= GroupStore::maxRemarks; ++i) {
            QCOMPARE(store->findOrAddRemark(1, 4, 1, text, false), i);
            QVERIFY(store->storeRemark(1, 4, 1, i, "opmerking " + std::to_string(i)));
        }
        QCOMPARE(store->remarkCount, 254);
        QVERIFY(messages.shown.empty());

        QCOMPARE(store->findOrAddRemark(1, 4, 1, text, false), 0u);
        QCOMPARE(messages.shown, Strings{"1033"});
        QCOMPARE(store->remarkCount, 254);
        QVERIFY(store->storeRemark(1, 4, 1, 17, "bijgewerkt"));
        QVERIFY(store->storeRemark(1, 4, 1, 254, "laatste"));
        QVERIFY(!store->storeRemark(1, 4, 1, 255, "te veel"));

        const std::string out = dir.filePath("full.k09").toStdString();
        QVERIFY(store->saveGroupFile(out));
        GroupStore reread(messages);
        QVERIFY(reread.loadGroupFile(out));
        QCOMPARE(reread.remarkCount, 254);
        QCOMPARE(reread.remark(17).text(), std::string("bijgewerkt"));
        QCOMPARE(reread.remark(200).text(), std::string("opmerking 200"));
        QCOMPARE(reread.remark(254).text(), std::string("laatste"));
    }

    // Showing cells without a remark reserves no more than one blank entry at
    // a time; a text or a link makes it used, and the next cell gets a new one.
    void blankReservationIsReused() {
        loadOne(fixture::Publisher("A", "B"), 3);
        std::string text;
        QCOMPARE(store->findOrAddRemark(1, 4, 1, text, false), 4u);
        QCOMPARE(store->findOrAddRemark(1, 5, 1, text, false), 4u);
        QCOMPARE(store->findOrAddRemark(2, 4, 1, text, false), 4u);
        QCOMPARE(store->remarkCount, 4);

        QVERIFY(store->storeRemark(1, 5, 1, 4, "ziek"));
        QCOMPARE(store->findOrAddRemark(1, 6, 1, text, false), 5u);

        groupdata::PublisherRecord rec = store->publisher(2);
        rec.setRemarkIndex(4, 1, 5); // a committed report links the blank entry
        store->replacePublisher(2, rec);
        QCOMPARE(store->findOrAddRemark(1, 7, 1, text, false), 6u);
        QCOMPARE(store->remarkCount, 6);
    }

    // A full table still hands back the cell's existing remark for editing.
    void fullTableKeepsExistingRemark() {
        fixture::Group group;
        group.publisher(fixture::Publisher("A", "B").cell(fixture::Cell(4, 1).remarkIndex(200)))
            .publisher(fixture::Publisher("C", "D"));
        for (int i = 1; i <= 254; ++i)
            group.remark("r" + std::to_string(i));
        loadGroup(group);
        std::string text;
        QCOMPARE(store->findOrAddRemark(1, 4, 1, text, false), 200u);
        QCOMPARE(text, std::string("r200"));
        QVERIFY(store->storeRemark(1, 4, 1, 200, "nieuwe tekst"));
        QCOMPARE(store->remark(200).text(), std::string("nieuwe tekst"));
        QVERIFY(messages.shown.empty());
    }

    void storeRemark_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("entry");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QByteArray>("entryText");
        QTest::addColumn<int>("linkAfter");
        QTest::newRow("plain") << QByteArray("ziek geweest") << 2 << true
                               << QByteArray("ziek geweest") << 2;
        QTest::newRow("percent sign")
            << QByteArray("100% %s %1") << 2 << true << QByteArray("100% %s %1") << 2;
        QTest::newRow("cut to 36") << QByteArray(40, 'x') << 2 << true << QByteArray(36, 'x') << 2;
        QTest::newRow("empty clears the link")
            << QByteArray() << 2 << false << QByteArray("opmerking 2") << 0;
        QTest::newRow("leading blank clears the link")
            << QByteArray(" ziek") << 2 << false << QByteArray("opmerking 2") << 0;
        QTest::newRow("no such entry") << QByteArray("ziek") << 3 << false << QByteArray() << 2;
        QTest::newRow("entry 0") << QByteArray("ziek") << 0 << false << QByteArray() << 2;
    }
    void storeRemark() {
        QFETCH(QByteArray, text);
        QFETCH(int, entry);
        QFETCH(bool, stored);
        QFETCH(QByteArray, entryText);
        QFETCH(int, linkAfter);
        loadOne(fixture::Publisher("A", "B").cell(fixture::Cell(4, 1).remarkIndex(2)), 2);
        // Bytes 37..47 of an entry are not the program's and must stay.
        const std::size_t tail = (entry > 0 ? entry - 1 : 0) * remarkRecordSize + 37;
        if (entry >= 1 && entry <= 2)
            std::fill_n(store->remarkTable.begin() + tail, 11, 0x5A);
        QCOMPARE(store->storeRemark(1, 4, 1, unsigned(entry), text.toStdString()), stored);
        QCOMPARE(QByteArray::fromStdString(store->remark(unsigned(entry)).text()), entryText);
        QCOMPARE(int(store->publisher(1).remarkIndex(4, 1)), linkAfter);
        QCOMPARE(int(store->remarkCount), 2);
        if (entry >= 1 && entry <= 2) {
            const auto rec = store->remark(unsigned(entry));
            QCOMPARE(rec.bytes[36], 0);
            QVERIFY(std::all_of(rec.bytes.begin() + 37, rec.bytes.end(),
                                [](std::uint8_t b) { return b == 0x5A; }));
        }
    }

    // Storing into the entry just reserved adds no further entry and no link.
    void storeAfterReserveAddsNothing() {
        loadOne(fixture::Publisher("A", "B"), 5);
        std::string text;
        QCOMPARE(store->findOrAddRemark(1, 4, 1, text, false), 6u);
        QVERIFY(store->storeRemark(1, 4, 1, 6, "nieuw"));
        QCOMPARE(store->remarkCount, 6);
        QCOMPARE(store->publisher(1).remarkIndex(4, 1), 0);
        QCOMPARE(store->remark(6).text(), std::string("nieuw"));
    }

    void lateFlags_data() {
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("byte");
        QTest::newRow("January") << 0 << 152;
        QTest::newRow("June") << 5 << 157;
        QTest::newRow("July") << 6 << 161;
        QTest::newRow("August") << 7 << 162;
        QTest::newRow("December") << 11 << 166;
    }
    void lateFlags() {
        QFETCH(int, month);
        QFETCH(int, byte);
        loadOne(fixture::Publisher("A", "B"));
        const auto before = store->publisher(1).bytes;
        store->setLateFlag(1, unsigned(month));
        auto expected = before;
        expected[std::size_t(byte)] = 1;
        QVERIFY(store->publisher(1).bytes == expected);
        for (int m = 0; m < 12; ++m)
            QCOMPARE(store->isLateFlag(1, unsigned(m)), m == month);
        QVERIFY(!store->isLateFlag(2, unsigned(month)));
    }

    // Only the value 1 means late.
    void lateFlagOtherValues() {
        loadOne(fixture::Publisher("A", "B").patch(153, {2}).patch(163, {1}));
        QVERIFY(!store->isLateFlag(1, 1));
        QVERIFY(store->isLateFlag(1, 8));
    }
};

QTEST_APPLESS_MAIN(TestGroupQueries)
#include "test_group_queries.moc"
