// Copies of the group file kept before a run replaces it, and putting one back.

#include "mainwin/backups.h"

#include "platform/message_box.h"
#include "res/resource.h"
#include "support/file_bytes.h"

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

QStringList contentsOf(const QList<BackupEntry>& entries) {
    QStringList contents;
    for (const BackupEntry& entry : entries)
        contents << QString::fromLatin1(fileBytes(entry.path));
    return contents;
}

const QDateTime morning(QDate(2026, 12, 11), QTime(9, 0, 0, 250));

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
        QCOMPARE(fileBytes(folder.filePath(copies.first())), QByteArray("round 6"));
        QCOMPARE(fileBytes(folder.filePath(copies.last())), QByteArray("round 25"));
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

    // Whatever the clock does, the copy made last is listed first, the names
    // sort in the order of making, and pruning drops the copies made first.
    void orderOfMaking_data() {
        QTest::addColumn<QList<qint64>>("clockSteps"); // ms the clock moves before each copy
        QList<qint64> forward, sameMoment, setBackOnce, backEveryTime;
        for (int i = 0; i < GroupBackups::keptCopies + 5; ++i) {
            forward << 60000;
            sameMoment << 0;
            setBackOnce << (i == 22 ? -365LL * 24 * 3600 * 1000 : 1);
            backEveryTime << -1;
        }
        QTest::newRow("clock going forward") << forward;
        QTest::newRow("all in one millisecond") << sameMoment;
        QTest::newRow("clock set back a year") << setBackOnce;
        QTest::newRow("clock going back") << backEveryTime;
    }
    void orderOfMaking() {
        QFETCH(QList<qint64>, clockSteps);
        QTemporaryDir dir;
        const QString group = dir.filePath("Groep.k09");
        GroupBackups backups(dir.filePath("backups"));
        QDateTime clock = morning;
        backups.now = [&] { return clock; };
        QStringList made;
        QList<QDateTime> times;
        for (int round = 1; round <= clockSteps.size(); ++round) {
            clock = clock.addMSecs(clockSteps[round - 1]);
            made.prepend("round " + QString::number(round));
            times.prepend(clock);
            writeFile(group, made.first().toLatin1());
            QVERIFY(backups.keepCopy(group));
            QCOMPARE(QString::fromLatin1(fileBytes(backups.list(group).first().path)),
                     made.first());
        }
        const QList<BackupEntry> entries = backups.list(group);
        QCOMPARE(contentsOf(entries), made.mid(0, GroupBackups::keptCopies));
        for (qsizetype i = 0; i < entries.size(); ++i)
            QCOMPARE(entries[i].taken, times[i]);
        QStringList names = QDir(backups.folderFor(group)).entryList(QDir::Files, QDir::Name);
        std::reverse(names.begin(), names.end());
        QStringList listed;
        for (const BackupEntry& entry : entries)
            listed << QFileInfo(entry.path).fileName();
        QCOMPARE(names, listed);
    }

    // Files in the folder that are not copies of ours stay, and are not
    // listed; copies named by time alone count as made before numbered ones.
    void foreignAndTimeNamedFiles() {
        QTemporaryDir dir;
        const QString group = dir.filePath("Groep.k09");
        GroupBackups backups(dir.filePath("backups"));
        backups.now = [] { return morning; };
        const QString folder = backups.folderFor(group);
        QVERIFY(QDir().mkpath(folder));
        writeFile(folder + "/20270101-000000-000-2.k09", "old, same moment");
        writeFile(folder + "/20270101-000000-000.k09", "old");
        writeFile(folder + "/20260101-000000-000.k09", "older");
        writeFile(folder + "/notes.txt", "mine");
        writeFile(folder + "/000001-20260101-000000-000.k19", "another suffix");
        writeFile(group, "now");
        QVERIFY(backups.keepCopy(group));
        const QList<BackupEntry> entries = backups.list(group);
        QCOMPARE(contentsOf(entries), (QStringList{"now", "old, same moment", "old", "older"}));
        QCOMPARE(entries[2].taken, QDateTime(QDate(2027, 1, 1), QTime(0, 0)));
        for (int i = 0; i < GroupBackups::keptCopies; ++i)
            QVERIFY(backups.keepCopy(group));
        QCOMPARE(backups.list(group).size(), GroupBackups::keptCopies);
        QCOMPARE(contentsOf(backups.list(group)).count("now"), GroupBackups::keptCopies);
        QCOMPARE(fileBytes(folder + "/notes.txt"), QByteArray("mine"));
        QCOMPARE(fileBytes(folder + "/000001-20260101-000000-000.k19"),
                 QByteArray("another suffix"));
    }

    // Restoring keeps the current file as the newest copy first, and keeps
    // the restored copy even when it was the oldest of a full folder.
    void restore_data() {
        QTest::addColumn<int>("restoredAge"); // 0 = the newest copy
        QTest::newRow("newest copy") << 0;
        QTest::newRow("oldest of a full folder") << GroupBackups::keptCopies - 1;
    }
    void restore() {
        QFETCH(int, restoredAge);
        QTemporaryDir dir;
        const QString group = dir.filePath("Groep.k09");
        GroupBackups backups(dir.filePath("backups"));
        QDateTime clock = morning;
        backups.now = [&] { return clock = clock.addSecs(1); };
        for (int round = 1; round <= GroupBackups::keptCopies; ++round) {
            writeFile(group, "round " + QByteArray::number(round));
            QVERIFY(backups.keepCopy(group));
        }
        writeFile(group, "current");
        const QString chosen = backups.list(group)[restoredAge].path;
        const QByteArray chosenBytes = fileBytes(chosen);

        QString error;
        QVERIFY(backups.restore(group, chosen, &error));
        QCOMPARE(error, QString());
        QCOMPARE(fileBytes(group), chosenBytes);
        const QList<BackupEntry> entries = backups.list(group);
        QCOMPARE(entries.size(), GroupBackups::keptCopies);
        QCOMPARE(fileBytes(entries.first().path), QByteArray("current"));
        QCOMPARE(fileBytes(chosen), chosenBytes);
    }

    void restoreFailures_data() {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("message"); // {group}, {backup} and {folder} are replaced
        QTest::newRow("copy gone")
            << "copy gone" << platform::AfxFormatString1(res::IDS_RESTORE_UNREADABLE, "{backup}");
        QTest::newRow("copy is a folder")
            << "copy is a folder"
            << platform::AfxFormatString1(res::IDS_RESTORE_UNREADABLE, "{backup}");
        QTest::newRow("no copy of the current file")
            << "backup folder refused"
            << platform::AfxFormatString2(res::IDS_RESTORE_NO_COPY, "{group}", "{folder}");
        QTest::newRow("group file is a folder")
            << "group is a folder" << platform::AfxFormatString1(res::IDS_CANNOT_CREATE, "{group}");
    }
    void restoreFailures() {
        QFETCH(QString, failure);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QString group = dir.filePath("Groep.k09");
        GroupBackups backups(dir.filePath("backups"));
        writeFile(group, "old");
        QVERIFY(backups.keepCopy(group));
        QString backup = backups.list(group).first().path;
        writeFile(group, "current");
        if (failure == "copy gone") {
            QVERIFY(QFile::remove(backup));
        } else if (failure == "copy is a folder") {
            backup = dir.filePath("a-folder.k09");
            QVERIFY(QDir().mkpath(backup));
        } else if (failure == "backup folder refused") {
            // The copies' folder under a regular file cannot be made, not even by root.
            writeFile(dir.filePath("plain"), "");
            backups = GroupBackups(dir.filePath("plain/backups"));
        } else {
            group = dir.filePath("folder.k09");
            QVERIFY(QDir().mkpath(group));
        }
        const QStringList copiesBefore = contentsOf(backups.list(group));

        QString error;
        QVERIFY(!backups.restore(group, backup, &error));
        message.replace("{group}", group)
            .replace("{backup}", backup)
            .replace("{folder}", backups.folderFor(group));
        QCOMPARE(error, message);
        if (QFileInfo(group).isFile())
            QCOMPARE(fileBytes(group), QByteArray("current"));
        QCOMPARE(contentsOf(backups.list(group)), copiesBefore);
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
        QCOMPARE(fileBytes(group), QByteArray("x"));
    }
};

QTEST_MAIN(BackupsTest)
#include "support/file_bytes.h"
#include "test_backups.moc"
