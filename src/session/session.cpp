#include "session/session.h"

#include "platform/group_text.h"

Session::Session(groupdata::StoreMessages& messages) : groupStore(messages) {}

QString Session::displayText(unsigned publisher, bool lastNameFirst) const {
    return fromGroupText(groupStore.displayName(publisher, lastNameFirst));
}

void Session::startReportPeriod() {
    const groupdata::ReportPeriod period = groupdata::reportPeriodOn(groupStore.localTime());
    groupStore.reportMonth = groupStore.defaultMonth = period.month;
    groupStore.reportYear = period.year;
    groupStore.yearSlot = period.slot;
}
