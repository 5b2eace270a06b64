// Queries and changes on the loaded group: reports, names, contacts, remarks
// and late flags. Out-of-range publishers, months or slots find nothing and
// change nothing.
#include "groupdata/group_store.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace groupdata {

namespace {

constexpr std::size_t minimumPhoneLength = 6;

std::uint16_t cell(const std::uint8_t* rec, unsigned category, unsigned month, unsigned slot) {
    return readU16(rec + PublisherRecord::cellOffset(category, month, slot));
}

std::string field(const std::uint8_t* rec, std::size_t offset, std::size_t width) {
    return readText(rec + offset, width);
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

bool GroupStore::isReportMissing(unsigned publisher, unsigned month, unsigned slot) const {
    const std::uint8_t* rec = record(publisher);
    if (!rec || !isCell(month, slot))
        return false;
    return (cell(rec, Studies, month, slot) & participatedBit) == 0 &&
           cell(rec, RemarkIndex, month, slot) == 0;
}

const std::string& GroupStore::displayName(unsigned publisher, bool lastNameFirst) const {
    nameBuffer.clear();
    const std::uint8_t* rec = record(publisher);
    if (!rec)
        return nameBuffer;
    const std::string first =
        field(rec, PublisherRecord::firstNameOffset, PublisherRecord::nameWidth);
    const std::string last =
        field(rec, PublisherRecord::lastNameOffset, PublisherRecord::nameWidth);
    if (lastNameFirst || languageName == "cz")
        nameBuffer = last + ", " + first;
    else
        nameBuffer = first + " " + last;
    return nameBuffer;
}

std::array<std::string, 3> GroupStore::usablePhones(const std::uint8_t* rec,
                                                    unsigned& count) const {
    // A number too short to dial is overwritten by the next field's number.
    std::array<std::string, 3> list;
    count = 0;
    for (unsigned i = 0; i < 3; ++i) {
        list[count] = field(rec, PublisherRecord::phoneOffset + PublisherRecord::phoneWidth * i,
                            PublisherRecord::phoneWidth);
        if (list[count].size() >= minimumPhoneLength)
            ++count;
    }
    return list;
}

unsigned GroupStore::gatherContacts(unsigned publisher) {
    const std::uint8_t* rec = record(publisher);
    unsigned count = 0;
    if (rec) {
        phoneList = usablePhones(rec, count);
    } else {
        phoneList = {};
    }
    phoneCount = static_cast<std::uint8_t>(count);
    phoneCursor = 0;
    contactEmail.clear();
    if (rec && isReportMissing(publisher, reportMonth, yearSlot))
        contactEmail = field(rec, PublisherRecord::emailOffset, PublisherRecord::emailWidth);
    if (!isContactEmailValid())
        contactEmail.clear();
    return count;
}

bool GroupStore::isContactEmailValid() {
    const auto begin = std::find_if_not(contactEmail.begin(), contactEmail.end(), isBlank);
    const auto end = std::find_if_not(contactEmail.rbegin(), contactEmail.rend(), isBlank).base();
    contactEmail = begin < end ? std::string(begin, end) : std::string();
    const auto at = contactEmail.find('@');
    return at != std::string::npos && at >= 1 &&
           contactEmail.find('.', at + 1) != std::string::npos;
}

std::string GroupStore::listPhone(unsigned publisher, bool second) const {
    const std::uint8_t* rec = record(publisher);
    if (!rec)
        return {};
    unsigned count = 0;
    const auto list = usablePhones(rec, count);
    const unsigned wanted = second ? 2 : 1;
    return count >= wanted ? list[wanted - 1] : std::string();
}

std::uint16_t GroupStore::categoryValue(unsigned publisher, unsigned month, unsigned slot,
                                        unsigned category) const {
    const std::uint8_t* rec = record(publisher);
    if (!rec || !isCell(month, slot) || category >= categoryCount)
        return 0;
    const std::uint16_t value = cell(rec, category, month, slot);
    return category == Studies ? value & studiesCountMask : value;
}

bool GroupStore::isSpareRemarkEntry(unsigned entry) const {
    if (entry < 1 || entry > remarkCount || remarkTable.size() < entry * remarkRecordSize)
        return false;
    const auto first =
        remarkTable.begin() + static_cast<std::ptrdiff_t>((entry - 1) * remarkRecordSize);
    if (!std::all_of(first, first + remarkRecordSize, [](std::uint8_t b) { return b == 0; }))
        return false;
    for (unsigned p = 1; p <= publisherCount; ++p) {
        const std::uint8_t* rec = record(p);
        for (unsigned month = 0; month < 12; ++month)
            for (unsigned slot = 0; slot < 3; ++slot)
                if (rec && cell(rec, RemarkIndex, month, slot) == entry)
                    return false;
    }
    return true;
}

bool GroupStore::reserveRemarkEntry() {
    const std::size_t needed = (std::size_t{remarkCount} + 1) * remarkRecordSize;
    try {
        if (remarkTable.size() < needed)
            remarkTable.resize(needed + 16 * remarkRecordSize, 0);
    } catch (const std::bad_alloc&) {
        messages.lowMemory();
        return false;
    }
    ++remarkCount;
    std::fill_n(remarkTable.begin() + static_cast<std::ptrdiff_t>(needed - remarkRecordSize),
                remarkRecordSize, 0);
    return true;
}

unsigned GroupStore::findOrAddRemark(unsigned publisher, unsigned month, unsigned slot,
                                     std::string& text, bool lookupOnly) {
    text.clear();
    const std::uint8_t* rec = record(publisher);
    if (!rec || !isCell(month, slot))
        return 0;
    const unsigned r = cell(rec, RemarkIndex, month, slot);
    if (r >= 1 && r <= remarkCount) {
        text = remark(r).text();
        return r;
    }
    if (lookupOnly)
        return 0;
    // The report dialog reserves an entry each time it shows a cell without a
    // remark, whether or not one is typed. The newest entry, while it is still
    // blank and no cell links to it, serves the next reservation, so paging
    // through months and publishers does not fill the table with blanks.
    if (isSpareRemarkEntry(remarkCount))
        return remarkCount;
    if (remarkCount >= maxRemarks) {
        messages.remarkTableFull();
        return r;
    }
    return reserveRemarkEntry() ? remarkCount : r;
}

bool GroupStore::storeRemark(unsigned publisher, unsigned month, unsigned slot, unsigned entry,
                             const std::string& text) {
    std::uint8_t* rec = record(publisher);
    if (!rec || !isCell(month, slot))
        return false;
    if (text.empty() || text.front() == ' ') {
        writeU16(rec + PublisherRecord::cellOffset(RemarkIndex, month, slot), 0);
        return false;
    }
    // Any existing entry can be rewritten, also when the table is full: only
    // reserving a new entry is limited.
    if (entry < 1 || entry > remarkCount || remarkTable.size() < entry * remarkRecordSize)
        return false;
    RemarkRecord stored = remark(entry);
    stored.setText(text.substr(0, remarkTextMax));
    std::copy(stored.bytes.begin(), stored.bytes.end(),
              remarkTable.begin() + static_cast<std::ptrdiff_t>((entry - 1) * remarkRecordSize));
    return true;
}

void GroupStore::setLateFlag(unsigned publisher, unsigned month) {
    std::uint8_t* rec = record(publisher);
    if (rec && month < monthCount)
        rec[PublisherRecord::lateFlagOffset(month)] = 1;
}

bool GroupStore::isLateFlag(unsigned publisher, unsigned month) const {
    const std::uint8_t* rec = record(publisher);
    return rec && month < monthCount && rec[PublisherRecord::lateFlagOffset(month)] == 1;
}

} // namespace groupdata
