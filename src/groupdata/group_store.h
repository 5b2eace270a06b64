#pragma once
// The in-memory copy of one group file for the whole run: loading, saving and
// the queries and changes every dialog makes on publishers, months and remarks.
// Standard C++ only; messages reach the user through StoreMessages.

#include "group_records.h"

#include <array>
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace groupdata {

// What the store needs to tell the user. The UI supplies a message-box
// implementation; tests capture the calls.
class StoreMessages {
public:
    virtual ~StoreMessages() = default;
    virtual void lowMemory() = 0;                                // "Low Memory"
    virtual void cannotCreate(const std::string& shownPath) = 0; // string 1231
    virtual void tooFewPublishers() = 0;                         // string 1232
    virtual void remarkTableFull() = 0;                          // string 1033
};

// A report month with its year counted from 2000 and the year slot the year
// decides.
struct ReportPeriod {
    std::uint8_t month;
    std::uint8_t year;
    std::uint8_t slot;
};
// The reports of month (0..11) as seen on day: those of the latest such month
// that is not after day's calendar month, so a December list opened in
// February is last year's.
ReportPeriod reportPeriodOf(unsigned month, const std::tm& day);
// The reports a run started on day collects: those of the month before.
ReportPeriod reportPeriodOn(const std::tm& day);

class GroupStore {
public:
    static constexpr unsigned maxRemarks = 254;
    static constexpr unsigned remarkTextMax = 36;

    explicit GroupStore(StoreMessages& messages);
    virtual ~GroupStore() = default;

    // Loading and saving. Paths are in the file system's own encoding (UTF-8 on Linux).
    bool allocateGroupBuffers();
    void freeGroupBuffers();
    // A file that is not a group file (shorter than its header, a publisher
    // count of 128 or more, a header month past December, a read error) leaves
    // the store empty and loadedPath as it was, so nothing saves over it later.
    bool loadGroupFile(std::string path);
    // The same load from the bytes of a group file held in memory; loadedPath
    // is left alone, as no file was opened.
    bool loadGroupImage(const std::uint8_t* data, std::size_t size);
    // Replaces path only when every byte was written and flushed (see
    // replaceFileAtomically): through a temporary file beside it, or, in a
    // folder that refuses new files, in place. A read-only file is refused.
    bool saveGroupFile(std::string path);
    // The bytes a save writes: the records in stored form with the current
    // remark count in the header, then the remark entries in use. Empty when
    // no group is loaded.
    std::vector<std::uint8_t> groupImage() const;
    // Message 1231 with the path; a relative path is joined to the working directory.
    void showCreateError(const std::string& path);
    void scrambleAll(int direction);

    // Queries and changes on the loaded group. Publishers are 1..publisherCount.
    bool isReportMissing(unsigned publisher, unsigned month, unsigned slot) const;
    // Windows-1252 text; valid until the next call.
    const std::string& displayName(unsigned publisher, bool lastNameFirst) const;
    unsigned gatherContacts(unsigned publisher);
    bool isContactEmailValid();
    std::string listPhone(unsigned publisher, bool second) const;
    std::uint16_t categoryValue(unsigned publisher, unsigned month, unsigned slot,
                                unsigned category) const;
    unsigned findOrAddRemark(unsigned publisher, unsigned month, unsigned slot, std::string& text,
                             bool lookupOnly);
    // Stores text (cut to 36 bytes) into the existing entry 1..remarkCount,
    // also when the table is full. An empty text or one that begins with a
    // blank unlinks the cell instead and returns false.
    bool storeRemark(unsigned publisher, unsigned month, unsigned slot, unsigned entry,
                     const std::string& text);
    void setLateFlag(unsigned publisher, unsigned month);
    bool isLateFlag(unsigned publisher, unsigned month) const;

    // Record access for the dialogs: a whole publisher record, in plain form;
    // all zero (and replacePublisher does nothing) outside 1..publisherCount.
    PublisherRecord publisher(unsigned number) const;
    void replacePublisher(unsigned number, const PublisherRecord& record);
    // A copy of record 0, valid until the next call; all zero without a group.
    const GroupHeader& header() const;
    // Entry 1..remarkCount; outside that an all-zero record.
    RemarkRecord remark(unsigned entry) const;

    // The clock the load reads ("take the current local date"); tests replace it.
    std::function<std::tm()> localTime;

    // State of the store.
    std::vector<std::uint8_t> publisherBuffer; // (publisherCount + 1) records of 816 bytes
    std::vector<std::uint8_t> remarkTable;     // entries of 48 bytes, 1-based entry k at (k-1)*48
    std::uint16_t publisherCount = 0;
    std::uint16_t remarkCount = 0;
    std::uint8_t groupNumber = 0;
    std::uint8_t reportMonth = 0;
    std::uint8_t defaultMonth = 0;
    std::uint8_t yearSlot = 0;
    // Year of reportMonth minus 2000; a load that opens a file sets it with the
    // year slot from the file's month.
    std::uint8_t reportYear = 0;
    std::string loadedPath;
    bool dataValid = false;
    // Working directory shown in the create-error message; empty when unknown.
    std::function<std::string()> currentDirectory;

    // Contact state of the selected publisher, filled by gatherContacts.
    std::array<std::string, 3> phoneList;
    std::uint8_t phoneCount = 0;
    std::uint8_t phoneCursor = 0;
    std::string contactEmail;

    // Language name; "cz" puts the last name first in every display name.
    std::string languageName = "dutch";

protected:
    StoreMessages& messages;

private:
    // Plain record of a publisher 1..publisherCount, or null when there is none.
    std::uint8_t* record(unsigned publisher);
    const std::uint8_t* record(unsigned publisher) const;
    static bool isCell(unsigned month, unsigned slot) { return month < 12 && slot < 3; }
    std::array<std::string, 3> usablePhones(const std::uint8_t* rec, unsigned& count) const;
    bool reserveRemarkEntry();
    // A blank entry that no cell links to.
    bool isSpareRemarkEntry(unsigned entry) const;
    void clearStore();

    mutable std::string nameBuffer;
    mutable GroupHeader headerCopy;
};

} // namespace groupdata
