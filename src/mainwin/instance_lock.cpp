#include "mainwin/instance_lock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace {

// Every name of one file comes to the same path; a file not yet there is
// known by its absolute path.
QString canonicalOf(const QString& file) {
    const QFileInfo info(file);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

} // namespace

InstanceLock::InstanceLock(QString lockFolder) : folder(std::move(lockFolder)) {}

InstanceLock::~InstanceLock() = default; // QLockFile removes its file

QString InstanceLock::defaultFolder() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

QString InstanceLock::lockFileFor(const QString& groupFile) const {
    const QByteArray path = QFile::encodeName(canonicalOf(groupFile));
    const QString tag = QCryptographicHash::hash(path, QCryptographicHash::Sha1).toHex();
    return folder + "/dravo-" + tag + ".lock";
}

bool InstanceLock::tryLock(const QString& groupFile) {
    unlock();
    auto next = std::make_unique<QLockFile>(lockFileFor(groupFile));
    // A lock is held for a whole run, so its age says nothing; only a lock
    // whose process is gone is stale, and QLockFile finds that out itself.
    next->setStaleLockTime(0);
    if (!QDir().mkpath(folder) || !next->tryLock(0)) {
        otherHolds = next->error() == QLockFile::LockFailedError;
        return false;
    }
    lock = std::move(next);
    locked = canonicalOf(groupFile);
    return true;
}

void InstanceLock::unlock() {
    lock.reset();
    otherHolds = false;
    locked.clear();
}

QString InstanceLock::lockedPath() const {
    return locked;
}
