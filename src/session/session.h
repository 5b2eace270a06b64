#pragma once
// The state of one run of the program: the loaded group, the report month it
// collects, the last report entered, and writing the group back to its file.
// The main dialog holds one and hands it to the dialogs that read or change
// the group; none of them needs to know the main dialog.

#include "groupdata/group_store.h"

#include <QString>

// What the session needs to tell the user, besides the store's messages.
class SessionMessages : public groupdata::StoreMessages {
public:
    // String 1497: no copy of groupFile could be made in folder.
    virtual void backupFailed(const QString& groupFile, const QString& folder) = 0;
};

class Session {
public:
    explicit Session(SessionMessages& messages);

    groupdata::GroupStore& store() { return groupStore; }
    const groupdata::GroupStore& store() const { return groupStore; }

    // A publisher's display name as the user reads it.
    QString displayText(unsigned publisher, bool lastNameFirst) const;

    // The reports a run started now collects: those of the month before.
    void startReportPeriod();

    // Writes the loaded group back over its file, after keeping a copy of it;
    // only a group file of more than one publisher is written.
    void saveLoadedGroup();
    // Replaces the loaded group by the one in path, after saving the old one
    // as the exit would; the last entry belonged to the old group.
    void openGroupFile(const QString& path);

    // The display name of the publisher whose report was committed last.
    QString lastEntry;

private:
    // Keeps a copy of the group file a save is about to replace.
    void keepBackup(const QString& groupFile);

    SessionMessages& messages;
    groupdata::GroupStore groupStore;
};
