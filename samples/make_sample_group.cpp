// Writes the sample group file: make_sample_group <path/Groep.k09>
#include "samples/sample_group.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_sample_group <path/Groep.k09>\n";
        return 2;
    }
    try {
        fixture::writeGroupFile(argv[1], sample::sampleGroup());
    } catch (const std::exception& error) {
        std::cerr << "make_sample_group: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
