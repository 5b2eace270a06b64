#include "session/session.h"

#include "platform/group_text.h"
#include "session/backups.h"

#include <QDateTime>

Session::Session(SessionMessages& sink) : messages(sink), groupStore(sink) {}

QString Session::displayText(unsigned publisher, bool lastNameFirst) const {
    return fromGroupText(groupStore.displayName(publisher, lastNameFirst));
}

void Session::startReportPeriod() {
    const groupdata::ReportPeriod period = groupdata::reportPeriodOn(groupStore.localTime());
    groupStore.reportMonth = groupStore.defaultMonth = period.month;
    groupStore.reportYear = period.year;
    groupStore.yearSlot = period.slot;
}

void Session::saveLoadedGroup() {
    // A ".K09" file is written back like a ".k09" one: it opens like one, and
    // leaving it alone would silently drop every report entered into it.
    const QString path = fromStorePath(groupStore.loadedPath);
    if (hasGroupFileExtension(path) && groupStore.publisherCount > 1) {
        keepBackup(path);
        groupStore.saveGroupFile(groupStore.loadedPath);
    }
}

void Session::openGroupFile(const QString& path) {
    saveLoadedGroup();
    groupStore.loadGroupFile(toStorePath(path));
    lastEntry.clear();
}

void Session::keepBackup(const QString& groupFile) {
    // A copy that cannot be made must not keep the entries from being saved.
    GroupBackups backups;
    backups.now = [this] {
        std::tm t = groupStore.localTime();
        return QDateTime(QDate(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday),
                         QTime(t.tm_hour, t.tm_min, t.tm_sec));
    };
    QString folder;
    if (!backups.keepCopy(groupFile, &folder))
        messages.backupFailed(groupFile, folder);
}
