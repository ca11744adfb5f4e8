// The preview mesh against the memory-write bound of its own output, and the
// curve sampler.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

#include "bench/bench_profiles.h"
#include "editor/curve.h"
#include "editor/profile_size.h"
#include "preview/mesh.h"
#include "tests/support/test_doubles.h"

namespace orvanel::bench {
namespace {

// Takes every strip as a display list would be handed it, and keeps nothing.
class CountingSink final : public MeshSink {
public:
    void BeginList() override { vertices = 0; }
    void QuadStrip(const MeshVertex* v, std::size_t count) override {
        vertices += count;
        benchmark::DoNotOptimize(v);
    }
    void EndList() override {}
    std::size_t vertices = 0;
};

// Copies every strip into one buffer sized in advance, as a driver compiling
// the list would: the build plus one write of its output.
class RetainingSink final : public MeshSink {
public:
    explicit RetainingSink(std::size_t vertices) : store(vertices) {}
    void BeginList() override { used = 0; }
    void QuadStrip(const MeshVertex* v, std::size_t count) override {
        std::memcpy(store.data() + used, v, count * sizeof(MeshVertex));
        used += count;
    }
    void EndList() override { benchmark::ClobberMemory(); }
    std::vector<MeshVertex> store;
    std::size_t used = 0;
};

struct Setup {
    MemorySettingsStore settings;
    RecordingPrompter prompter;
    CTavrinEditorDoc doc{settings, prompter};

    explicit Setup(const benchmark::State& state) {
        LoadProfile(doc, static_cast<int>(state.range(0)), state.range(3) != 0);
        doc.m_nSections = static_cast<int>(state.range(1));
        doc.m_nPreviewSteps = static_cast<int>(state.range(2));
    }
    std::size_t Vertices() {
        CountingSink sink;
        doc.BuildPreviewMesh(sink);
        return sink.vertices;
    }
};

void SetBytes(benchmark::State& state, std::size_t vertices) {
    state.SetBytesProcessed(
        static_cast<std::int64_t>(state.iterations() * vertices * sizeof(MeshVertex)));
    state.counters["MB"] = static_cast<double>(vertices * sizeof(MeshVertex)) / 1e6;
}

void BM_MeshBuild(benchmark::State& state) {
    Setup s(state);
    CountingSink sink;
    for (auto _ : state) s.doc.BuildPreviewMesh(sink);
    SetBytes(state, sink.vertices);
}

void BM_MeshBuildRetained(benchmark::State& state) {
    Setup s(state);
    RetainingSink sink(s.Vertices());
    for (auto _ : state) s.doc.BuildPreviewMesh(sink);
    SetBytes(state, sink.used);
}

// Writes as many bytes as the mesh hands over, and nothing else.
void BM_MemoryWriteBound(benchmark::State& state) {
    Setup s(state);
    const std::size_t vertices = s.Vertices();
    std::vector<MeshVertex> buffer(vertices);
    int value = 0;
    for (auto _ : state) {
        std::memset(buffer.data(), ++value, vertices * sizeof(MeshVertex));
        benchmark::ClobberMemory();
    }
    SetBytes(state, vertices);
}

void MeshArgs(benchmark::internal::Benchmark* b) {
    b->ArgNames({"points", "sections", "steps", "closed"});
    for (int closed : {0, 1}) {
        for (int points : {4, 30, 100}) {
            b->Args({points, 24, 5, closed});
            b->Args({points, 200, 40, closed});
        }
    }
}

void BoundArgs(benchmark::internal::Benchmark* b) {
    b->ArgNames({"points", "sections", "steps", "closed"});
    b->Args({100, 200, 40, 0});
    b->Args({100, 200, 40, 1});
}

BENCHMARK(BM_MeshBuild)->Apply(MeshArgs)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MeshBuildRetained)->Apply(BoundArgs)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MemoryWriteBound)->Apply(BoundArgs)->Unit(benchmark::kMicrosecond);

// Samples per second of the one sampling implementation, in two of its rows.
void BM_CurveSampler(benchmark::State& state) {
    MemorySettingsStore settings;
    RecordingPrompter prompter;
    CTavrinEditorDoc doc(settings, prompter);
    LoadProfile(doc, static_cast<int>(state.range(0)), false);
    const int steps = static_cast<int>(state.range(1));
    const CurveSampling sampling = state.range(2) != 0 ? CurveSampling::EditorDrawing(steps, 1.0)
                                                       : CurveSampling::PreviewMesh(steps);
    std::int64_t samples = 0;
    for (auto _ : state) {
        double sum = 0;
        ForEachCurveSegment(doc.GetHead(), doc.GetTail(), false, WalkDirection::FromHead,
                            [&](const CurveWindow& w) {
                                SampleCurveSegment(w, sampling, [&](const CurveSample& c) {
                                    sum += c.x;
                                    ++samples;
                                });
                            });
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(samples);
}
BENCHMARK(BM_CurveSampler)
    ->ArgNames({"points", "steps", "editor"})
    ->Args({100, 40, 0})
    ->Args({100, 10, 1})
    ->Args({10000, 5, 0})
    ->Unit(benchmark::kMicrosecond);

// The size pane, measured at every idle update: the preview's sampling of a
// long profile, beside the sampler alone above, and with a dragged group's
// points looked up where the drag has them.
void BM_SizePane(benchmark::State& state) {
    MemorySettingsStore settings;
    RecordingPrompter prompter;
    CTavrinEditorDoc doc(settings, prompter);
    LoadProfile(doc, static_cast<int>(state.range(0)), false);
    doc.m_nPreviewSteps = 5;
    std::vector<MovedPoint> moved;
    for (const ProfilePoint* p = doc.GetHead();
         p != nullptr && moved.size() < std::size_t(state.range(1)); p = p->Next()) {
        moved.push_back({p, {p->x + 3, p->y}});
    }
    std::sort(moved.begin(), moved.end(), [](const MovedPoint& a, const MovedPoint& b) {
        return std::less<const ProfilePoint*>()(a.point, b.point);
    });
    for (auto _ : state) {
        benchmark::DoNotOptimize(SizePaneText(MeasureProfileSize(doc, moved), doc.m_units));
    }
}
BENCHMARK(BM_SizePane)
    ->ArgNames({"points", "moved"})
    ->Args({10000, 0})
    ->Args({10000, 1000})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace orvanel::bench
