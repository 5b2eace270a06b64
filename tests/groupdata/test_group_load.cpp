// Loading group files: what survives, what a damaged file yields.
#include "recording_messages.h"
#include "store_test_support.h"

#include <QtTest>

#include <cstring>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using groupdata::GroupStore;
using groupdata::recordSize;
using groupdata::remarkRecordSize;

class TestGroupLoad : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }

    static void verifyEmpty(const GroupStore& store) {
        QVERIFY(!store.dataValid);
        QCOMPARE(store.publisherCount, 0);
        QCOMPARE(store.remarkCount, 0);
        QVERIFY(store.publisherBuffer.empty());
        QVERIFY(store.remarkTable.empty());
    }

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        QVERIFY(::mkfifo(path("pipe.k09").toLocal8Bit().constData(), 0600) == 0);
        QVERIFY(QFile::link(path("pipe.k09"), path("pipe-link.k09")));
    }

    void plainFormAfterLoad() {
        const QString file = path("plain.k09");
        fixture::writeGroupFile(file.toStdString(), twoPublishers());
        RecordingMessages messages;
        GroupStore store(messages);
        QVERIFY(store.loadGroupFile(file.toStdString()));
        QVERIFY(store.dataValid);
        QCOMPARE(store.publisherCount, 2);
        QCOMPARE(store.remarkCount, 1);
        QCOMPARE(store.groupNumber, 3);
        QCOMPARE(store.reportMonth, 4);
        QCOMPARE(store.loadedPath, file.toStdString());
        QCOMPARE(store.publisher(1).firstName(), std::string("Anna"));
        QCOMPARE(store.publisher(2).lastName(), std::string("M\xFCller"));
        QCOMPARE(store.publisher(1).phone(0), std::string("0301234567"));
        QCOMPARE(store.publisher(1).studies(4, 1), 0x0802);
        QCOMPARE(store.publisher(2).creditHours(3, 1), 5);
        QCOMPARE(store.remark(1).text(), std::string("ziek"));
        QVERIFY(store.isLateFlag(2, 3));
        QCOMPARE(store.header().email(), std::string("secretaris@example.nl"));
        QVERIFY(messages.shown.empty());
    }

    // Every byte the program gives no meaning to, in the header, the records
    // and the remark entries, comes out of a load and a save as it went in.
    void saveReproducesTheFile() {
        std::vector<std::uint8_t> bytes = fixture::buildGroupFile(
            fixture::Group()
                .month(11)
                .publisher(fixture::Publisher("Voornaam", "Achternaam").email("a@b.nl").late(0))
                .publisher(fixture::Publisher("\xC3\x8C"
                                              "cc",
                                              "")
                               .phones("12345", "", "0612345678"))
                .publisher(fixture::Publisher("Jan", "Visser").late(6).late(7))
                .remark("eerste")
                .remark("tweede"));
        std::mt19937 random(42);
        auto noise = [&] { return static_cast<std::uint8_t>(random()); };
        for (std::size_t i = 0; i < recordSize; ++i)
            if (i != 180 && i != 184 && i != 185 && i != 238)
                bytes[i] = noise();
        for (std::size_t r = 1; r <= 3; ++r) {
            std::uint8_t* rec = bytes.data() + r * recordSize;
            rec[0] = noise(), rec[1] = noise();
            for (std::size_t i : {158, 159, 167, 168})
                rec[i] = noise();
            for (std::size_t i = 170; i < recordSize; ++i)
                rec[i] = noise();
        }
        for (std::size_t i = 4 * recordSize; i < bytes.size(); ++i)
            bytes[i] = noise();

        const QString in = path("carried.k09"), out = path("carried-out.k09");
        fixture::writeBytes(in.toStdString(), bytes);
        RecordingMessages messages;
        GroupStore store(messages);
        QVERIFY(store.loadGroupFile(in.toStdString()));
        QCOMPARE(store.publisherCount, 3);
        QCOMPARE(store.publisher(2).firstName(), std::string("\xCC"
                                                             "cc"));
        QVERIFY(store.saveGroupFile(out.toStdString()));
        QCOMPARE(fileBytes(out), toQt(bytes));
        // Saving again from the same store gives the same file.
        QVERIFY(store.saveGroupFile(out.toStdString()));
        QCOMPARE(fileBytes(out), toQt(bytes));
    }

    // A file that ends early: the records and entries it lacks are zero, and
    // a save writes all that the header promises.
    void truncated_data() {
        QTest::addColumn<int>("keep");
        QTest::addColumn<QString>("firstName5");
        QTest::addColumn<QString>("remark2");
        const int full = 6 * recordSize + 2 * remarkRecordSize;
        QTest::newRow("three of five records") << int(4 * recordSize) << ""
                                               << "";
        QTest::newRow("record 5 cut short") << int(5 * recordSize + 10) << "Eva"
                                            << "";
        QTest::newRow("second remark missing") << full - int(remarkRecordSize) << "Eva"
                                               << "";
        QTest::newRow("complete") << full << "Eva"
                                  << "twee";
    }
    void truncated() {
        QFETCH(int, keep);
        QFETCH(QString, firstName5);
        QFETCH(QString, remark2);
        fixture::Group group;
        for (const char* name : {"Ada", "Ben", "Cor", "Dirk", "Eva"})
            group.publisher(fixture::Publisher(name, "Smit").cell(fixture::Cell(2).participated()));
        group.remark("een").remark("twee");
        std::vector<std::uint8_t> bytes = fixture::buildGroupFile(group);
        bytes.resize(static_cast<std::size_t>(keep));
        const QString in = path("short.k09"), out = path("short-out.k09");
        fixture::writeBytes(in.toStdString(), bytes);

        RecordingMessages messages;
        GroupStore store(messages);
        QVERIFY(store.loadGroupFile(in.toStdString()));
        QCOMPARE(store.publisherCount, 5);
        QCOMPARE(store.remarkCount, 2);
        QCOMPARE(store.publisher(3).firstName(), std::string("Cor"));
        QCOMPARE(QString::fromStdString(store.publisher(5).firstName()), firstName5);
        if (firstName5.isEmpty()) {
            QCOMPARE(store.publisher(4).lastName(), std::string());
            QVERIFY(store.isReportMissing(4, 2, 0));
            QVERIFY(store.publisher(4).bytes == groupdata::PublisherRecord().bytes);
        }
        QCOMPARE(QString::fromStdString(store.remark(2).text()), remark2);
        QVERIFY(store.saveGroupFile(out.toStdString()));
        QCOMPARE(fileBytes(out).size(), 6 * int(recordSize) + 2 * int(remarkRecordSize));
    }

    // Bytes after the last remark entry are not part of the group.
    void oversized() {
        std::vector<std::uint8_t> bytes = fixture::buildGroupFile(twoPublishers());
        const QByteArray group = toQt(bytes);
        bytes.insert(bytes.end(), 5000, 0xAB);
        const QString in = path("long.k09"), out = path("long-out.k09");
        fixture::writeBytes(in.toStdString(), bytes);
        RecordingMessages messages;
        GroupStore store(messages);
        QVERIFY(store.loadGroupFile(in.toStdString()));
        QCOMPARE(store.publisherCount, 2);
        QCOMPARE(store.remarkCount, 1);
        QVERIFY(store.saveGroupFile(out.toStdString()));
        QCOMPARE(fileBytes(out), group);
    }

    // Bytes held in memory load exactly as the same bytes in a file, and the
    // image of the loaded group is what a save writes.
    void memoryLoadMatchesFile_data() {
        QTest::addColumn<QByteArray>("content");
        const QByteArray valid = toQt(fixture::buildGroupFile(twoPublishers()));
        QByteArray countOnly = valid.left(int(recordSize));
        countOnly[184] = char(0xFF), countOnly[185] = char(0xFF);
        QTest::newRow("complete") << valid;
        QTest::newRow("records cut short") << valid.left(int(2 * recordSize) + 5);
        QTest::newRow("65535 remarks promised, none held") << countOnly;
        QTest::newRow("longer than its records") << valid + QByteArray(4 * 1024 * 1024, char(0xAB));
        QTest::newRow("815 bytes") << valid.left(815);
        QTest::newRow("header month 12") << QByteArray(valid).replace(238, 1, "\x0c");
    }
    void memoryLoadMatchesFile() {
        QFETCH(QByteArray, content);
        const QString file = path("memory.k09");
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(content), content.size());
        f.close();

        RecordingMessages messages;
        GroupStore fromFile(messages), fromMemory(messages);
        fromMemory.loadedPath = "before";
        QVERIFY(fromFile.loadGroupFile(file.toStdString()));
        QVERIFY(fromMemory.loadGroupImage(reinterpret_cast<const std::uint8_t*>(content.data()),
                                          std::size_t(content.size())));
        QCOMPARE(fromMemory.dataValid, fromFile.dataValid);
        QCOMPARE(fromMemory.publisherCount, fromFile.publisherCount);
        QCOMPARE(fromMemory.remarkCount, fromFile.remarkCount);
        QCOMPARE(fromMemory.reportMonth, fromFile.reportMonth);
        QCOMPARE(fromMemory.groupNumber, fromFile.groupNumber);
        QVERIFY(fromMemory.publisherBuffer == fromFile.publisherBuffer);
        QVERIFY(fromMemory.remarkTable == fromFile.remarkTable);
        QCOMPARE(fromMemory.loadedPath, std::string("before"));

        const std::vector<std::uint8_t> image = fromMemory.groupImage();
        if (!fromFile.dataValid) {
            QVERIFY(image.empty());
            return;
        }
        const QString out = path("memory-out.k09");
        QVERIFY(fromFile.saveGroupFile(out.toStdString()));
        QCOMPARE(toQt(image), fileBytes(out));
        QCOMPARE(toQt(image).left(int(recordSize)), content.left(int(recordSize)));
    }

    // What is not a group file leaves an empty store and the previous path,
    // so the exit save cannot write over it.
    void notAGroupFile_data() {
        QTest::addColumn<QByteArray>("content");
        const QByteArray valid = toQt(fixture::buildGroupFile(twoPublishers()));
        auto withByte = [&](int at, char value) {
            QByteArray b = valid;
            b[at] = value;
            return b;
        };
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("815 bytes") << valid.left(815);
        QTest::newRow("count 128") << withByte(180, char(128));
        QTest::newRow("count 255") << withByte(180, char(255));
        QTest::newRow("header month 12") << withByte(238, 12);
        QTest::newRow("header month 255") << withByte(238, char(255));
    }
    void notAGroupFile() {
        QFETCH(QByteArray, content);
        const QString good = path("good.k09"), bad = path("bad.k09");
        fixture::writeGroupFile(good.toStdString(), twoPublishers().month(7));
        QFile f(bad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();

        RecordingMessages messages;
        GroupStore store(messages);
        QVERIFY(store.loadGroupFile(good.toStdString()));
        QVERIFY(store.loadGroupFile(bad.toStdString()));
        verifyEmpty(store);
        QCOMPARE(store.loadedPath, good.toStdString());
        QCOMPARE(store.reportMonth, 7);
        QVERIFY(!store.saveGroupFile(bad.toStdString()));
        QCOMPARE(messages.shown, std::vector<std::string>{"1232"});
        QCOMPARE(fileBytes(bad), content);
    }

    void unreadablePaths_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("missing file") << "missing.k09";
        QTest::newRow("folder") << ".";
        QTest::newRow("pipe") << "pipe.k09";
        QTest::newRow("link to a pipe") << "pipe-link.k09";
        QTest::newRow("device") << "/dev/zero";
    }
    void unreadablePaths() {
        QFETCH(QString, target);
        RecordingMessages messages;
        GroupStore store(messages);
        store.loadedPath = "start.k09";
        QVERIFY(store.loadGroupFile(path(target).toStdString()));
        verifyEmpty(store);
        QCOMPARE(store.loadedPath, std::string("start.k09"));
        QVERIFY(messages.shown.empty());
    }

    void noPublishers() {
        const QString file = path("none.k09");
        fixture::writeGroupFile(file.toStdString(),
                                fixture::Group().month(9).number(4).secretary("s@x.nl"));
        RecordingMessages messages;
        GroupStore store(messages);
        store.loadedPath = "start.k09";
        QVERIFY(store.loadGroupFile(file.toStdString()));
        QVERIFY(store.dataValid);
        QCOMPARE(store.publisherCount, 0);
        QCOMPARE(store.loadedPath, std::string("start.k09"));
        QCOMPARE(store.reportMonth, 9);
        QCOMPARE(store.header().email(), std::string("s@x.nl"));
        QCOMPARE(store.header().groupNumber(), 4);
    }

    // A list takes the year of the latest occurrence of its month that is not
    // after today's calendar month, and the slot of that year.
    void yearOfFileMonth_data() {
        QTest::addColumn<int>("todayYear");
        QTest::addColumn<int>("todayMonth"); // 0 January .. 11 December
        QTest::addColumn<int>("fileMonth");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("slot");
        QTest::newRow("January list in January 2025") << 2025 << 0 << 0 << 2025 << 1;
        QTest::newRow("January list in January 2026") << 2026 << 0 << 0 << 2026 << 0;
        QTest::newRow("December list in January 2025") << 2025 << 0 << 11 << 2024 << 0;
        QTest::newRow("December list in February 2025") << 2025 << 1 << 11 << 2024 << 0;
        QTest::newRow("December list in February 2026") << 2026 << 1 << 11 << 2025 << 1;
        QTest::newRow("November list in March 2025") << 2025 << 2 << 10 << 2024 << 0;
        QTest::newRow("January list in March 2025") << 2025 << 2 << 0 << 2025 << 1;
        QTest::newRow("February list in February 2025") << 2025 << 1 << 1 << 2025 << 1;
        QTest::newRow("March list in February 2025") << 2025 << 1 << 2 << 2024 << 0;
        QTest::newRow("November list in December 2024") << 2024 << 11 << 10 << 2024 << 0;
        QTest::newRow("December list in December 2024") << 2024 << 11 << 11 << 2024 << 0;
    }
    void yearOfFileMonth() {
        QFETCH(int, todayYear);
        QFETCH(int, todayMonth);
        QFETCH(int, fileMonth);
        QFETCH(int, year);
        QFETCH(int, slot);
        const QString file = path("slot.k09");
        fixture::writeGroupFile(file.toStdString(), twoPublishers().month(fileMonth));
        RecordingMessages messages;
        GroupStore store(messages);
        store.localTime = clockAt(todayYear, todayMonth);
        const groupdata::ReportPeriod start = groupdata::reportPeriodOn(store.localTime());
        store.reportMonth = store.defaultMonth = start.month;
        store.reportYear = start.year;
        store.yearSlot = start.slot;
        QVERIFY(store.loadGroupFile(file.toStdString()));
        QCOMPARE(store.reportMonth, fileMonth);
        QCOMPARE(store.reportYear, year - 2000);
        QCOMPARE(store.yearSlot, slot);
    }

    // A list of the month before today is what a run starts with, so loading
    // it agrees with the start-up period.
    void startUpPeriod_data() {
        QTest::addColumn<int>("todayYear");
        QTest::addColumn<int>("todayMonth");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("year");
        QTest::newRow("15 January 2025") << 2025 << 0 << 11 << 2024;
        QTest::newRow("15 March 2025") << 2025 << 2 << 1 << 2025;
        QTest::newRow("15 December 2024") << 2024 << 11 << 10 << 2024;
    }
    void startUpPeriod() {
        QFETCH(int, todayYear);
        QFETCH(int, todayMonth);
        QFETCH(int, month);
        QFETCH(int, year);
        const groupdata::ReportPeriod period =
            groupdata::reportPeriodOn(clockAt(todayYear, todayMonth)());
        QCOMPARE(period.month, month);
        QCOMPARE(period.year, year - 2000);
        QCOMPARE(period.slot, year % 2);
    }

    // A load replaces the whole store; nothing of the previous group remains.
    void reloadReplaces() {
        const QString big = path("big.k09"), small = path("small.k09");
        fixture::writeGroupFile(big.toStdString(), fixture::largestGroup());
        fixture::writeGroupFile(small.toStdString(), twoPublishers());
        RecordingMessages messages;
        GroupStore store(messages);
        QVERIFY(store.loadGroupFile(big.toStdString()));
        QCOMPARE(store.publisherCount, 127);
        QCOMPARE(store.remarkCount, 254);
        QVERIFY(store.loadGroupFile(small.toStdString()));
        QCOMPARE(store.publisherCount, 2);
        QCOMPARE(store.remarkCount, 1);
        QCOMPARE(store.publisherBuffer.size(), 3 * recordSize);
        QCOMPARE(store.publisher(3).firstName(), std::string());
        QCOMPARE(store.loadedPath, small.toStdString());
    }

    // Real memory exhaustion: a fresh process (no other thread's heap to fall
    // back on) with a limited address space loads a file whose remark table
    // does not fit.
    void allocationFailure() {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("AddressSanitizer needs more address space than the limit leaves");
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
        QSKIP("AddressSanitizer needs more address space than the limit leaves");
#endif
#endif
        // 65535 remark entries ask for a table of about 3 MB.
        const QString file = path("huge.k09");
        fixture::writeGroupFile(file.toStdString(), twoPublishers().remarkCount(65535));
        const QByteArray target = file.toLocal8Bit();
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            execl("/proc/self/exe", "test_group_load", allocationChildFlag, target.constData(),
                  static_cast<char*>(nullptr));
            _exit(4);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
    }

public:
    static constexpr const char* allocationChildFlag = "--allocation-child";

    // Exit status 0 when the load fails as it should: false, "Low Memory", an
    // empty store and the previous path kept.
    static int allocationChild(const char* target) {
        RecordingMessages messages;
        GroupStore store(messages);
        store.loadedPath = "start.k09";
        long pages = 0;
        if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(statm, "%ld", &pages) != 1)
                pages = 0;
            std::fclose(statm);
        }
        rlimit limit{};
        getrlimit(RLIMIT_AS, &limit);
        limit.rlim_cur = static_cast<rlim_t>(pages) * sysconf(_SC_PAGESIZE) + (1 << 20);
        if (pages == 0 || setrlimit(RLIMIT_AS, &limit) != 0)
            return 3;
        const bool loaded = store.loadGroupFile(target);
        const bool ok = !loaded && !store.dataValid && store.publisherCount == 0 &&
                        store.remarkCount == 0 && store.loadedPath == "start.k09" &&
                        messages.shown == std::vector<std::string>{"Low Memory"};
        return ok ? 0 : 1;
    }
};

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], TestGroupLoad::allocationChildFlag) == 0)
        return TestGroupLoad::allocationChild(argv[2]);
    TestGroupLoad test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_group_load.moc"
