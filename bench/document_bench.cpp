// Saving, loading and checkpointing a long profile.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>

#include "bench/bench_profiles.h"
#include "tests/support/test_doubles.h"

namespace orvanel::bench {
namespace {

struct Doc {
    MemorySettingsStore settings;
    RecordingPrompter prompter;
    CTavrinEditorDoc doc{settings, prompter};
};

std::filesystem::path BenchFile() {
    return std::filesystem::temp_directory_path() /
           ("orvanel-bench-" + std::to_string(::getpid()) + ".lum");
}

// Saving goes through the temporary file, the flush to disk and the rename.
void BM_SaveFile(benchmark::State& state) {
    Doc d;
    LoadProfile(d.doc, static_cast<int>(state.range(0)), false);
    const auto path = BenchFile();
    for (auto _ : state) {
        if (!d.doc.OnSaveDocument(path)) state.SkipWithError("save failed");
    }
    std::filesystem::remove(path);
}

void BM_LoadFile(benchmark::State& state) {
    Doc d;
    LoadProfile(d.doc, static_cast<int>(state.range(0)), false);
    const auto path = BenchFile();
    d.doc.OnSaveDocument(path);
    for (auto _ : state) {
        if (!d.doc.OnOpenDocument(path)) state.SkipWithError("load failed");
    }
    std::filesystem::remove(path);
}

void BM_Checkpoint(benchmark::State& state) {
    Doc d;
    LoadProfile(d.doc, static_cast<int>(state.range(0)), false);
    for (auto _ : state) d.doc.Checkpoint();
}

BENCHMARK(BM_SaveFile)->ArgName("points")->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadFile)->ArgName("points")->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Checkpoint)->ArgName("points")->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace orvanel::bench
