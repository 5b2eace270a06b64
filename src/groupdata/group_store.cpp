// Buffers, loading and record access of the group store.
#include "groupdata/group_store.h"

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <new>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace groupdata {

namespace {

std::tm systemLocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

std::string systemCurrentDirectory() {
    std::error_code error;
    const auto dir = std::filesystem::current_path(error);
    return error ? std::string() : dir.string();
}

constexpr std::size_t spareRemarkEntries = 100;
constexpr std::size_t largestGroupFile = 128 * recordSize + 0xFFFF * remarkRecordSize;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

ReportPeriod reportPeriodOf(unsigned month, const std::tm& day) {
    ReportPeriod period{};
    period.month = std::uint8_t(month % 12);
    // The low 8 bits of the years since 1900, less 100.
    period.year = std::uint8_t(std::uint8_t(day.tm_year) - 100);
    if (int(period.month) > day.tm_mon)
        period.year = std::uint8_t(period.year - 1);
    period.slot = std::uint8_t(period.year % 2);
    return period;
}

ReportPeriod reportPeriodOn(const std::tm& day) {
    return reportPeriodOf(day.tm_mon == 0 ? 11u : unsigned(day.tm_mon - 1), day);
}

GroupStore::GroupStore(StoreMessages& sink)
    : localTime(systemLocalTime), currentDirectory(systemCurrentDirectory), messages(sink) {}

bool GroupStore::allocateGroupBuffers() {
    dataValid = false;
    try {
        publisherBuffer.assign((std::size_t{publisherCount} + 1) * recordSize, 0);
        remarkTable.assign((std::size_t{remarkCount} + spareRemarkEntries) * remarkRecordSize, 0);
    } catch (const std::bad_alloc&) {
        // Counts without buffers would let a caller read records that do not
        // exist; an empty group is what every caller can cope with.
        clearStore();
        messages.lowMemory();
        return false;
    }
    dataValid = true;
    return true;
}

void GroupStore::freeGroupBuffers() {
    std::vector<std::uint8_t>().swap(publisherBuffer);
    std::vector<std::uint8_t>().swap(remarkTable);
    dataValid = false;
}

void GroupStore::clearStore() {
    freeGroupBuffers();
    publisherCount = 0;
    remarkCount = 0;
}

bool GroupStore::loadGroupFile(std::string path) {
    clearStore();
    // Only a regular file can be a group file; opening a pipe or a terminal
    // would wait for a writer that never comes, so the open does not wait and
    // what it opened is looked at before anything is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return true;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return true;
    }
    std::unique_ptr<std::FILE, FileCloser> file(::fdopen(fd, "rb"));
    if (!file) {
        ::close(fd);
        return true;
    }

    // No header can promise more than the largest group file; whatever
    // follows is never read.
    std::vector<std::uint8_t> bytes(
        std::min<std::uintmax_t>(static_cast<std::uintmax_t>(st.st_size), largestGroupFile));
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file.get()));
    if (std::ferror(file.get()))
        return true;
    file.reset();

    if (!loadGroupImage(bytes.data(), bytes.size()))
        return false;
    if (publisherCount != 0)
        loadedPath = path;
    return true;
}

bool GroupStore::loadGroupImage(const std::uint8_t* data, std::size_t size) {
    const std::tm now = localTime ? localTime() : systemLocalTime();
    clearStore();

    GroupHeader head;
    // Anything that is not a group file loads as an empty group, which is never
    // saved, so the file cannot later be overwritten with what was misread.
    if (size < recordSize)
        return true;
    std::copy_n(data, recordSize, head.bytes.begin());
    if (head.publisherCount() < 0 || head.headerMonth() >= monthCount)
        return true;

    publisherCount = static_cast<std::uint16_t>(head.publisherCount());
    remarkCount = head.remarkCount();
    if (!allocateGroupBuffers())
        return false;

    // Records and entries the end of the data cuts off stay zero.
    const std::size_t recordsSize = (std::size_t{publisherCount} + 1) * recordSize;
    const std::size_t remarksSize = std::size_t{remarkCount} * remarkRecordSize;
    std::copy_n(data, std::min(size, recordsSize), publisherBuffer.begin());
    if (size > recordsSize)
        std::copy_n(data + recordsSize, std::min(size - recordsSize, remarksSize),
                    remarkTable.begin());

    groupNumber = head.groupNumber();
    reportMonth = head.headerMonth();
    // The secretary's program keeps each month in the slot of its own year: a
    // list that comes late, after the turn of the year, is last year's.
    const ReportPeriod period = reportPeriodOf(reportMonth, now);
    reportYear = period.year;
    yearSlot = period.slot;
    if (publisherCount != 0)
        scrambleAll(-1);
    return true;
}

void GroupStore::scrambleAll(int direction) {
    if (!dataValid)
        return;
    for (unsigned i = 1; i <= publisherCount; ++i)
        scrambleRecord(direction, record(i));
}

std::uint8_t* GroupStore::record(unsigned publisher) {
    return const_cast<std::uint8_t*>(std::as_const(*this).record(publisher));
}

const std::uint8_t* GroupStore::record(unsigned publisher) const {
    if (!dataValid || publisher < 1 || publisher > publisherCount ||
        publisherBuffer.size() < (std::size_t{publisher} + 1) * recordSize)
        return nullptr;
    return publisherBuffer.data() + std::size_t{publisher} * recordSize;
}

PublisherRecord GroupStore::publisher(unsigned number) const {
    PublisherRecord copy;
    if (const std::uint8_t* rec = record(number))
        std::copy(rec, rec + recordSize, copy.bytes.begin());
    return copy;
}

void GroupStore::replacePublisher(unsigned number, const PublisherRecord& source) {
    if (std::uint8_t* rec = record(number))
        std::copy(source.bytes.begin(), source.bytes.end(), rec);
}

const GroupHeader& GroupStore::header() const {
    if (dataValid && publisherBuffer.size() >= recordSize)
        std::copy(publisherBuffer.begin(), publisherBuffer.begin() + recordSize,
                  headerCopy.bytes.begin());
    else
        headerCopy.bytes.fill(0);
    return headerCopy;
}

RemarkRecord GroupStore::remark(unsigned entry) const {
    RemarkRecord copy;
    if (dataValid && entry >= 1 && entry <= remarkCount &&
        remarkTable.size() >= std::size_t{entry} * remarkRecordSize) {
        const auto from = remarkTable.begin() + (entry - 1) * remarkRecordSize;
        std::copy(from, from + remarkRecordSize, copy.bytes.begin());
    }
    return copy;
}

} // namespace groupdata
