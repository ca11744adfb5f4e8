// Printing either view onto a page held in memory.
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/sizer.h>

#include "editor/editor_view.h"
#include "preview/gl_view.h"
#include "tests/gui/gui_support.h"

namespace orvanel::gui {
namespace {

class PrintingTest : public GuiTest {};

// A page of the given size, white, as a printer's would be.
struct Page {
    explicit Page(wxSize size) : bitmap(size, 24), dc(bitmap) {
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
    }
    wxImage Image() {
        dc.SelectObject(wxNullBitmap);
        return bitmap.ConvertToImage();
    }
    wxBitmap bitmap;
    wxMemoryDC dc;
};

TEST_F(PrintingTest, EditorFitsTheProfileOnOnePage) {
    Start();
    CTavrinEditorDoc& doc = *App().Document();
    doc.AppendPoint(500, 100);
    doc.AppendPoint(200, 250);
    Page page({4800, 6600});
    const double scale = frame->EditorView()->RenderPrintPage(page.dc, {4800, 6600});
    EXPECT_NEAR(scale, 8.55, 1e-9);
    const wxImage image = page.Image();
    // trunc(8.549999... x 500, x 100) and trunc(... x 200, x 250): the first
    // point's marker in the grid colour, the last one green, and the dotted
    // line between them; no background fill.
    EXPECT_GE(CountNear(image, {4274, 854}, 3, wxColour(0, 255, 128), 10), 20);
    EXPECT_GE(CountNear(image, {1709, 2137}, 3, wxColour(50, 220, 50), 10), 20);
    EXPECT_GE(CountNear(image, {(4274 + 1709) / 2, (854 + 2137) / 2}, 3, wxColour(0, 255, 128), 60),
              1);
    EXPECT_EQ(PixelAt(image, {4700, 6500}), *wxWHITE);
}

TEST_F(PrintingTest, PreviewPrintsCentredAtTheViewsShape) {
    // A view of exactly 800 x 400 in a window of its own, on a document of its own.
    MemorySettingsStore settings;
    RecordingPrompter prompter;
    CTavrinEditorDoc doc(settings, prompter);
    ASSERT_TRUE(doc.OnOpenDocument(Example("vase.lum")));
    auto* window = new wxFrame(nullptr, wxID_ANY, "print test");
    auto* view = new CGLView(window, doc, settings, prompter,
                             [&doc](MeshSink& sink, RulerLineSink& rulerSink, bool& closed) {
                                 bool c = false;
                                 doc.BuildPreviewList(sink, rulerSink, &c);
                                 closed = c;
                             });
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(view, 1, wxEXPAND);
    window->SetSizer(sizer);
    window->SetClientSize(800, 400);
    window->Show();
    ASSERT_TRUE(WaitFor(
        [&] { return view->IsPictureCurrent() && view->GetClientSize() == wxSize(800, 400); }));

    Page page({4800, 6000});
    const std::optional<PixelRect> target = view->RenderPrintPage(page.dc, {4800, 6000}, false);
    ASSERT_TRUE(target.has_value());
    EXPECT_EQ(*target, (PixelRect{0, 1800, 4800, 2400}));
    const wxImage image = page.Image();
    // White above and below the picture, the object in its middle.
    EXPECT_EQ(PixelAt(image, {2400, 900}), *wxWHITE);
    EXPECT_EQ(PixelAt(image, {2400, 5100}), *wxWHITE);
    int object = 0;
    for (int y = 2700; y <= 3300; y += 10) {
        for (int x = 2100; x <= 2700; x += 10) {
            const wxColour c = PixelAt(image, {x, y});
            object += c.Red() > c.Green() && c.Green() > c.Blue() + 20;
        }
    }
    EXPECT_GT(object, 400);
    // The view writes its colours as it goes: before the settings do.
    window->Destroy();
    WaitFor([window] { return wxTopLevelWindows.Find(window) == nullptr; });
    EXPECT_TRUE(settings.Has("Settings", "PreviewOBJECTcolor"));
}

}  // namespace
}  // namespace orvanel::gui
