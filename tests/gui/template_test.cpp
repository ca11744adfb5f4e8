// The 1:1 template through wx: a page drawn by the DC canvas at true size,
// and the printout's pages in the print preview.
#include <wx/dcmemory.h>
#include <wx/print.h>

#include "editor/dc_canvas.h"
#include "export/template_printout.h"
#include "tests/gui/gui_support.h"

namespace orvanel::gui {
namespace {

class TemplateTest : public GuiTest {};

// Counts the dark pixels along a row or a column of the image.
int DarkRun(const wxImage& image, wxPoint from, wxPoint step, int count) {
    int dark = 0;
    for (int i = 0; i < count; ++i) {
        const wxColour c = PixelAt(image, from + wxPoint(step.x * i, step.y * i));
        dark += c.IsOk() && c.Red() < 100 && c.Green() < 100 && c.Blue() < 100;
    }
    return dark;
}

TEST_F(TemplateTest, TheDcCanvasDrawsThePageAtTrueSize) {
    Start(Fixture("tall_cup.lum"));
    const auto pages = TemplatePages::Make(*App().Document(), kPaperA4, false);
    ASSERT_TRUE(pages);
    // Five pixels a millimetre: the A4 page is 1050 x 1485.
    wxBitmap bitmap(1050, 1485, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        dc.SetUserScale(5.0 / kTemplateUnitsPerMm, 5.0 / kTemplateUnitsPerMm);
        DcCanvas canvas(dc);
        pages->DrawPage(canvas, 0);
    }
    const wxImage image = bitmap.ConvertToImage();
    // The bar: 100 mm from 10 mm in, 276 to 277.5 mm down.
    EXPECT_EQ(DarkRun(image, {50, 1383}, {1, 0}, 500), 500);
    EXPECT_EQ(DarkRun(image, {30, 1383}, {1, 0}, 15), 0);
    EXPECT_EQ(DarkRun(image, {555, 1383}, {1, 0}, 15), 0);
    // The curve: 95 mm from the paper's edge, from 25 mm down to the tile's end.
    EXPECT_GE(DarkRun(image, {475, 200}, {0, 1}, 1000), 990);
    EXPECT_EQ(DarkRun(image, {475, 1360}, {0, 1}, 10), 0);  // clipped below the tile
    // The axis, dash-dot: dark and light along it.
    const int axis = DarkRun(image, {100, 150}, {0, 1}, 1000);
    EXPECT_GT(axis, 500);
    EXPECT_LT(axis, 950);
}

// The print preview as Print Template opens it, on the paper of the print data.
struct Preview {
    Preview(wxWindow* parent, const CTavrinEditorDoc& doc, wxPrintData& data)
        : preview(new wxPrintPreview(new TemplatePrintout(doc), new TemplatePrintout(doc), &data)),
          frame(new wxPreviewFrame(preview, parent, "Print Template")) {
        frame->Initialize();
        frame->Show();
    }
    ~Preview() { frame->Destroy(); }
    const std::optional<TemplatePages>& Pages() const {
        return static_cast<TemplatePrintout*>(preview->GetPrintout())->Pages();
    }
    wxPrintPreview* preview;  // the frame owns it
    wxPreviewFrame* frame;
};

TEST_F(TemplateTest, ThePreviewShowsThePagesOfThePaper) {
    Start(Fixture("tall_cup.lum"));
    wxPrintData a4;
    a4.SetPaperId(wxPAPER_A4);
    {
        Preview shown(frame, *App().Document(), a4);
        ASSERT_TRUE(WaitFor([&] { return shown.preview->GetMaxPage() == 2; }))
            << shown.preview->GetMaxPage();
        ASSERT_TRUE(shown.Pages());
        EXPECT_NEAR(shown.Pages()->Paper().width, 210, 0.5);
        EXPECT_NEAR(shown.Pages()->Paper().height, 297, 0.5);
    }
    wxPrintData letter;
    letter.SetPaperId(wxPAPER_LETTER);
    letter.SetOrientation(wxLANDSCAPE);
    {
        // 430 mm down on tiles of 215.9 - 36 mm: three rows.
        Preview shown(frame, *App().Document(), letter);
        ASSERT_TRUE(WaitFor([&] { return shown.preview->GetMaxPage() == 3; }))
            << shown.preview->GetMaxPage();
        EXPECT_NEAR(shown.Pages()->Paper().width, 279.4, 0.5);
    }
}

TEST_F(TemplateTest, PrintTemplateRefusesNoCurveAndAWallOfPaper) {
    Start(Fixture("two_points.lum"));
    wxPrintData data;
    EXPECT_EQ(TemplateRefusal(*App().Document(), data), "No spline to export!");
    ASSERT_TRUE(frame->OpenDocument(Fixture("tall_cup.lum")));
    EXPECT_EQ(TemplateRefusal(*App().Document(), data), std::nullopt);
    App().Document()->m_units.unitSize = 100;
    EXPECT_EQ(TemplateRefusal(*App().Document(), data),
              "The template would take more than 500 pages: check the size of one editor unit.");
}

}  // namespace
}  // namespace orvanel::gui
