// Feeds arbitrary bytes to the group store as a group file held in memory,
// uses the loaded group the way the dialogs do, and loads its image again.
// Nothing touches the disk, so this is the target to run for long; any crash,
// hang, sanitizer report or broken store invariant is a finding.
#include "store_workout.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

using namespace fuzzwork;

namespace {

// A header may promise up to 65535 remark entries, which the store then holds
// as 3 MB of zeros, copied at every step. The promise is cut to a few more
// entries than a bounded input can hold, past the 254 the queries allow, so
// every input stays small; fuzz_load_group and the tests cover the rest.
constexpr std::uint16_t promisedRemarksMax = 512;

// Publisher record bytes that the text transform rewrites; every other byte
// of the input comes back in the image of a group that was only loaded.
constexpr std::size_t firstScrambled = 2;
constexpr std::size_t lastScrambled = 169;

void requireCarried(const std::uint8_t* data, std::size_t size, const GroupStore& store,
                    const std::vector<std::uint8_t>& image) {
    const std::size_t records = (std::size_t{store.publisherCount} + 1) * recordSize;
    require(image.size() == records + std::size_t{store.remarkCount} * remarkRecordSize);
    const std::size_t held = std::min(size, image.size());
    require(std::memcmp(image.data(), data, recordSize) == 0);
    for (std::size_t at = recordSize; at < records; at += recordSize) {
        const std::size_t end = std::min(at + recordSize, held);
        if (at >= end)
            break;
        require(std::memcmp(image.data() + at, data + at, std::min(firstScrambled, end - at)) == 0);
        const std::size_t tail = at + lastScrambled + 1;
        if (tail < end)
            require(std::memcmp(image.data() + tail, data + tail, end - tail) == 0);
    }
    if (held > records)
        require(std::memcmp(image.data() + records, data + records, held - records) == 0);
    // What the input lacks comes back as zeros.
    static const std::vector<std::uint8_t> zeros(
        128 * recordSize + std::size_t{promisedRemarksMax} * remarkRecordSize, 0);
    require(std::memcmp(image.data() + held, zeros.data(), image.size() - held) == 0);
}

} // namespace

// An input frees well under a megabyte, so a small quarantine still catches a
// use after free within one input; the default 256 MB keeps touching fresh
// pages and costs more than the whole test.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=16";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t size) {
    std::vector<std::uint8_t> bytes(input, input + size);
    if (size >= recordSize) {
        std::uint8_t* count = bytes.data() + GroupHeader::remarkCountOffset;
        writeU16(count, std::min(readU16(count), promisedRemarksMax));
    }
    const std::uint8_t* data = bytes.data();

    QuietMessages messages;
    GroupStore store(messages);
    store.localTime = januaryClock;
    store.defaultMonth = 11;
    store.loadedPath = "before";
    require(store.loadGroupImage(data, size));
    checkInvariants(store);
    require(store.loadedPath == "before");
    if (!store.dataValid) {
        require(store.groupImage().empty());
        return 0;
    }
    requireCarried(data, size, store, store.groupImage());

    useStore(store);
    checkInvariants(store);
    const std::vector<std::uint8_t> image = store.groupImage();

    // The image loads as the same group, whose image is the same bytes.
    GroupStore again(messages);
    require(again.loadGroupImage(image.data(), image.size()));
    checkInvariants(again);
    require(again.publisherCount == store.publisherCount);
    require(again.remarkCount == store.remarkCount);
    const std::vector<std::uint8_t> second = again.groupImage();
    require(second.size() == image.size() &&
            std::memcmp(second.data(), image.data(), image.size()) == 0);
    return 0;
}
