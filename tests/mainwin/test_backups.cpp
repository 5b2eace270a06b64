// Copies of the group file kept before the exit replaces it.

#include "mainwin/backups.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class BackupsTest : public QObject {
    Q_OBJECT

private slots:
    void keepsTheNewestCopies() {
        QTemporaryDir dir;
        const QString group = dir.filePath("Groep.k09");
        GroupBackups backups(dir.filePath("backups"));
        QDateTime clock(QDate(2026, 12, 11), QTime(9, 0));
        backups.now = [&] { return clock; };
        for (int round = 1; round <= GroupBackups::keptCopies + 5; ++round) {
            writeFile(group, "round " + QByteArray::number(round));
            QVERIFY(backups.keepCopy(group));
            clock = clock.addSecs(60);
        }
        const QDir folder(backups.folderFor(group));
        const QStringList copies = folder.entryList(QDir::Files, QDir::Name);
        QCOMPARE(copies.size(), GroupBackups::keptCopies);
        QCOMPARE(readFile(folder.filePath(copies.first())), QByteArray("round 6"));
        QCOMPARE(readFile(folder.filePath(copies.last())), QByteArray("round 25"));
        QVERIFY(copies.first().endsWith(".k09"));
    }

    void copiesInTheSameMomentAreAllKept() {
        QTemporaryDir dir;
        const QString group = dir.filePath("Groep.k09");
        writeFile(group, "x");
        GroupBackups backups(dir.filePath("backups"));
        backups.now = [] { return QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)); };
        QVERIFY(backups.keepCopy(group));
        QVERIFY(backups.keepCopy(group));
        QCOMPARE(QDir(backups.folderFor(group)).entryList(QDir::Files).size(), 2);
    }

    void sameNameInAnotherFolderHasItsOwnCopies() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("a") && QDir(dir.path()).mkpath("b"));
        GroupBackups backups(dir.filePath("backups"));
        QVERIFY(backups.folderFor(dir.filePath("a/Groep.k09")) !=
                backups.folderFor(dir.filePath("b/Groep.k09")));
        QVERIFY(backups.folderFor(dir.filePath("a/Groep.k09")).contains("Groep.k09"));
    }

    void missingGroupFileNeedsNoCopy() {
        QTemporaryDir dir;
        GroupBackups backups(dir.filePath("backups"));
        QVERIFY(backups.keepCopy(dir.filePath("Nieuw.k09")));
        QVERIFY(!QFileInfo::exists(dir.filePath("backups")));
    }

    void unwritableFolderIsReported() {
        QTemporaryDir dir;
        const QString group = dir.filePath("Groep.k09");
        writeFile(group, "x");
        // A folder under a regular file cannot be made, not even by root.
        writeFile(dir.filePath("plain"), "");
        GroupBackups backups(dir.filePath("plain/backups"));
        QString error;
        QVERIFY(!backups.keepCopy(group, &error));
        QVERIFY(error.startsWith(dir.filePath("plain/backups")));
        QCOMPARE(readFile(group), QByteArray("x"));
    }
};

QTEST_MAIN(BackupsTest)
#include "test_backups.moc"
