#pragma once
// What both fuzz targets do with a loaded group: check the store's invariants
// and make the calls the dialogs make, including publishers, months and
// categories out of range. A broken invariant aborts, which the fuzzer reports.
#include "groupdata/group_store.h"

#include <cstdlib>
#include <ctime>
#include <string>

namespace fuzzwork {

using namespace groupdata;

class QuietMessages : public StoreMessages {
public:
    void lowMemory() override {}
    void cannotCreate(const std::string&) override { ++failures; }
    void tooFewPublishers() override {}
    void remarkTableFull() override {}
    int failures = 0;
};

inline void require(bool condition) {
    if (!condition)
        std::abort();
}

inline std::tm januaryClock() {
    std::tm t{};
    t.tm_year = 2025 - 1900;
    return t;
}

inline void checkInvariants(const GroupStore& store) {
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

inline void useStore(GroupStore& store) {
    const unsigned last = store.publisherCount + 1u;
    for (unsigned p = 0; p <= last; ++p) {
        if (p > 2 && p + 2 < last)
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

} // namespace fuzzwork
