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

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

ReportPeriod reportPeriodOn(const std::tm& day) {
    ReportPeriod period{};
    period.month = std::uint8_t(day.tm_mon == 0 ? 11 : day.tm_mon - 1);
    // The low 8 bits of the years since 1900, less 100.
    period.year = std::uint8_t(std::uint8_t(day.tm_year) - 100);
    if (period.month == 11)
        period.year = std::uint8_t(period.year - 1);
    period.slot = std::uint8_t(period.year % 2);
    return period;
}

GroupStore::GroupStore(StoreMessages& messages)
    : localTime(systemLocalTime), currentDirectory(systemCurrentDirectory), messages(messages) {}

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
    const std::tm now = localTime ? localTime() : systemLocalTime();
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

    GroupHeader head;
    const std::size_t got = std::fread(head.bytes.data(), 1, recordSize, file.get());
    // Anything that is not a group file loads as an empty group, which is never
    // saved, so the file cannot later be overwritten with what was misread.
    if (got < recordSize || head.publisherCount() < 0 || head.headerMonth() >= monthCount)
        return true;

    publisherCount = static_cast<std::uint16_t>(head.publisherCount());
    remarkCount = head.remarkCount();
    if (!allocateGroupBuffers())
        return false;
    std::copy(head.bytes.begin(), head.bytes.end(), publisherBuffer.begin());

    // Records and entries the end of the file cuts off stay zero.
    std::fread(publisherBuffer.data() + recordSize, 1, std::size_t{publisherCount} * recordSize,
               file.get());
    std::fread(remarkTable.data(), 1, std::size_t{remarkCount} * remarkRecordSize, file.get());
    if (std::ferror(file.get())) {
        clearStore();
        return true;
    }
    file.reset();

    groupNumber = head.groupNumber();
    reportMonth = head.headerMonth();
    // A January list opened in January belongs to the year that has just ended
    // for the start-up month, so the slot follows the calendar year instead.
    if (reportMonth == 0 && defaultMonth == 11) {
        const int year = now.tm_year + 1900;
        yearSlot = static_cast<std::uint8_t>(((year % 2) + 2) % 2);
    }
    if (publisherCount != 0) {
        scrambleAll(-1);
        loadedPath = path;
    }
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
