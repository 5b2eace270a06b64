// Load and save of the largest valid group (127 publishers, 254 remarks)
// against the floor: a plain read and a plain write of the same bytes. The
// save is durable (flushed to the disk, then renamed over the target), so the
// floor is measured twice: plain, and with the same flush and rename. Each
// save also looks through the target's folder for temporaries of killed
// saves, so it is measured once more in a folder crowded with other files.
#include "fixtures/group_fixture.h"
#include "groupdata/group_store.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

class NoMessages : public groupdata::StoreMessages {
    void lowMemory() override {}
    void cannotCreate(const std::string&) override { std::abort(); }
    void tooFewPublishers() override { std::abort(); }
    void remarkTableFull() override {}
};

constexpr int crowd = 5000;

struct Files {
    std::string folder, source, target, temporary, crowded;
    std::size_t size = 0;
    Files() {
        const char* tmp = std::getenv("TMPDIR");
        folder = std::string(tmp ? tmp : "/tmp") + "/dravo-bench-XXXXXX";
        if (!::mkdtemp(folder.data()))
            std::abort();
        source = folder + "/Groep.k09";
        target = folder + "/out.k09";
        temporary = folder + "/out.k09.tmp";
        const auto bytes = fixture::buildGroupFile(fixture::largestGroup());
        fixture::writeBytes(source, bytes);
        size = bytes.size();
        crowded = folder + "/crowded";
        ::mkdir(crowded.c_str(), 0700);
        for (int i = 0; i < crowd; ++i)
            fixture::writeBytes(crowdName(i), {});
    }
    ~Files() {
        for (int i = 0; i < crowd; ++i)
            ::unlink(crowdName(i).c_str());
        ::unlink((crowded + "/out.k09").c_str());
        ::rmdir(crowded.c_str());
        for (const std::string& f : {source, target, temporary})
            ::unlink(f.c_str());
        ::rmdir(folder.c_str());
    }
    std::string crowdName(int i) const { return crowded + "/other" + std::to_string(i) + ".k09"; }
};

Files& files() {
    static Files f;
    return f;
}

void LoadSave(benchmark::State& state) {
    NoMessages messages;
    groupdata::GroupStore store(messages);
    for (auto _ : state) {
        store.loadGroupFile(files().source);
        if (!store.saveGroupFile(files().target))
            std::abort();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * files().size * 2));
}

void LoadSaveCrowdedFolder(benchmark::State& state) {
    NoMessages messages;
    groupdata::GroupStore store(messages);
    const std::string target = files().crowded + "/out.k09";
    for (auto _ : state) {
        store.loadGroupFile(files().source);
        if (!store.saveGroupFile(target))
            std::abort();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * files().size * 2));
}

std::vector<char> plainRead() {
    std::vector<char> buffer(files().size);
    std::FILE* in = std::fopen(files().source.c_str(), "rb");
    if (!in || std::fread(buffer.data(), 1, buffer.size(), in) != buffer.size())
        std::abort();
    std::fclose(in);
    return buffer;
}

void PlainReadWrite(benchmark::State& state) {
    for (auto _ : state) {
        const std::vector<char> buffer = plainRead();
        std::FILE* out = std::fopen(files().target.c_str(), "wb");
        if (!out || std::fwrite(buffer.data(), 1, buffer.size(), out) != buffer.size())
            std::abort();
        std::fclose(out);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * files().size * 2));
}

void PlainReadDurableWrite(benchmark::State& state) {
    for (auto _ : state) {
        const std::vector<char> buffer = plainRead();
        const int fd = ::open(files().temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        if (fd < 0 || ::write(fd, buffer.data(), buffer.size()) != ssize_t(buffer.size()) ||
            ::fsync(fd) != 0 || ::close(fd) != 0 ||
            ::rename(files().temporary.c_str(), files().target.c_str()) != 0)
            std::abort();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * files().size * 2));
}

BENCHMARK(LoadSave);
BENCHMARK(LoadSaveCrowdedFolder);
BENCHMARK(PlainReadWrite);
BENCHMARK(PlainReadDurableWrite);

// Keeps each benchmark's time per iteration for the ratios printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> seconds;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration)
                seconds[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto& s = reporter.seconds;
    if (s.count("LoadSave") && s.count("PlainReadWrite") && s.count("PlainReadDurableWrite")) {
        std::printf("\n%zu bytes per file\n", files().size);
        std::printf("load+save / plain read+write:            %.2fx\n",
                    s.at("LoadSave") / s.at("PlainReadWrite"));
        std::printf("load+save / plain read+flushed write:    %.2fx  (target: within 3x)\n",
                    s.at("LoadSave") / s.at("PlainReadDurableWrite"));
    }
    if (s.count("LoadSave") && s.count("LoadSaveCrowdedFolder"))
        std::printf("load+save beside %d other files / alone: %.2fx\n", crowd,
                    s.at("LoadSaveCrowdedFolder") / s.at("LoadSave"));
    benchmark::Shutdown();
    return 0;
}
