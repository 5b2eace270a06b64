#pragma once
// Copies of a group file taken just before the exit replaces it, so that a
// mistaken round of entries can be undone. Each group file has a folder of its
// own under the user's data folder; the newest copies are kept.

#include <QDateTime>
#include <QString>

#include <functional>

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
    // keptCopies. A missing group file needs no copy and succeeds. On failure
    // returns false with a description for the user in error.
    bool keepCopy(const QString& groupFile, QString* error = nullptr);

    // The clock naming the copies; tests replace it.
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };

private:
    QString root;
};
