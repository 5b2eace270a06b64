#pragma once
// Helpers shared by the group store tests.

#include "fixtures/group_fixture.h"
#include "groupdata/group_store.h"
#include "support/file_bytes.h"

#include <QtTest>

#include <ctime>

// A moment in the given year and month (0 = January), for the store's clock.
inline std::function<std::tm()> clockAt(int year, int month) {
    return [year, month] {
        std::tm t{};
        t.tm_year = year - 1900;
        t.tm_mon = month;
        t.tm_mday = 15;
        return t;
    };
}

inline QByteArray toQt(const std::vector<std::uint8_t>& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()));
}

// A small valid group with two publishers, a remark and a late report.
inline fixture::Group twoPublishers() {
    return fixture::Group()
        .month(4)
        .number(3)
        .secretary("secretaris@example.nl")
        .publisher(fixture::Publisher("Anna", "Bakker")
                       .email("anna@example.nl")
                       .phones("0301234567")
                       .cell(fixture::Cell(4, 1).participated().studies(2).remark("ziek")))
        .publisher(
            fixture::Publisher("José", "Müller")
                .late(3)
                .cell(
                    fixture::Cell(3, 1).participated().pioneerStatus(2).hours(70).creditHours(5)));
}
