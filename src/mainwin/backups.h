#pragma once
// Copies of a group file taken before a run first replaces it, so that a
// mistaken round of entries can be undone. Each group file has a folder of its
// own under the user's data folder; the newest copies are kept.

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>

struct BackupEntry {
    QString path;
    QDateTime taken; // the clock's time when the copy was made
};

class GroupBackups {
public:
    static constexpr int keptCopies = 20;

    // root: the folder that holds every group file's backup folder.
    explicit GroupBackups(QString root = defaultRoot());

    // ~/.local/share/dravo/backups (the XDG data location).
    static QString defaultRoot();
    // The folder that holds the copies of groupFile.
    QString folderFor(const QString& groupFile) const;

    // Copies groupFile into its folder and drops the oldest copies beyond
    // keptCopies; the copy just made is always kept. A missing group file
    // needs no copy and succeeds. On failure returns false with the folder
    // that refused the copy in error.
    bool keepCopy(const QString& groupFile, QString* error = nullptr);

    // The copies of groupFile, newest first. Newest means made last: the
    // order holds also when the clock was set back between two copies.
    QList<BackupEntry> list(const QString& groupFile) const;

    // Puts the bytes of backupPath back into groupFile, after keeping a copy
    // of groupFile as it is now, and replaces it the way a save does. On
    // failure groupFile is as it was and error holds the message for the user.
    bool restore(const QString& groupFile, const QString& backupPath, QString* error = nullptr);

    // The clock naming the copies; tests replace it.
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };

private:
    struct Copy;
    QList<Copy> copiesOldestFirst(const QString& groupFile) const;
    bool copyAndPrune(const QString& groupFile, const QString& alsoKeep, QString* error);

    QString root;
};
