// Saving group files: what is written, and that a failure never harms the target.
#include "recording_messages.h"
#include "store_test_support.h"
#include "unprivileged_child.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using groupdata::GroupStore;
using groupdata::recordSize;
using groupdata::remarkRecordSize;

class TestGroupSave : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }

    static ino_t inodeOf(const QString& file) {
        struct stat st {};
        return ::stat(QFile::encodeName(file), &st) == 0 ? st.st_ino : 0;
    }

    // A fresh folder the unprivileged user can reach and own files in.
    QString sharedFolder(const UnprivilegedUser& user, const QString& name) {
        ::chmod(QFile::encodeName(dir.path()), 0755);
        const QString folder = path(name);
        QDir(folder).removeRecursively();
        if (!QDir(dir.path()).mkpath(name) ||
            ::chown(QFile::encodeName(folder), user.uid, user.gid) != 0)
            return QString();
        return folder;
    }

    static QStringList entries(const QString& folder) {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                      QDir::Name);
    }

    // A store loaded from a fresh copy of the two-publisher group.
    static void load(GroupStore& store, const QString& file) {
        fixture::writeGroupFile(file.toStdString(), twoPublishers());
        QVERIFY(store.loadGroupFile(file.toStdString()));
    }

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }

    void publisherMinimum_data() {
        QTest::addColumn<int>("publishers");
        QTest::addColumn<bool>("saved");
        QTest::newRow("none") << 0 << false;
        QTest::newRow("one") << 1 << false;
        QTest::newRow("two") << 2 << true;
    }
    void publisherMinimum() {
        QFETCH(int, publishers);
        QFETCH(bool, saved);
        fixture::Group group;
        for (int i = 0; i < publishers; ++i)
            group.publisher(fixture::Publisher("P", QByteArray::number(i).toStdString()));
        const QString in = path("min.k09"), out = path("min-out.k09");
        QFile::remove(out);
        fixture::writeGroupFile(in.toStdString(), group);
        RecordingMessages messages;
        GroupStore store(messages);
        QVERIFY(store.loadGroupFile(in.toStdString()));
        QCOMPARE(store.saveGroupFile(out.toStdString()), saved);
        QCOMPARE(QFile::exists(out), saved);
        QCOMPARE(messages.shown,
                 saved ? std::vector<std::string>{} : std::vector<std::string>{"1232"});
    }

    // The header's count follows the table, including entries added during the run.
    void remarkCountWritten() {
        RecordingMessages messages;
        GroupStore store(messages);
        load(store, path("count.k09"));
        std::string text;
        QCOMPARE(store.findOrAddRemark(2, 5, 1, text, false), 2u);
        QVERIFY(store.storeRemark(2, 5, 1, 2, "nieuw"));
        QCOMPARE(store.findOrAddRemark(1, 6, 1, text, false), 3u);
        const QString out = path("count-out.k09");
        QVERIFY(store.saveGroupFile(out.toStdString()));
        const QByteArray bytes = fileBytes(out);
        QCOMPARE(bytes.size(), 3 * int(recordSize) + 3 * int(remarkRecordSize));
        QCOMPARE(static_cast<std::uint8_t>(bytes[184]), 3);
        QCOMPARE(static_cast<std::uint8_t>(bytes[185]), 0);
        QCOMPARE(store.header().remarkCount(), 3);
        QCOMPARE(bytes.mid(3 * recordSize + remarkRecordSize, 6), QByteArray("nieuw\0", 6));

        GroupStore again(messages);
        QVERIFY(again.loadGroupFile(out.toStdString()));
        QCOMPARE(again.remarkCount, 3);
        QCOMPARE(again.remark(2).text(), std::string("nieuw"));
        QVERIFY(again.publisher(1).bytes == store.publisher(1).bytes);
        QVERIFY(again.publisher(2).bytes == store.publisher(2).bytes);
    }

    // Targets that cannot be written, each a real condition of the system.
    void cannotCreate_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("folder"); // must hold no new file afterwards
        QVERIFY(QDir(dir.path()).mkpath("a-folder"));
        QFile plain(path("plain.txt"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        QTest::newRow("folder does not exist") << path("missing/g.k09") << dir.path();
        QTest::newRow("target is a folder") << path("a-folder") << dir.path();
        QTest::newRow("folder is a file") << path("plain.txt/g.k09") << dir.path();
        QVERIFY(::mkfifo(path("a-pipe").toLocal8Bit().constData(), 0600) == 0);
        QTest::newRow("target is a pipe") << path("a-pipe") << dir.path();
        QTest::newRow("proc refuses new files") << "/proc/dravo.k09" << QString();
        QTest::newRow("sysfs refuses new files") << "/sys/dravo.k09" << QString();
    }
    void cannotCreate() {
        QFETCH(QString, target);
        QFETCH(QString, folder);
        RecordingMessages messages;
        GroupStore store(messages);
        load(store, path("source.k09"));
        const auto bufferBefore = store.publisherBuffer;
        const QStringList before = folder.isEmpty() ? QStringList() : entries(folder);
        struct stat targetBefore {};
        const bool existed = ::stat(target.toLocal8Bit().constData(), &targetBefore) == 0;

        QVERIFY(!store.saveGroupFile(target.toStdString()));
        QCOMPARE(messages.shown, std::vector<std::string>{"1231 " + target.toStdString()});
        QVERIFY(store.publisherBuffer == bufferBefore);
        if (!folder.isEmpty())
            QCOMPARE(entries(folder), before);
        struct stat targetAfter {};
        QCOMPARE(::stat(target.toLocal8Bit().constData(), &targetAfter) == 0, existed);
        if (existed) {
            QCOMPARE(targetAfter.st_mode, targetBefore.st_mode);
            QCOMPARE(targetAfter.st_ino, targetBefore.st_ino);
        }
    }

    // A write that stops partway (here the process's file size limit, which
    // cuts the write short just as a full disk does) leaves the old file.
    void shortWrite() {
        const QString target = path("full.k09");
        fixture::writeGroupFile(target.toStdString(), twoPublishers());
        const QByteArray original = fileBytes(target);
        const QString big = path("big-source.k09");
        fixture::writeGroupFile(big.toStdString(), fixture::largestGroup());
        RecordingMessages messages;
        GroupStore store(messages);
        QVERIFY(store.loadGroupFile(big.toStdString()));
        const QStringList before = entries(dir.path());

        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        rlimit small = saved;
        small.rlim_cur = 40000; // the group needs about 116 000 bytes
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool written = store.saveGroupFile(target.toStdString());
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);

        QVERIFY(!written);
        QCOMPARE(messages.shown, std::vector<std::string>{"1231 " + target.toStdString()});
        QCOMPARE(fileBytes(target), original);
        QCOMPARE(entries(dir.path()), before);
        // With the limit gone the same store saves.
        QVERIFY(store.saveGroupFile(target.toStdString()));
        QCOMPARE(fileBytes(target), fileBytes(big));
    }

    // A shared folder may refuse new files while the group file itself may be
    // written: the file is then written in place. A read-only file is never
    // replaced, whatever its folder allows. Run as a user the modes bind.
    void permissions_data() {
        QTest::addColumn<bool>("folderWritable");
        QTest::addColumn<bool>("fileWritable");
        QTest::addColumn<bool>("saved");
        QTest::newRow("read-only folder, writable file") << false << true << true;
        QTest::newRow("writable folder, read-only file") << true << false << false;
        QTest::newRow("read-only folder, read-only file") << false << false << false;
    }
    void permissions() {
        QFETCH(bool, folderWritable);
        QFETCH(bool, fileWritable);
        QFETCH(bool, saved);
        UnprivilegedUser user{};
        if (!unprivilegedUser(user))
            QSKIP("there is no unprivileged user to save as");
        const QString folder = sharedFolder(user, "shared");
        const QString target = folder + "/g.k09";
        RecordingMessages messages;
        GroupStore store(messages);
        load(store, target);
        store.setLateFlag(1, 9);
        const QByteArray original = fileBytes(target);
        QCOMPARE(::chown(QFile::encodeName(target), user.uid, user.gid), 0);
        QCOMPARE(::chmod(QFile::encodeName(target), fileWritable ? 0644 : 0444), 0);
        QCOMPARE(::chmod(QFile::encodeName(folder), folderWritable ? 0755 : 0555), 0);
        const ino_t inode = inodeOf(target);

        const int status = runAsUser(user, [&] {
            if (::access(QFile::encodeName(target), R_OK) != 0)
                return childCannotRun;
            const bool written = store.saveGroupFile(target.toStdString());
            if (written)
                return messages.shown.empty() ? 0 : 2;
            return messages.shown == std::vector<std::string>{"1231 " + target.toStdString()} ? 1
                                                                                              : 2;
        });
        ::chmod(QFile::encodeName(folder), 0755);
        if (status == childCannotRun)
            QSKIP("the unprivileged user cannot reach the test folder");
        QCOMPARE(status, saved ? 0 : 1);
        QCOMPARE(entries(folder), QStringList{"g.k09"});
        QCOMPARE(inodeOf(target), inode);
        if (saved) {
            GroupStore reread(messages);
            QVERIFY(reread.loadGroupFile(target.toStdString()));
            QVERIFY(reread.isLateFlag(1, 9));
            QVERIFY(reread.publisherBuffer == store.publisherBuffer);
        } else {
            QCOMPARE(fileBytes(target), original);
        }
    }

    // Written in place, a write cut short (the file size limit, as a full
    // disk would) puts the old bytes back.
    void inPlaceWriteCutShort() {
        UnprivilegedUser user{};
        if (!unprivilegedUser(user))
            QSKIP("there is no unprivileged user to save as");
        const QString folder = sharedFolder(user, "cut");
        const QString target = folder + "/g.k09";
        RecordingMessages messages;
        GroupStore small(messages);
        load(small, target);
        const QByteArray original = fileBytes(target);
        const QString big = path("big-in-place.k09");
        fixture::writeGroupFile(big.toStdString(), fixture::largestGroup());
        GroupStore store(messages);
        QVERIFY(store.loadGroupFile(big.toStdString()));
        QCOMPARE(::chown(QFile::encodeName(target), user.uid, user.gid), 0);
        QCOMPARE(::chmod(QFile::encodeName(folder), 0555), 0);

        const int status = runAsUser(user, [&] {
            if (::access(QFile::encodeName(target), W_OK) != 0)
                return childCannotRun;
            rlimit limit{};
            limit.rlim_cur = limit.rlim_max = 40000; // the group needs about 116 000 bytes
            std::signal(SIGXFSZ, SIG_IGN);
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
                return childCannotRun;
            return store.saveGroupFile(target.toStdString()) ? 0 : 1;
        });
        ::chmod(QFile::encodeName(folder), 0755);
        if (status == childCannotRun)
            QSKIP("the unprivileged user cannot reach the test folder");
        QCOMPARE(status, 1);
        QCOMPARE(fileBytes(target), original);
        QCOMPARE(entries(folder), QStringList{"g.k09"});
    }

    // Temporary files of a save that was killed go at the next save of the
    // same file; those of a live writer and every other name stay.
    void staleTemporaries() {
        QVERIFY(QDir(dir.path()).mkpath("temps"));
        const QString target = path("temps/g.k09");
        RecordingMessages messages;
        GroupStore store(messages);
        load(store, target);
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(0);
        QVERIFY(child > 0);
        QCOMPARE(::waitpid(child, nullptr, 0), child);
        const QString dead = QString::number(child), live = QString::number(::getppid());
        const QStringList kept{"g.k09",
                               "g.k09.tmp" + live + "-3",
                               "g.k09.tmp" + dead + "-3.bak",
                               "g.k09.tmp" + dead + "-",
                               "g.k09.tmpx" + dead + "-3",
                               "other.k09.tmp" + dead + "-3"};
        const QStringList removed{"g.k09.tmp" + dead + "-3", "g.k09.tmp" + dead + "-12"};
        for (const QString& name : kept + removed) {
            QFile file(path("temps/" + name));
            if (name != "g.k09")
                QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QVERIFY(store.saveGroupFile(target.toStdString()));
        QStringList expected = kept;
        expected.sort();
        QCOMPARE(entries(path("temps")), expected);
    }

    // Replacing a file keeps what the user set on it: its permissions, and a
    // symbolic link stays a link to the replaced file.
    void replaceKeepsFileAttributes() {
        QVERIFY(QDir(dir.path()).mkpath("keep"));
        const QString real = path("keep/real.k09"), link = path("keep/link.k09");
        RecordingMessages messages;
        GroupStore store(messages);
        load(store, real);
        QVERIFY(QFile::link(real, link));
        QVERIFY(::chmod(real.toLocal8Bit().constData(), 0640) == 0);
        store.setLateFlag(1, 9);
        QVERIFY(store.saveGroupFile(link.toStdString()));
        QVERIFY(QFileInfo(link).isSymLink());
        struct stat st {};
        QCOMPARE(::stat(real.toLocal8Bit().constData(), &st), 0);
        QCOMPARE(st.st_mode & 07777, 0640u);
        QCOMPARE(entries(path("keep")), (QStringList{"link.k09", "real.k09"}));
        GroupStore reread(messages);
        QVERIFY(reread.loadGroupFile(real.toStdString()));
        QVERIFY(reread.isLateFlag(1, 9));
    }

    void createErrorPath_data() {
        QTest::addColumn<QString>("workingDir");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("shown");
        QTest::newRow("relative") << "/home/opziener"
                                  << "lijst/Groep.k09"
                                  << "/home/opziener/lijst/Groep.k09";
        QTest::newRow("absolute shown as is") << "/home/opziener"
                                              << "/data/Groep.k09"
                                              << "/data/Groep.k09";
        QTest::newRow("root folder") << "/"
                                     << "Groep.k09"
                                     << "/Groep.k09";
        QTest::newRow("working folder unknown") << ""
                                                << "Groep.k09"
                                                << "Groep.k09";
    }
    void createErrorPath() {
        QFETCH(QString, workingDir);
        QFETCH(QString, target);
        QFETCH(QString, shown);
        RecordingMessages messages;
        GroupStore store(messages);
        store.currentDirectory = [&] { return workingDir.toStdString(); };
        store.showCreateError(target.toStdString());
        QCOMPARE(messages.shown, std::vector<std::string>{"1231 " + shown.toStdString()});
    }

    // The real working folder, through a real failed save.
    void createErrorUsesWorkingFolder() {
        RecordingMessages messages;
        GroupStore store(messages);
        load(store, path("cwd.k09"));
        QVERIFY(!store.saveGroupFile("no-such-folder/Groep.k09"));
        QCOMPARE(messages.shown,
                 std::vector<std::string>{"1231 " + QDir::currentPath().toStdString() +
                                          "/no-such-folder/Groep.k09"});
    }
};

QTEST_APPLESS_MAIN(TestGroupSave)
#include "test_group_save.moc"
