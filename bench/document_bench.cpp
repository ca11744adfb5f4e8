// Every road a long profile takes, at 10^4, 10^5 and 10^6 points: loading
// (which takes the first undo snapshot), saving, checkpointing, undo and redo,
// the editor's repaint and hit tests, the preview mesh and the exports. Each
// should grow linearly with the points: scripts/bench prints the 10^6 case
// over the 10^5 one.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>

#include "bench/bench_profiles.h"
#include "editor/editor_draw.h"
#include "export/pov_writer.h"
#include "export/stl_writer.h"
#include "export/vrml_writer.h"
#include "tests/support/test_doubles.h"

namespace orvanel::bench {
namespace {

struct Doc {
    explicit Doc(const benchmark::State& state, bool closed = false) {
        LoadProfile(doc, static_cast<int>(state.range(0)), closed);
        doc.Checkpoint();
    }
    MemorySettingsStore settings;
    RecordingPrompter prompter;
    CTavrinEditorDoc doc{settings, prompter};
};

std::filesystem::path BenchFile(const char* extension) {
    return std::filesystem::temp_directory_path() /
           ("orvanel-bench-" + std::to_string(::getpid()) + extension);
}

void PerPoint(benchmark::State& state) {
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The whole open as File > Open runs it: read, build the points, first snapshot.
void BM_LoadAndCheckpoint(benchmark::State& state) {
    Doc d(state);
    const auto path = BenchFile(".lum");
    d.doc.OnSaveDocument(path);
    for (auto _ : state) {
        if (!d.doc.OnOpenDocument(path)) state.SkipWithError("load failed");
    }
    std::filesystem::remove(path);
    PerPoint(state);
}

// Saving goes through the temporary file, the flush to disk and the rename.
void BM_SaveFile(benchmark::State& state) {
    Doc d(state);
    const auto path = BenchFile(".lum");
    for (auto _ : state) {
        if (!d.doc.OnSaveDocument(path)) state.SkipWithError("save failed");
    }
    std::filesystem::remove(path);
    PerPoint(state);
}

void BM_Checkpoint(benchmark::State& state) {
    Doc d(state);
    for (auto _ : state) d.doc.Checkpoint();
    PerPoint(state);
}

// One undo and one redo: two snapshots read back.
void BM_UndoRedo(benchmark::State& state) {
    Doc d(state);
    d.doc.ToggleAnchor(d.doc.GetHead());
    for (auto _ : state) {
        d.doc.Undo();
        d.doc.Redo();
    }
    PerPoint(state);
}

// Takes every drawing call and keeps nothing.
class NullCanvas final : public Canvas {
public:
    void SelectPen(const Pen&) override {}
    void SelectBrush(const Brush&) override {}
    void SetBackgroundColour(Colour) override {}
    void MoveTo(int x, int y) override { benchmark::DoNotOptimize(x + y); }
    void LineTo(int x, int y) override { benchmark::DoNotOptimize(x + y); }
    void Ellipse(int l, int t, int r, int b) override { benchmark::DoNotOptimize(l + t + r + b); }
    void FillRect(int, int, int, int, Colour) override {}
};

void BM_EditorRepaint(benchmark::State& state) {
    Doc d(state);
    NullCanvas canvas;
    for (auto _ : state) DrawEditorProfile(canvas, d.doc, EditorLook{}, 1.0);
    PerPoint(state);
}

// Clicks that hit nothing walk every point and every chord.
void BM_HitTestsMissing(benchmark::State& state) {
    Doc d(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(d.doc.HitTestPoint(990, 5));
        benchmark::DoNotOptimize(d.doc.HitTestMenuPoint(990, 5));
        benchmark::DoNotOptimize(d.doc.HitTestCurve(990, 5));
    }
    PerPoint(state);
}

class NullSink final : public MeshSink {
public:
    void BeginList() override {}
    void QuadStrip(const MeshVertex* v, std::size_t) override { benchmark::DoNotOptimize(v); }
    void EndList() override {}
};

// The fewest sections and steps, so that the million-point mesh fits.
void BM_PreviewMesh(benchmark::State& state) {
    Doc d(state);
    d.doc.m_nSections = 3;
    d.doc.m_nPreviewSteps = 1;
    NullSink sink;
    for (auto _ : state) d.doc.BuildPreviewMesh(sink);
    PerPoint(state);
}

void BM_ExportPovText(benchmark::State& state) {
    Doc d(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            PovFileText(d.doc, PovOptions::Of(d.doc), GetProfileExtent(d.doc)).size());
    }
    PerPoint(state);
}

void BM_ExportVrmlText(benchmark::State& state) {
    Doc d(state);
    VrmlOptions options;
    options.nSections = 3;
    options.nSteps = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(VrmlFileText(d.doc, "bench", options).text.size());
    }
    PerPoint(state);
}

void BM_ExportStlFile(benchmark::State& state) {
    Doc d(state, true);
    StlOptions options;
    options.nSections = 3;
    options.nSteps = 1;
    const auto path = BenchFile(".stl");
    for (auto _ : state) {
        if (WriteStlFile(d.doc, path, options, d.prompter) != ExportOutcome::Written) {
            state.SkipWithError("export failed");
        }
    }
    std::filesystem::remove(path);
    PerPoint(state);
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->ArgName("points")->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_LoadAndCheckpoint)->Apply(Sizes);
BENCHMARK(BM_SaveFile)->Apply(Sizes);
BENCHMARK(BM_Checkpoint)->Apply(Sizes);
BENCHMARK(BM_UndoRedo)->Apply(Sizes);
BENCHMARK(BM_EditorRepaint)->Apply(Sizes);
BENCHMARK(BM_HitTestsMissing)->Apply(Sizes);
BENCHMARK(BM_PreviewMesh)->Apply(Sizes);
BENCHMARK(BM_ExportPovText)->Apply(Sizes);
BENCHMARK(BM_ExportVrmlText)->Apply(Sizes);
BENCHMARK(BM_ExportStlFile)->Apply(Sizes);

}  // namespace
}  // namespace orvanel::bench
