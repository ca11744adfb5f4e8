// How long the preview takes to follow an edit: the mesh built and compiled
// into the display list, as the preview does after every change, under the
// OpenGL that renders it (llvmpipe on a machine without a GPU). For
// comparison the same mesh built into a sink that keeps nothing, and
// compiled with one immediate-mode call per normal and vertex.
//   scripts/bench-frame   runs it on a virtual X server
#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/glcanvas.h>

#include <cmath>
#include <memory>

#include "document/document.h"
#include "preview/gl_mesh_sink.h"
#include "tests/support/test_doubles.h"

namespace orvanel {
namespace {

wxGLCanvas* g_canvas = nullptr;
wxGLContext* g_context = nullptr;

class NullSink final : public MeshSink {
public:
    void BeginList() override {}
    void QuadStrip(const MeshVertex* v, std::size_t count) override {
        benchmark::DoNotOptimize(v);
        benchmark::DoNotOptimize(count);
    }
    void EndList() override {}
};

class ImmediateSink final : public MeshSink {
public:
    explicit ImmediateSink(unsigned& list) : m_list(list) {}
    void BeginList() override {
        if (m_list == 0) m_list = glGenLists(1);
        glNewList(m_list, GL_COMPILE);
    }
    void QuadStrip(const MeshVertex* v, std::size_t count) override {
        glBegin(GL_QUAD_STRIP);
        for (std::size_t i = 0; i < count; ++i) {
            glNormal3f(v[i].nx, v[i].ny, v[i].nz);
            glVertex3f(v[i].x, v[i].y, v[i].z);
        }
        glEnd();
    }
    void EndList() override { glEndList(); }

private:
    unsigned& m_list;
};

// A profile of n points on a wavy wall, open or closed into a ring.
struct Profile {
    MemorySettingsStore settings;
    RecordingPrompter prompter;
    CTavrinEditorDoc doc{settings, prompter};
    Profile(int n, bool closed, int sections, int steps) {
        doc.OnNewDocument();
        for (int i = 0; i < n; ++i) {
            const double t = 6.283185307 * i / n;
            if (closed) {
                doc.AppendPoint(static_cast<int>(400 + 150 * std::cos(t) + 20 * std::sin(7 * t)),
                                static_cast<int>(500 + 250 * std::sin(t)));
            } else {
                doc.AppendPoint(static_cast<int>(120 + 60 * std::sin(3 * t) + i), 900 - 8 * i);
            }
        }
        if (closed) doc.ToggleClosed();
        doc.m_nSections = sections;
        doc.m_nPreviewSteps = steps;
    }
};

template <class MakeSink>
void Rebuild(benchmark::State& state, MakeSink makeSink) {
    g_canvas->SetCurrent(*g_context);
    Profile p(static_cast<int>(state.range(0)), state.range(1) != 0,
              static_cast<int>(state.range(2)), static_cast<int>(state.range(3)));
    for (auto _ : state) {
        auto sink = makeSink(p.doc.m_nPreviewList);
        bool closed = false;
        p.doc.BuildPreviewList(*sink, &closed);
        // The list is complete once OpenGL has taken every vertex.
        glFinish();
    }
    state.counters["polygons"] = static_cast<double>(p.doc.PolygonCount());
}

GlStrips g_strips;

// What the preview does: the strips into a buffer object.
void BM_FrameRebuild_BufferObject(benchmark::State& state) {
    Rebuild(state, [](unsigned& list) { return std::make_unique<GlMeshSink>(list, &g_strips); });
}
// The strips compiled into the display list from vertex arrays.
void BM_FrameRebuild_ListFromArrays(benchmark::State& state) {
    Rebuild(state, [](unsigned& list) { return std::make_unique<GlMeshSink>(list, nullptr); });
}
// One call per normal and vertex into the display list.
void BM_FrameRebuild_ListImmediate(benchmark::State& state) {
    Rebuild(state, [](unsigned& list) { return std::make_unique<ImmediateSink>(list); });
}
// The mesh alone: the sink keeps nothing.
void BM_MeshBuild_NoCompile(benchmark::State& state) {
    Rebuild(state, [](unsigned&) { return std::make_unique<NullSink>(); });
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->ArgNames({"points", "closed", "sections", "steps"});
    b->Args({100, 0, 200, 40})->Args({100, 1, 200, 40})->Args({30, 0, 24, 5});
    b->Unit(benchmark::kMillisecond);
}

// Drawing one frame of the largest mesh, from the buffer or from the list.
template <bool kStrips>
void DrawFrame(benchmark::State& state) {
    g_canvas->SetCurrent(*g_context);
    Profile p(100, true, 200, 40);
    GlStrips strips;
    GlMeshSink sink(p.doc.m_nPreviewList, kStrips ? &strips : nullptr);
    bool closed = false;
    p.doc.BuildPreviewList(sink, &closed);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glCallList(p.doc.m_nPreviewList);
        strips.Draw();
        glFinish();
    }
}
void BM_DrawFrame_BufferObject(benchmark::State& state) { DrawFrame<true>(state); }
void BM_DrawFrame_List(benchmark::State& state) { DrawFrame<false>(state); }

BENCHMARK(BM_FrameRebuild_BufferObject)->Apply(Sizes);
BENCHMARK(BM_FrameRebuild_ListFromArrays)->Apply(Sizes);
BENCHMARK(BM_FrameRebuild_ListImmediate)->Apply(Sizes);
BENCHMARK(BM_MeshBuild_NoCompile)->Apply(Sizes);
BENCHMARK(BM_DrawFrame_BufferObject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawFrame_List)->Unit(benchmark::kMillisecond);

class BenchApp final : public wxApp {
public:
    bool OnInit() override {
        auto* frame = new wxFrame(nullptr, wxID_ANY, "frame rebuild");
        wxGLAttributes attributes;
        attributes.PlatformDefaults().RGBA().DoubleBuffer().Depth(24).Stencil(8).EndList();
        g_canvas = new wxGLCanvas(frame, attributes);
        frame->SetClientSize(400, 400);
        frame->Show();
        m_context = std::make_unique<wxGLContext>(g_canvas);
        g_context = m_context.get();
        CallAfter([this] { Run(); });
        return true;
    }

private:
    void Run() {
        // The context can be made current once the window is on screen.
        while (!g_canvas->IsShownOnScreen() || !g_canvas->SetCurrent(*g_context)) Yield(true);
        benchmark::RunSpecifiedBenchmarks();
        GetTopWindow()->Destroy();
    }
    std::unique_ptr<wxGLContext> m_context;
};

}  // namespace
}  // namespace orvanel

wxIMPLEMENT_APP_NO_MAIN(orvanel::BenchApp);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    return wxEntry(argc, argv);
}
