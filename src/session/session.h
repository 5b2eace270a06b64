#pragma once
// The state of one run of the program: the loaded group, the report month it
// collects, the last report entered, and writing the group back to its file.
// The main dialog holds one and hands it to the dialogs that read or change
// the group; none of them needs to know the main dialog.

#include "groupdata/group_store.h"

#include <QString>

class Session {
public:
    explicit Session(groupdata::StoreMessages& messages);

    groupdata::GroupStore& store() { return groupStore; }
    const groupdata::GroupStore& store() const { return groupStore; }

    // A publisher's display name as the user reads it.
    QString displayText(unsigned publisher, bool lastNameFirst) const;

    // The reports a run started now collects: those of the month before.
    void startReportPeriod();

    // The display name of the publisher whose report was committed last.
    QString lastEntry;

private:
    groupdata::GroupStore groupStore;
};
