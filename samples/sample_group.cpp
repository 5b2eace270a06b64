#include "samples/sample_group.h"

#include <initializer_list>
#include <string>

namespace sample {

using fixture::Cell;
using fixture::Group;
using fixture::Publisher;

namespace {

// The list is for March; the months before it are filled in as well.
constexpr unsigned listMonth = 2;

// A report written into both year slots, so the sample shows the same reports
// whatever the parity of the year in which it is opened.
void report(Publisher& p, unsigned month, unsigned studies, std::uint16_t hours,
            std::uint8_t status = 0, const std::string& remark = {}) {
    for (unsigned slot : {0u, 1u}) {
        Cell cell(month, slot);
        cell.participated().studies(static_cast<std::uint16_t>(studies)).hours(hours);
        cell.pioneerStatus(status);
        if (!remark.empty())
            cell.remark(remark);
        p.cell(cell);
    }
}

// A regular pioneer is one in every month, reported or not.
void pioneerMonths(Publisher& p, unsigned upTo) {
    for (unsigned month = 0; month <= upTo; ++month)
        for (unsigned slot : {0u, 1u})
            p.cell(Cell(month, slot).pioneerStatus(2));
}

} // namespace

Group sampleGroup() {
    Group group;
    group.month(listMonth).number(3).secretary("secretaris@gemeente-oost.example");

    Publisher zoe("Zoë", "Jansen");
    zoe.email("zoe.jansen@example.nl").phones("030-2345678", "06-12345678").privilege(0);
    report(zoe, 0, 1, 0);
    report(zoe, 1, 1, 0);
    report(zoe, listMonth, 2, 0);

    Publisher jose("José", "Fernandes");
    jose.email("jose.fernandes@example.nl").phones("06-87654321").privilege(1);
    report(jose, 0, 0, 0);
    report(jose, 1, 0, 0);

    Publisher francoise("Françoise", "Dubois");
    francoise.email("f.dubois@example.fr").phones("030-1112233", "06-44455566", "0031-30-7778899");
    pioneerMonths(francoise, listMonth);
    report(francoise, 0, 3, 52, 2);
    report(francoise, 1, 3, 48, 2, "5 uur bijwonen congres");

    Publisher pieter("Pieter", "de Vries");
    pieter.privilege(2);
    report(pieter, 0, 0, 0);

    Publisher anna("Anna", "Bakker");
    anna.email("anna.bakker@example.nl").phones("030-9876543");
    report(anna, 1, 1, 0);
    report(anna, listMonth, 0, 0, 0, "ziek");

    Publisher jan("Jan", "Visser");
    jan.email("jan@visser.example").phones("030-5550001", "06-11122233", "030-5550002");
    jan.privilege(2);
    report(jan, 0, 1, 0);
    report(jan, 1, 1, 0);

    Publisher maria("Maria", "van Dijk");
    maria.phones("0612", "030-6667778");
    report(maria, 0, 0, 0);
    report(maria, 1, 0, 0);
    report(maria, listMonth, 1, 0);

    Publisher henk("Henk", "Smit");
    henk.phones("12345", "06-99988877").privilege(3);

    Publisher sanne("Sanne", "Mulder");
    sanne.email("sanne.mulder@example.nl").phones("06-24681357");
    report(sanne, 1, 2, 30, 1);
    report(sanne, listMonth, 2, 50, 1);

    Publisher kees("Kees", "de Boer");
    kees.email("kees@@").phones("030-1357913");
    report(kees, 0, 0, 0);

    Publisher eva("Eva", "Meijer");
    eva.email("eva.meijer@example.nl");
    report(eva, 0, 1, 0);
    report(eva, 1, 1, 0);
    report(eva, listMonth, 1, 0);

    Publisher lotte("Lotte", "de Groot");
    lotte.email(" lotte.degroot@example.nl ").phones("06-13572468");
    lotte.late(1);
    report(lotte, 1, 0, 0);

    for (Publisher* p : {&zoe, &jose, &francoise, &pieter, &anna, &jan, &maria, &henk, &sanne,
                         &kees, &eva, &lotte})
        group.publisher(p->groupNumber(3));
    return group;
}

} // namespace sample
