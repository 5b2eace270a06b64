// Noticing that a file changed on disk between two of our own reads or writes.
#include "groupdata/atomic_file.h"
#include "groupdata/file_stamp.h"

#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using groupdata::FileStamp;
using groupdata::stampOf;

namespace {

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Moves the modification time a second on, so a rewrite within the file
// system's time granularity still shows.
bool touchLater(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path), &st) != 0)
        return false;
    timespec times[2] = {st.st_atim, st.st_mtim};
    times[1].tv_sec += 1;
    return ::utimensat(AT_FDCWD, QFile::encodeName(path), times, 0) == 0;
}

} // namespace

class TestFileStamp : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void unchangedFileKeepsItsStamp() {
        const QString file = dir.filePath("same.k09");
        QVERIFY(writeFile(file, "abc"));
        const FileStamp first = stampOf(localPath(file));
        QVERIFY(first.exists);
        QCOMPARE(first.size, 3);
        QVERIFY(first == stampOf(localPath(file)));
        // Reading it, or naming it through a link, is no change.
        QFile read(file);
        QVERIFY(read.open(QIODevice::ReadOnly));
        read.readAll();
        QVERIFY(QFile::link(file, dir.filePath("link.k09")));
        QVERIFY(first == stampOf(localPath(dir.filePath("link.k09"))));
    }

    void changes_data() {
        QTest::addColumn<QString>("change");
        QTest::newRow("rewritten in place, same size") << "in place";
        QTest::newRow("replaced by a rename, same bytes") << "replaced";
        QTest::newRow("grown") << "grown";
        QTest::newRow("removed") << "removed";
        QTest::newRow("created") << "created";
    }
    void changes() {
        QFETCH(QString, change);
        const QString file = dir.filePath(change + ".k09");
        if (change != "created")
            QVERIFY(writeFile(file, "abc"));
        const FileStamp before = stampOf(localPath(file));
        QCOMPARE(before.exists, change != "created");

        if (change == "in place") {
            QVERIFY(writeFile(file, "xyz"));
            QVERIFY(touchLater(file));
        } else if (change == "replaced") {
            const std::uint8_t same[] = {'a', 'b', 'c'};
            QVERIFY(groupdata::replaceFileAtomically(localPath(file), same, sizeof same));
        } else if (change == "grown") {
            QFile grow(file);
            QVERIFY(grow.open(QIODevice::Append));
            grow.write("d");
        } else if (change == "removed") {
            QVERIFY(QFile::remove(file));
        } else {
            QVERIFY(writeFile(file, ""));
        }
        QVERIFY(before != stampOf(localPath(file)));
    }

    void missingFilesAreAlike() {
        QVERIFY(stampOf(localPath(dir.filePath("none-1"))) ==
                stampOf(localPath(dir.filePath("none-2"))));
        QVERIFY(!stampOf(localPath(dir.filePath("none-1"))).exists);
    }
};

QTEST_APPLESS_MAIN(TestFileStamp)
#include "test_file_stamp.moc"
