#include "mainwin/backups.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

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

bool GroupBackups::keepCopy(const QString& groupFile, QString* error) {
    if (!QFileInfo(groupFile).isFile())
        return true;
    const QString folder = folderFor(groupFile);
    const QString suffix = '.' + QFileInfo(groupFile).suffix();
    const QString stamp = now().toString("yyyyMMdd-HHmmss-zzz");
    QString copy = folder + '/' + stamp + suffix;
    for (int n = 2; QFileInfo::exists(copy); ++n)
        copy = folder + '/' + stamp + '-' + QString::number(n) + suffix;

    if (!QDir().mkpath(folder) || !QFile::copy(groupFile, copy)) {
        if (error)
            *error = QDir::toNativeSeparators(folder);
        return false;
    }

    // The names sort by time; drop the oldest beyond the kept number.
    QDir dir(folder);
    const QStringList copies = dir.entryList({"*" + suffix}, QDir::Files, QDir::Name);
    for (qsizetype i = 0; i + keptCopies < copies.size(); ++i)
        dir.remove(copies[i]);
    return true;
}
