#include "collection/list_source.h"

#include "platform/group_text.h"

ListRow readListRow(const ListSource& source, unsigned publisher) {
    groupdata::GroupStore& store = source.store;
    const unsigned month = source.reportMonth;
    const unsigned slot = source.yearSlot;
    ListRow row;
    row.name = fromGroupText(store.displayName(publisher, false));
    if (month < 12 && slot < 3) {
        const groupdata::PublisherRecord record = store.publisher(publisher);
        row.participated = record.participated(month, slot);
        row.auxiliaryPioneer = (record.pioneerStatus(month, slot) & 3) == 1;
    }
    row.studies = store.categoryValue(publisher, month, slot, 4);
    row.hours = store.categoryValue(publisher, month, slot, 2);
    std::string remark;
    store.findOrAddRemark(publisher, month, slot, remark, true);
    row.remark = fromGroupText(remark);
    return row;
}

QString listPhoneText(const ListSource& source, unsigned publisher, bool second) {
    return fromGroupText(source.store.listPhone(publisher, second));
}
