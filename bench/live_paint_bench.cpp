// What the editor's screen costs while a mouse button is held: one paint of
// the live marks over a copy of the last full repaint, shown as the editor
// view shows it at every mouse move, beside one full repaint of the window.
//   tests/gui/run-under-xvfb build/bench/orvanel_live_paint_bench
#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>

#include <memory>

#include "bench/bench_editor.h"
#include "document/document.h"
#include "editor/dc_canvas.h"
#include "editor/edit_tools.h"
#include "editor/editor_draw.h"
#include "editor/live_dc_canvas.h"
#include "resources/ids.h"
#include "tests/support/test_doubles.h"

namespace orvanel {
namespace {

using bench::ForwardingView;

constexpr int kWindow = 600;  // the editor window, square

// A wavy profile of n points across the window, and its full repaint.
struct Editor {
    explicit Editor(int points) {
        doc->SetViews(&view, nullptr);
        view.tools = &tools;
        for (int i = 0; i < points; ++i) {
            doc->AppendPoint(20 + i * (kWindow - 40) / points, 150 + (i % 2) * 250 + i % 7);
        }
        tools.SetTool(id::kToolIdMove);
        frame.Create(kWindow, kWindow, 24);
        window.Create(kWindow, kWindow, 24);
        Repaint();
    }
    ~Editor() { doc->SetViews(nullptr, nullptr); }

    void Repaint() {
        wxMemoryDC dc(frame);
        DcCanvas::UseSharpEdges(dc);
        DcCanvas canvas(dc);
        PaintEditor(canvas, *doc, EditorLook{}, {false, false, 1.0, {0, 0, kWindow, kWindow}}, {});
    }
    // What the view does in its paint for the live marks.
    void PaintLive() {
        const IntRect live = tools.LiveBounds();
        const wxRect part =
            wxRect(live.left, live.top, live.right - live.left, live.bottom - live.top)
                .Intersect(wxRect(0, 0, kWindow, kWindow));
        if (part.IsEmpty()) return;
        LiveDcCanvas canvas(frame,
                            [this]() -> const wxImage& {
                                if (!frameImage.IsOk()) frameImage = frame.ConvertToImage();
                                return frameImage;
                            },
                            part, {0, 0});
        tools.PaintLive(canvas);
        // Shown as the window's paint shows it.
        if (const std::optional<wxBitmap> marked = canvas.TakeResult()) {
            wxMemoryDC dc(window);
            dc.DrawBitmap(*marked, part.GetPosition());
        }
    }

    MemorySettingsStore settings;
    RecordingPrompter prompter;
    std::unique_ptr<CTavrinEditorDoc> doc = std::make_unique<CTavrinEditorDoc>(settings, prompter);
    NullToolsOwner owner;
    ForwardingView view;
    EditTools tools{*doc, owner};
    wxBitmap frame;
    wxImage frameImage;
    wxBitmap window;  // stands in for the window
};

void BM_FullRepaint(benchmark::State& state) {
    Editor e(static_cast<int>(state.range(0)));
    for (auto _ : state) e.Repaint();
}
BENCHMARK(BM_FullRepaint)->Arg(20)->Arg(200)->Unit(benchmark::kMicrosecond);

void BM_LivePaint_SinglePointDrag(benchmark::State& state) {
    Editor e(20);
    const ProfilePoint* p = e.doc->GetHead()->Next()->Next()->Next()->Next()->Next();
    e.tools.OnLButtonDown({p->x, p->y}, false);
    e.tools.OnMouseMove({p->x + 30, p->y - 60});
    for (auto _ : state) e.PaintLive();
}
BENCHMARK(BM_LivePaint_SinglePointDrag)->Unit(benchmark::kMicrosecond);

void BM_LivePaint_RubberBand(benchmark::State& state) {
    Editor e(20);
    const int side = static_cast<int>(state.range(0));
    e.tools.OnLButtonDown({10, 10}, false);
    e.tools.OnMouseMove({10 + side, 10 + side});
    for (auto _ : state) e.PaintLive();
}
BENCHMARK(BM_LivePaint_RubberBand)->Arg(100)->Arg(500)->Unit(benchmark::kMicrosecond);

void BM_LivePaint_GroupDrag(benchmark::State& state) {
    Editor e(static_cast<int>(state.range(0)));
    e.doc->SelectAll();
    const ProfilePoint* p = e.doc->GetHead();
    e.tools.OnLButtonDown({p->x, p->y}, false);
    e.tools.OnMouseMove({p->x + 5, p->y + 40});
    for (auto _ : state) e.PaintLive();
}
BENCHMARK(BM_LivePaint_GroupDrag)->Arg(20)->Arg(200)->Unit(benchmark::kMicrosecond);

class BenchApp final : public wxApp {
public:
    bool OnInit() override {
        CallAfter([this] {
            benchmark::RunSpecifiedBenchmarks();
            ExitMainLoop();
        });
        return true;
    }
};

}  // namespace
}  // namespace orvanel

wxIMPLEMENT_APP_NO_MAIN(orvanel::BenchApp);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    return wxEntry(argc, argv);
}
