// Writes the largest valid group (127 publishers, 254 remarks) to a file.

#include "fixtures/group_fixture.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_largest_group <out.k09>\n");
        return 2;
    }
    fixture::writeGroupFile(argv[1], fixture::largestGroup());
    return 0;
}
