// The 1:1 template: how a drawing is tiled over the pages, the layout beside
// the curve, and what each page draws.
#include "export/template_pages.h"

#include <gtest/gtest.h>

#include "export/template_pdf.h"
#include "resources/strings.h"
#include "tests/unit/recording_canvas.h"
#include "tests/unit/test_support.h"

namespace orvanel::test {
namespace {

TEST(TemplatePagesTest, TilesWithTheOverlap) {
    struct Case {
        double width, height;
        PaperSize paper;
        int columns, rows;
    };
    // A4 shows 190 x 261 mm of the drawing on a page, letter 195.9 x 243.4;
    // each further page adds its tile less the 10 mm overlap.
    for (const Case& c : {
             Case{190, 261, kPaperA4, 1, 1},
             Case{190.1, 261, kPaperA4, 2, 1},
             Case{370, 512, kPaperA4, 2, 2},
             Case{370.1, 512.1, kPaperA4, 3, 3},
             Case{10, 430, kPaperA4, 1, 2},
             Case{195.9, 243.4, kPaperLetter, 1, 1},
             Case{196, 476.8, kPaperLetter, 2, 2},
             Case{196, 477, kPaperLetter, 2, 3},
         }) {
        const PageTiling t = TilePages(c.width, c.height, c.paper);
        EXPECT_EQ(t.columns, c.columns) << c.width;
        EXPECT_EQ(t.rows, c.rows) << c.height;
    }
    // Far too large: counted up to one beyond the most there may be.
    const PageTiling huge = TilePages(1e9, 1e9, kPaperA4);
    EXPECT_EQ(huge.columns, kMostTemplatePages + 1);
    EXPECT_TRUE(huge.TooManyPages());
    EXPECT_FALSE(TilePages(190 * 22, 261, kPaperA4).TooManyPages());
    const PageTiling a4 = TilePages(1, 1, kPaperA4);
    EXPECT_DOUBLE_EQ(a4.tileWidth, 190);
    EXPECT_DOUBLE_EQ(a4.tileHeight, 261);
    EXPECT_DOUBLE_EQ(a4.StepY(), 251);
}

// An anchored cup wall: the curve is the chord (75, 100) -> (75, 500), 400 mm
// tall at one millimetre a unit, 150 mm across.
void Cup(CTavrinEditorDoc& doc) {
    AddPoints(doc, {{0, 0}, {75, 100}, {75, 500}, {0, 510}});
    doc.SelectAll();
    doc.SetAnchorOnSelected();
}

TEST(TemplatePagesTest, AFourHundredMillimetreProfileOnA4) {
    DocFixture f;
    Cup(*f);
    const auto pages = TemplatePages::Make(*f, kPaperA4, false);
    ASSERT_TRUE(pages);
    // 10 mm of padding, 5 mm of axis beyond each end of the curve: 430 mm.
    EXPECT_DOUBLE_EQ(pages->Layout().height, 430);
    EXPECT_DOUBLE_EQ(pages->Layout().axisX, 10);
    EXPECT_DOUBLE_EQ(pages->Layout().textX, 97);
    EXPECT_EQ(pages->Legend(), (std::vector<std::string>{"Untitled", "Overall height: 400.0 mm",
                                                         "Largest diameter: 150.0 mm"}));
    EXPECT_EQ(pages->Tiling().columns, 1);
    EXPECT_EQ(pages->Tiling().rows, 2);
    // Both halves are twice as wide: two columns.
    const auto mirrored = TemplatePages::Make(*f, kPaperA4, true);
    ASSERT_TRUE(mirrored);
    EXPECT_DOUBLE_EQ(mirrored->Layout().axisX, 85);
    EXPECT_EQ(mirrored->PageCount(), 4);
}

TEST(TemplatePagesTest, TheUnitSizeAndTheDisplayUnitApply) {
    DocFixture f;
    Cup(*f);
    f->m_units = {0.5, DisplayUnit::Inch};
    const auto pages = TemplatePages::Make(*f, kPaperLetter, false);
    ASSERT_TRUE(pages);
    EXPECT_EQ(pages->Legend()[1], "Overall height: 7.87 in");
    EXPECT_EQ(pages->PageCount(), 1);  // 200 mm tall
    RecordingPageCanvas canvas;
    pages->DrawPage(canvas, 0);
    // Four inches of bar, and its words.
    EXPECT_EQ(canvas.Only("fill"),
              (std::vector<std::string>{"fill 1000 25840 11160 25990 #000000"}));
    EXPECT_EQ(canvas.Only("text 1000").back(),
              "text 1000 26190 350 #000000 This bar must measure 4 in");
}

TEST(TemplatePagesTest, EachPageShowsItsTileOfTheDrawing) {
    DocFixture f;
    Cup(*f);
    const auto pages = TemplatePages::Make(*f, kPaperA4, false);
    ASSERT_TRUE(pages);
    RecordingPageCanvas first, second;
    pages->DrawPage(first, 0);
    pages->DrawPage(second, 1);
    // The tile, then the axis dash-dot from 5 mm above the curve's top.
    EXPECT_EQ(first.Only("clip"), (std::vector<std::string>{"clip 1000 1000 20000 27100"}));
    EXPECT_EQ(first.Calls()[2], "pen dashdot 25 #000000");
    EXPECT_EQ(first.Calls()[3], "move 2000 2000");
    // The second page is the drawing moved up by the tile less the overlap.
    EXPECT_EQ(second.Calls()[3], "move 2000 -23100");
    EXPECT_EQ(first.Only("pen solid 35"), (std::vector<std::string>{"pen solid 35 #000000"}));
    // The curve from the top of its chord.
    EXPECT_EQ(first.Calls()[6], "move 9500 2500");
    EXPECT_EQ(first.Calls()[8], "line 9500 42500");
    // The scale bar: exactly 100 mm, with its words; the page's place beside it.
    EXPECT_EQ(first.Only("fill"),
              (std::vector<std::string>{"fill 1000 27600 11000 27750 #000000"}));
    EXPECT_EQ(
        first.Only("text 1000"),
        (std::vector<std::string>{"text 1000 27950 350 #000000 This bar must measure 100 mm"}));
    EXPECT_EQ(first.Only("text 11800"),
              (std::vector<std::string>{"text 11800 27450 350 #000000 row 1, column 1 of 2 × 1",
                                        "text 11800 27950 350 #000000 Untitled"}));
    EXPECT_EQ(second.Only("text 11800")[0],
              "text 11800 27450 350 #000000 row 2, column 1 of 2 × 1");
    // The first page marks where the second one's tile begins: 251 mm down.
    EXPECT_EQ(first.Only("move 900 26100").size(), 1u);
    EXPECT_TRUE(second.Only("move 900 26100").empty());
}

TEST(TemplatePdfTest, NoCurveNoFile) {
    TempDir dir;
    DocFixture f;
    AddPoints(*f, {{0, 0}, {10, 10}});
    EXPECT_EQ(WriteTemplatePdf(*f, dir / "t.pdf", kPaperA4, false, f.prompter),
              ExportOutcome::Refused);
    EXPECT_EQ(f.prompter.Texts(), (std::vector<std::string>{std::string(text::kNoSplineToExport)}));
    EXPECT_FALSE(std::filesystem::exists(dir / "t.pdf"));
}

TEST(TemplatePdfTest, AUnitSizeTypedWrongIsNoWallOfPaper) {
    TempDir dir;
    DocFixture f;
    Cup(*f);
    f->m_units.unitSize = 100;  // 40 m tall
    EXPECT_EQ(WriteTemplatePdf(*f, dir / "t.pdf", kPaperA4, false, f.prompter),
              ExportOutcome::Refused);
    EXPECT_EQ(
        f.prompter.Texts(),
        (std::vector<std::string>{
            "The template would take more than 500 pages: check the size of one editor unit."}));
    EXPECT_FALSE(std::filesystem::exists(dir / "t.pdf"));
}

TEST(TemplatePdfTest, WritesAPdfOrLeavesTheOldFile) {
    TempDir dir;
    DocFixture f;
    Cup(*f);
    ASSERT_EQ(WriteTemplatePdf(*f, dir / "t.pdf", kPaperA4, true, f.prompter),
              ExportOutcome::Written);
    const std::vector<std::uint8_t> bytes = ReadFileBytes(dir / "t.pdf");
    ASSERT_GT(bytes.size(), 5u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 5), "%PDF-");
    EXPECT_EQ(WriteTemplatePdf(*f, dir / "none" / "t.pdf", kPaperA4, false, f.prompter),
              ExportOutcome::Failed);
    EXPECT_EQ(f.prompter.Texts(), (std::vector<std::string>{std::string(text::kErrorSaving)}));
}

}  // namespace
}  // namespace orvanel::test
