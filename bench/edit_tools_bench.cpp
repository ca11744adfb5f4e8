// What one mouse move costs the editing tools while a button is held: the
// state change, the preview step and the two bounds of the live marks that
// tell the window what to repaint.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/bench_editor.h"
#include "document/document.h"
#include "editor/edit_tools.h"
#include "resources/ids.h"
#include "tests/support/test_doubles.h"

namespace orvanel {
namespace {

using bench::ForwardingView;

struct Editor {
    explicit Editor(int points) {
        doc->SetViews(&view, nullptr);
        view.tools = &tools;
        for (int i = 0; i < points; ++i) doc->AppendPoint(10 + i % 900, 10 + (i * 7) % 900);
        tools.SetTool(id::kToolIdMove);
    }
    ~Editor() { doc->SetViews(nullptr, nullptr); }
    MemorySettingsStore settings;
    RecordingPrompter prompter;
    std::unique_ptr<CTavrinEditorDoc> doc = std::make_unique<CTavrinEditorDoc>(settings, prompter);
    NullToolsOwner owner;
    ForwardingView view;
    EditTools tools{*doc, owner};
};

void Move(benchmark::State& state, EditTools& tools, IntPoint from) {
    int i = 0;
    for (auto _ : state) {
        ++i;
        tools.OnMouseMove({from.x + i % 200, from.y + i % 150});
    }
}

void BM_SinglePointDragMove(benchmark::State& state) {
    Editor e(100);
    e.doc->m_nEditorSteps = static_cast<int>(state.range(0));
    const ProfilePoint* p = e.doc->GetHead()->Next()->Next()->Next();
    e.tools.OnLButtonDown({p->x, p->y}, false);
    Move(state, e.tools, {p->x, p->y});
}
BENCHMARK(BM_SinglePointDragMove)->Arg(10)->Arg(20);

void BM_GroupDragMove(benchmark::State& state) {
    Editor e(static_cast<int>(state.range(0)));
    e.doc->SelectAll();
    const ProfilePoint* p = e.doc->GetHead();
    e.tools.OnLButtonDown({p->x, p->y}, false);
    Move(state, e.tools, {p->x, p->y});
}
BENCHMARK(BM_GroupDragMove)->Arg(10)->Arg(1000);

void BM_RubberBandMove(benchmark::State& state) {
    Editor e(1000);
    e.tools.OnLButtonDown({995, 995}, false);
    Move(state, e.tools, {0, 0});
}
BENCHMARK(BM_RubberBandMove);

}  // namespace
}  // namespace orvanel

BENCHMARK_MAIN();
