// Writes the seed corpus of fuzz_load_group: valid groups of several shapes
// and the damaged files the loader must cope with.
#include "fixtures/group_fixture.h"

#include <cstdio>
#include <exception>
#include <string>

using namespace fixture;

namespace {

Group smallGroup() {
    return Group()
        .month(4)
        .number(3)
        .secretary("secretaris@example.nl")
        .publisher(Publisher("Anna", "Bakker")
                       .email(" anna@example.nl ")
                       .phones("030-1234567", "12345", "06-12345678")
                       .cell(Cell(4, 1).participated().studies(2).remark("ziek"))
                       .late(3))
        .publisher(Publisher("José", "Müller")
                       .late(7)
                       .cell(Cell(3, 1).participated().pioneerStatus(2).hours(70).creditHours(5)))
        .publisher(Publisher("Françoise", "Zoë").cell(Cell(0, 0).remarkIndex(9)));
}

std::vector<std::uint8_t> withByte(std::vector<std::uint8_t> bytes, std::size_t at,
                                   std::uint8_t value) {
    bytes[at] = value;
    return bytes;
}

std::vector<std::uint8_t> resized(std::vector<std::uint8_t> bytes, std::size_t size,
                                  std::uint8_t fill = 0) {
    bytes.resize(size, fill);
    return bytes;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seed_corpus <folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    try {
        const auto small = buildGroupFile(smallGroup());
        const auto largest = buildGroupFile(largestGroup());
        // A second telephone number without terminator runs on into the third.
        Publisher runOn("Jan", "Visser");
        runOn.patch(122, std::vector<std::uint8_t>(15, '7')).phones("", "", "0301234567");
        Group oddTexts = smallGroup();
        oddTexts.publisher(runOn).publisher(
            Publisher("\xC3\x8C"
                      "cc",
                      "Smit")
                .email(std::string(25, 'a') + "\x7F~}|{@example.nl"));

        const std::pair<const char*, std::vector<std::uint8_t>> seeds[] = {
            {"small.k09", small},
            {"largest.k09", largest},
            {"no-publishers.k09", buildGroupFile(Group().month(11).secretary("s@example.nl"))},
            {"odd-texts.k09", buildGroupFile(oddTexts)},
            {"many-remarks.k09", buildGroupFile(smallGroup().remarkCount(300))},
            {"cut-in-record.k09", resized(small, 2 * 816 + 100)},
            {"cut-in-remarks.k09", resized(largest, largest.size() - 1000)},
            {"trailing-bytes.k09", resized(small, small.size() + 500, 0xAB)},
            {"header-only.k09", resized(small, 816)},
            {"too-short.k09", resized(small, 300)},
            {"count-128.k09", withByte(small, 180, 128)},
            {"month-12.k09", withByte(small, 238, 12)},
        };
        for (const auto& [name, bytes] : seeds)
            writeBytes(folder + "/" + name, bytes);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_seed_corpus: %s\n", e.what());
        return 1;
    }
    return 0;
}
