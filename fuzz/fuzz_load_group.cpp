// Feeds arbitrary bytes to the group file loader through a real file, then
// uses the loaded group the way the dialogs do and saves it through the file
// system. Slow (every input is written, fsynced and read back); the in-memory
// target fuzz_group_image covers the same code far faster, this one the file
// handling around it. Any crash, hang, sanitizer report or broken store
// invariant is a finding.
#include "store_workout.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

using namespace fuzzwork;

namespace {

std::string& workFolderName() {
    static std::string name;
    return name;
}

void removeWorkFolder() {
    for (const char* file : {"/in.k09", "/out.k09"})
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

std::vector<std::uint8_t> fileBytes(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    require(f != nullptr);
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[1 << 14];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    require(!std::ferror(f));
    std::fclose(f);
    return bytes;
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
    const bool written = store.saveGroupFile(out);
    require(written == (store.publisherCount >= 2));
    if (!written) {
        require(::access(out.c_str(), F_OK) != 0);
        return 0;
    }
    require(messages.failures == 0);

    // The file holds the group's image, and loads as a group with the same image.
    const std::vector<std::uint8_t> saved = fileBytes(out);
    require(saved == store.groupImage());
    GroupStore again(messages);
    again.loadGroupFile(out);
    checkInvariants(again);
    require(again.loadedPath == out);
    require(again.groupImage() == saved);
    return 0;
}
