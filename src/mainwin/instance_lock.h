#pragma once
// One program at a time on one group file: a lock named for the file's
// canonical path, kept in the user's runtime folder so that a group file in
// a read-only or shared folder can be locked too. A lock left by a process
// that died is taken over.

#include <QString>

#include <memory>

class QLockFile;

class InstanceLock {
public:
    // folder: where the lock files are kept.
    explicit InstanceLock(QString folder = defaultFolder());
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // The user's runtime folder, or the temporary folder where there is none.
    static QString defaultFolder();

    // Locks groupFile under whatever name it is given (a symbolic link, a
    // relative path), releasing the file locked before. False, with nothing
    // locked, when a live process holds the lock or it cannot be made.
    bool tryLock(const QString& groupFile);
    // After a failed tryLock: true when another live process holds the lock,
    // false when no lock could be made at all (the lock folder refused it),
    // which says nothing about other processes.
    bool heldByOther() const { return otherHolds; }
    void unlock();
    // The canonical path of the locked group file; empty when none is locked.
    QString lockedPath() const;

    // The lock file that stands for groupFile.
    QString lockFileFor(const QString& groupFile) const;

private:
    QString folder;
    std::unique_ptr<QLockFile> lock;
    QString locked;
    bool otherHolds = false;
};
