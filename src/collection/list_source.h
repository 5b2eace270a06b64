#pragma once
// What the collection list reads, on screen and on paper: the loaded group
// and the cell coordinates of the report month. Nothing here changes the
// store, least of all the contact state of the publisher selected in the
// main dialog.

#include "groupdata/group_store.h"

#include <QString>

#include <cstdint>

struct ListSource {
    groupdata::GroupStore& store;
    std::uint8_t reportMonth = 0;
    std::uint8_t yearSlot = 0;
    std::uint8_t groupNumber = 0;
};

// One publisher's line of the list, for the cell (publisher, reportMonth, yearSlot).
struct ListRow {
    QString name; // first name first
    bool participated = false;
    unsigned studies = 0; // 0 shows blank
    bool auxiliaryPioneer = false;
    unsigned hours = 0; // 0 shows blank
    QString remark;     // empty unless the cell links an existing remark
};

ListRow readListRow(const ListSource& source, unsigned publisher);
// The first or second usable telephone number, or an empty text.
QString listPhoneText(const ListSource& source, unsigned publisher, bool second);
