// The 1:1 template through wx: a page drawn by the DC canvas at true size,
// and File > Print Template's pages in the print preview.
#include <wx/dcmemory.h>
#include <wx/print.h>

#include "editor/dc_canvas.h"
#include "export/template_printout.h"
#include "resources/wx_commands.h"
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

// File > Print Template, on the paper the print settings name: the preview
// of the pages, or a message and no preview.
class PrintTemplateTest : public GuiTest {
protected:
    static wxPreviewFrame* PreviewShown() {
        for (wxWindow* w : wxTopLevelWindows) {
            if (auto* p = dynamic_cast<wxPreviewFrame*>(w); p && !p->IsBeingDeleted()) return p;
        }
        return nullptr;
    }
    // The pages of the preview Print Template opened, which it closes.
    std::optional<TemplatePages> PreviewedPages(wxPaperSize paper, wxPrintOrientation turn) {
        App().PrintData()->SetPaperId(paper);
        App().PrintData()->SetOrientation(turn);
        Choose(Command::PrintTemplate);
        wxPreviewFrame* shown = PreviewShown();
        if (shown == nullptr) {
            ADD_FAILURE() << "no preview";
            return std::nullopt;
        }
        EXPECT_EQ(shown->GetTitle(), "Print Template");
        wxPrintPreviewBase* preview = shown->GetControlBar()->GetPrintPreview();
        EXPECT_TRUE(WaitFor([&] { return preview->GetMaxPage() > 0; }));
        auto* printout = dynamic_cast<TemplatePrintout*>(preview->GetPrintout());
        EXPECT_NE(printout, nullptr);
        std::optional<TemplatePages> pages = printout ? printout->Pages() : std::nullopt;
        EXPECT_EQ(preview->GetMaxPage(), pages ? pages->PageCount() : -1);
        shown->Close();
        EXPECT_TRUE(WaitFor([] { return PreviewShown() == nullptr; }));
        return pages;
    }
};

TEST_F(PrintTemplateTest, ThePreviewShowsThePagesOfThePaper) {
    Start(Fixture("tall_cup.lum"));
    UpdateUi();
    EXPECT_TRUE(MenuEnabled(WxIdOf(Command::PrintTemplate)));
    const auto a4 = PreviewedPages(wxPAPER_A4, wxPORTRAIT);
    ASSERT_TRUE(a4);
    EXPECT_EQ(a4->PageCount(), 2);
    EXPECT_NEAR(a4->Paper().width, 210, 0.5);
    EXPECT_NEAR(a4->Paper().height, 297, 0.5);
    // 430 mm down on tiles of 215.9 - 36 mm: three rows.
    const auto letter = PreviewedPages(wxPAPER_LETTER, wxLANDSCAPE);
    ASSERT_TRUE(letter);
    EXPECT_EQ(letter->PageCount(), 3);
    EXPECT_NEAR(letter->Paper().width, 279.4, 0.5);
    EXPECT_TRUE(App().prompter.Texts().empty());
}

TEST_F(PrintTemplateTest, NoCurveOrAWallOfPaperIsToldAndNothingIsShown) {
    Start();
    UpdateUi();
    EXPECT_FALSE(MenuEnabled(WxIdOf(Command::PrintTemplate)));
    ASSERT_TRUE(frame->OpenDocument(Fixture("two_points.lum")));
    Choose(Command::PrintTemplate);
    EXPECT_EQ(PreviewShown(), nullptr);
    ASSERT_TRUE(frame->OpenDocument(Fixture("tall_cup.lum")));
    App().Document()->m_units.unitSize = 100;
    Choose(Command::PrintTemplate);
    EXPECT_EQ(PreviewShown(), nullptr);
    EXPECT_EQ(App().prompter.Texts(),
              (std::vector<std::string>{
                  "No spline to export!",
                  "The template would take more than 500 pages: check the size of one editor "
                  "unit."}));
}

}  // namespace
}  // namespace orvanel::gui
