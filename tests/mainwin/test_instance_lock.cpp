// One program at a time on one group file, under any of the file's names.

#include "mainwin/instance_lock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void writeFile(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

// Another process holding the lock on a file until it is killed.
class OtherProcess {
public:
    OtherProcess(const QString& lockFolder, const QString& groupFile) {
        int ready[2];
        if (::pipe(ready) != 0)
            return;
        pid = ::fork();
        if (pid == 0) {
            ::close(ready[0]);
            InstanceLock lock(lockFolder);
            const char result = lock.tryLock(groupFile) ? 'y' : 'n';
            (void)::write(ready[1], &result, 1);
            for (;;)
                ::pause();
        }
        ::close(ready[1]);
        char result = 0;
        locked = pid > 0 && ::read(ready[0], &result, 1) == 1 && result == 'y';
        ::close(ready[0]);
    }
    ~OtherProcess() { kill(); }
    // As kill -9 or a crash would: the lock file stays behind.
    void kill() {
        if (pid <= 0)
            return;
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        pid = -1;
    }
    pid_t pid = -1;
    bool locked = false;
};

} // namespace

class InstanceLockTest : public QObject {
    Q_OBJECT

private slots:
    void sameFileUnderAnotherName_data() {
        QTest::addColumn<QString>("otherName"); // relative to the folder holding Groep.k09
        QTest::newRow("same path") << "Groep.k09";
        QTest::newRow("symbolic link") << "link.k09";
        QTest::newRow("through a linked folder") << "linked/Groep.k09";
        QTest::newRow("dots in the path") << "sub/../Groep.k09";
    }
    void sameFileUnderAnotherName() {
        QFETCH(QString, otherName);
        QTemporaryDir dir;
        const QString group = dir.filePath("Groep.k09");
        writeFile(group);
        QVERIFY(QDir(dir.path()).mkpath("sub"));
        QVERIFY(QFile::link(group, dir.filePath("link.k09")));
        QVERIFY(QFile::link(dir.path(), dir.filePath("linked")));

        InstanceLock first(dir.filePath("locks"));
        QVERIFY(first.tryLock(dir.filePath(otherName)));
        QCOMPARE(first.lockedPath(), QFileInfo(group).canonicalFilePath());
        InstanceLock second(dir.filePath("locks"));
        QVERIFY(!second.tryLock(group));
        QVERIFY(second.heldByOther());
        QCOMPARE(second.lockedPath(), QString());
        OtherProcess other(dir.filePath("locks"), group);
        QVERIFY(other.pid > 0);
        QVERIFY(!other.locked);

        first.unlock();
        QVERIFY(second.tryLock(group));
    }

    void otherFilesAreFree() {
        QTemporaryDir dir;
        writeFile(dir.filePath("a.k09"));
        InstanceLock first(dir.filePath("locks"));
        InstanceLock second(dir.filePath("locks"));
        QVERIFY(first.tryLock(dir.filePath("a.k09")));
        QVERIFY(second.tryLock(dir.filePath("b.k09"))); // not there yet
        // Locking another file lets go of the first.
        QVERIFY(first.tryLock(dir.filePath("c.k09")));
        QVERIFY(second.tryLock(dir.filePath("a.k09")));
    }

    // A lock held by a live process refuses; once that process is killed its
    // lock is taken over.
    void lockOfAKilledProcessIsTakenOver() {
        QTemporaryDir dir;
        const QString group = dir.filePath("Groep.k09");
        writeFile(group);
        OtherProcess other(dir.filePath("locks"), group);
        QVERIFY(other.locked);
        InstanceLock mine(dir.filePath("locks"));
        QVERIFY(!mine.tryLock(group));
        other.kill();
        QVERIFY(QFile::exists(mine.lockFileFor(group)));
        QVERIFY(mine.tryLock(group));
        QCOMPARE(mine.lockedPath(), QFileInfo(group).canonicalFilePath());
    }

    // A lock folder that cannot be made is no sign of another process.
    void noLockFolder() {
        QTemporaryDir dir;
        writeFile(dir.filePath("plain"));
        InstanceLock lock(dir.filePath("plain/locks"));
        QVERIFY(!lock.tryLock(dir.filePath("Groep.k09")));
        QVERIFY(!lock.heldByOther());
        QCOMPARE(lock.lockedPath(), QString());
    }

    void unlockedWhenGone() {
        QTemporaryDir dir;
        const QString group = dir.filePath("Groep.k09");
        {
            InstanceLock lock(dir.filePath("locks"));
            QVERIFY(lock.tryLock(group));
            QVERIFY(QFile::exists(lock.lockFileFor(group)));
        }
        InstanceLock again(dir.filePath("locks"));
        QVERIFY(!QFile::exists(again.lockFileFor(group)));
        QVERIFY(again.tryLock(group));
    }
};

QTEST_GUILESS_MAIN(InstanceLockTest)
#include "test_instance_lock.moc"
