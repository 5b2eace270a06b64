#include "mainwin/backups.h"

#include "groupdata/atomic_file.h"
#include "platform/message_box.h"
#include "res/resource.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>
#include <tuple>

// A copy is named "<number>-<yyyyMMdd-HHmmss-zzz>.<suffix>". The number counts
// up per group file, so the order of making is known whatever the clock did;
// the time is for the person looking. Copies named by the time alone (earlier
// versions) come before every numbered one.
namespace {

const QString timeFormat = "yyyyMMdd-HHmmss-zzz";
constexpr int numberWidth = 6;

} // namespace

struct GroupBackups::Copy {
    QString name;
    bool numbered = false;
    qint64 number = 0;
    QDateTime taken;
    qint64 sameMoment = 0; // the counter of a time-named copy

    bool operator<(const Copy& other) const {
        return std::tie(numbered, number, taken, sameMoment, name) <
               std::tie(other.numbered, other.number, other.taken, other.sameMoment, other.name);
    }
};

GroupBackups::GroupBackups(QString rootFolder) : root(std::move(rootFolder)) {}

QString GroupBackups::defaultRoot() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/dravo/backups";
}

QString GroupBackups::folderFor(const QString& groupFile) const {
    // Named for the file and told apart from same-named files elsewhere by its path.
    const QFileInfo info(groupFile);
    const QByteArray path = QFile::encodeName(info.absoluteFilePath());
    const QString tag = QCryptographicHash::hash(path, QCryptographicHash::Sha1).toHex().left(8);
    return root + '/' + info.fileName() + '-' + tag;
}

QList<GroupBackups::Copy> GroupBackups::copiesOldestFirst(const QString& groupFile) const {
    const QString suffix = QRegularExpression::escape('.' + QFileInfo(groupFile).suffix());
    static const QString stamp = R"((\d{8}-\d{6}-\d{3}))";
    const QRegularExpression numbered('^' + QString(R"((\d{%1,}))").arg(numberWidth) + '-' + stamp +
                                      suffix + '$');
    const QRegularExpression timeNamed('^' + stamp + R"((?:-(\d+))?)" + suffix + '$');

    QList<Copy> copies;
    const QStringList names = QDir(folderFor(groupFile)).entryList(QDir::Files, QDir::Name);
    for (const QString& name : names) {
        Copy copy;
        copy.name = name;
        if (const auto match = numbered.match(name); match.hasMatch()) {
            copy.numbered = true;
            copy.number = match.captured(1).toLongLong();
            copy.taken = QDateTime::fromString(match.captured(2), timeFormat);
        } else if (const auto old = timeNamed.match(name); old.hasMatch()) {
            copy.taken = QDateTime::fromString(old.captured(1), timeFormat);
            copy.sameMoment = old.captured(2).toLongLong();
        } else {
            continue; // not ours: never listed, never removed
        }
        copies << copy;
    }
    std::sort(copies.begin(), copies.end());
    return copies;
}

bool GroupBackups::keepCopy(const QString& groupFile, QString* error) {
    return copyAndPrune(groupFile, QString(), error);
}

bool GroupBackups::copyAndPrune(const QString& groupFile, const QString& alsoKeep, QString* error) {
    if (!QFileInfo(groupFile).isFile())
        return true;
    const QString folder = folderFor(groupFile);
    const QString suffix = '.' + QFileInfo(groupFile).suffix();
    const QList<Copy> before = copiesOldestFirst(groupFile);
    qint64 number = before.isEmpty() || !before.last().numbered ? 1 : before.last().number + 1;

    // QFile::copy never overwrites, so a copy made meanwhile under the same
    // number only moves this one on.
    QString made;
    const bool folderMade = QDir().mkpath(folder);
    for (int attempt = 0; folderMade && made.isEmpty() && attempt < 100; ++attempt, ++number) {
        const QString name = QString("%1-%2%3")
                                 .arg(number, numberWidth, 10, QChar('0'))
                                 .arg(now().toString(timeFormat), suffix);
        if (QFile::copy(groupFile, folder + '/' + name))
            made = name;
        else if (!QFileInfo::exists(folder + '/' + name))
            break;
    }
    if (made.isEmpty()) {
        if (error)
            *error = QDir::toNativeSeparators(folder);
        return false;
    }

    // Oldest first, never the copy just made nor the one asked to be kept.
    const QList<Copy> copies = copiesOldestFirst(groupFile);
    const QString keep = QFileInfo(alsoKeep).fileName();
    QDir dir(folder);
    qsizetype left = copies.size();
    for (const Copy& copy : copies) {
        if (left <= keptCopies)
            break;
        if (copy.name != made && copy.name != keep && dir.remove(copy.name))
            --left;
    }
    return true;
}

QList<BackupEntry> GroupBackups::list(const QString& groupFile) const {
    const QString folder = folderFor(groupFile);
    QList<BackupEntry> entries;
    const QList<Copy> copies = copiesOldestFirst(groupFile);
    for (auto it = copies.crbegin(); it != copies.crend(); ++it)
        entries << BackupEntry{folder + '/' + it->name, it->taken};
    return entries;
}

bool GroupBackups::restore(const QString& groupFile, const QString& backupPath, QString* error) {
    QFile backup(backupPath);
    QByteArray bytes;
    if (QFileInfo(backupPath).isFile() && backup.open(QIODevice::ReadOnly))
        bytes = backup.readAll();
    if (!backup.isOpen() || backup.error() != QFileDevice::NoError) {
        if (error)
            *error = platform::AfxFormatString1(res::IDS_RESTORE_UNREADABLE,
                                                QDir::toNativeSeparators(backupPath));
        return false;
    }
    QString folder;
    if (!copyAndPrune(groupFile, backupPath, &folder)) {
        if (error)
            *error = platform::AfxFormatString2(res::IDS_RESTORE_NO_COPY,
                                                QDir::toNativeSeparators(groupFile), folder);
        return false;
    }
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    if (!groupdata::replaceFileAtomically(QFile::encodeName(groupFile).toStdString(), data,
                                          std::size_t(bytes.size()))) {
        if (error)
            *error = platform::AfxFormatString1(res::IDS_CANNOT_CREATE,
                                                QDir::toNativeSeparators(groupFile));
        return false;
    }
    return true;
}
