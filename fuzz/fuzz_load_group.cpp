// Feeds arbitrary bytes to the group file loader as a file, then uses the
// loaded group the way the dialogs do and saves it. Any crash, hang, sanitizer
// report or broken store invariant is a finding.
#include "groupdata/group_store.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

using namespace groupdata;

namespace {

class QuietMessages : public StoreMessages {
public:
    void lowMemory() override {}
    void cannotCreate(const std::string&) override { ++failures; }
    void tooFewPublishers() override {}
    void remarkTableFull() override {}
    int failures = 0;
};

void require(bool condition) {
    if (!condition)
        std::abort();
}

std::string& workFolderName() {
    static std::string name;
    return name;
}

void removeWorkFolder() {
    for (const char* file : {"/in.k09", "/out.k09", "/again.k09"})
        ::unlink((workFolderName() + file).c_str());
    ::rmdir(workFolderName().c_str());
}

// A private folder, on a memory file system where there is one: every input
// is written, loaded, saved and loaded again.
const std::string& workFolder() {
    static const std::string folder = [] {
        const char* tmp = std::getenv("TMPDIR");
        for (const char* base : {"/dev/shm", tmp, "/tmp"}) {
            if (!base)
                continue;
            std::string name = std::string(base) + "/dravo-fuzz-XXXXXX";
            if (::mkdtemp(name.data())) {
                workFolderName() = name;
                std::atexit(removeWorkFolder);
                return name;
            }
        }
        std::abort();
    }();
    return folder;
}

void writeInput(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    require(f != nullptr);
    require(size == 0 || std::fwrite(data, 1, size, f) == size);
    require(std::fclose(f) == 0);
}

std::tm januaryClock() {
    std::tm t{};
    t.tm_year = 2025 - 1900;
    return t;
}

void checkInvariants(const GroupStore& store) {
    if (!store.dataValid) {
        require(store.publisherCount == 0 && store.remarkCount == 0);
        require(store.publisherBuffer.empty() && store.remarkTable.empty());
        return;
    }
    require(store.publisherCount <= 127);
    require(store.publisherBuffer.size() == (std::size_t{store.publisherCount} + 1) * recordSize);
    require(store.remarkTable.size() >= std::size_t{store.remarkCount} * remarkRecordSize);
    require(store.reportMonth < 12);
}

// The dialogs' calls, including publishers, months and categories out of range.
void useStore(GroupStore& store) {
    const unsigned last = store.publisherCount + 1u;
    for (unsigned p = 0; p <= last; ++p) {
        if (p > 6 && p + 2 < last)
            continue; // the first few and the last are enough
        store.displayName(p, p % 2 == 0);
        store.gatherContacts(p);
        store.listPhone(p, true);
        for (unsigned m = 0; m <= 12; ++m) {
            store.isLateFlag(p, m);
            for (unsigned s = 0; s <= 3; ++s) {
                store.isReportMissing(p, m, s);
                for (unsigned c = 0; c <= 8; ++c)
                    store.categoryValue(p, m, s, c);
                std::string text;
                const unsigned entry = store.findOrAddRemark(p, m, s, text, true);
                require(text.size() <= RemarkRecord::textWidth);
                require(entry <= store.remarkCount);
            }
        }
    }
    std::string text;
    const unsigned entry = store.findOrAddRemark(1, 3, 1, text, false);
    store.storeRemark(1, 3, 1, entry, "opmerking 100%");
    store.storeRemark(2, 3, 1, entry, std::string(50, 'x'));
    store.storeRemark(1, 4, 1, 1, " ");
    store.setLateFlag(1, 11);
    store.setLateFlag(last, 0);
    store.header();
    store.remark(store.remarkCount);
    store.remark(store.remarkCount + 1u);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string in = workFolder() + "/in.k09", out = workFolder() + "/out.k09";
    writeInput(in, data, size);

    QuietMessages messages;
    GroupStore store(messages);
    store.localTime = januaryClock;
    store.defaultMonth = 11;
    store.loadedPath = "before";
    store.loadGroupFile(in);
    checkInvariants(store);
    require(store.loadedPath == (store.publisherCount > 0 ? in : std::string("before")));
    useStore(store);
    checkInvariants(store);

    ::unlink(out.c_str());
    const bool saved = store.saveGroupFile(out);
    require(saved == (store.publisherCount >= 2));
    if (!saved) {
        require(::access(out.c_str(), F_OK) != 0);
        return 0;
    }
    require(messages.failures == 0);

    // What was saved loads as the same group, and saves to the same bytes.
    GroupStore again(messages);
    again.loadGroupFile(out);
    checkInvariants(again);
    require(again.publisherCount == store.publisherCount);
    require(again.remarkCount == store.remarkCount);
    const std::string second = workFolder() + "/again.k09";
    require(again.saveGroupFile(second));
    std::FILE* a = std::fopen(out.c_str(), "rb");
    std::FILE* b = std::fopen(second.c_str(), "rb");
    require(a && b);
    int ca, cb;
    do {
        ca = std::fgetc(a);
        cb = std::fgetc(b);
        require(ca == cb);
    } while (ca != EOF);
    std::fclose(a);
    std::fclose(b);
    return 0;
}
