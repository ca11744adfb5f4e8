// Calibrating the photo: the two clicks, the marks, the distance's range and
// the photo scaled about the first end without an undo step.
#include "editor/photo_calibration.h"

#include <gtest/gtest.h>

#include "editor/photo_properties.h"
#include "tests/unit/recording_canvas.h"
#include "tests/unit/test_support.h"

namespace orvanel::test {
namespace {

using Stage = PhotoCalibration::Stage;

class SizedPhoto final : public PhotoImage {
public:
    SizedPhoto(int w, int h) : m_w(w), m_h(h) {}
    bool IsLoaded() const override { return true; }
    int Width() const override { return m_w; }
    int Height() const override { return m_h; }

private:
    int m_w, m_h;
};

TEST(PhotoCalibrationTest, TwoClicksApartThenTheDistance) {
    PhotoCalibration c;
    EXPECT_FALSE(c.IsActive());
    EXPECT_EQ(c.Prompt(), "");
    c.Click({1, 1});  // not started: nothing
    EXPECT_EQ(c.GetStage(), Stage::Off);
    c.Start();
    EXPECT_EQ(c.Prompt(), "Click the first end of a known distance on the photo (Esc cancels).");
    c.Click({100, 500});
    EXPECT_EQ(c.GetStage(), Stage::SecondEnd);
    c.Click({100, 500});  // the same end again
    EXPECT_EQ(c.GetStage(), Stage::SecondEnd);
    EXPECT_EQ(c.Prompt(), "The two ends must lie apart: click the second end elsewhere.");
    c.Click({400, 900});
    EXPECT_EQ(c.GetStage(), Stage::Distance);
    EXPECT_EQ(c.FirstEnd(), (IntPoint{100, 500}));
    EXPECT_EQ(c.SecondEnd(), (IntPoint{400, 900}));
    EXPECT_DOUBLE_EQ(c.Span(), 500.0);
    c.Cancel();
    EXPECT_FALSE(c.IsActive());
}

TEST(PhotoCalibrationTest, MarksTheEndsAndTheLineBetween) {
    PhotoCalibration c;
    c.Start();
    RecordingCanvas none;
    c.PaintLive(none);
    EXPECT_TRUE(none.Calls().empty());
    EXPECT_EQ(c.LiveBounds(), IntRect{});
    c.Click({100, 200});
    c.Track({130, 240});
    RecordingCanvas canvas;
    c.PaintLive(canvas);
    EXPECT_EQ(canvas.Calls(),
              (std::vector<std::string>{
                  "mix notxorpen", "pen solid 1 #000000", "move 94 200", "line 107 200",
                  "move 100 194", "line 100 207", "move 100 200", "line 130 240", "move 124 240",
                  "line 137 240", "move 130 234", "line 130 247", "mix copy"}));
    EXPECT_EQ(c.LiveBounds(), (IntRect{92, 192, 138, 248}));
}

TEST(PhotoCalibrationTest, ScalesAboutTheFirstEnd) {
    EXPECT_EQ(ScalePhotoAbout({0, 400, 800, 1000}, {100, 500}, 0.5), (IntRect{50, 450, 450, 750}));
    EXPECT_EQ(ScalePhotoAbout({0, 400, 800, 1000}, {0, 1000}, 2.0), (IntRect{0, -200, 1600, 1000}));
}

TEST(PhotoCalibrationTest, TheDistanceKeepsThePercentagesInTheirRange) {
    // An 800 x 600 photo at 100 %, the ends 400 units apart.
    const IntRect rc{0, 400, 800, 1000};
    struct Case {
        UnitSystem units;
        const char* text;
        std::optional<IntRect> rect;
        const char* message;
    };
    for (const Case& c : {
             Case{{1.0, DisplayUnit::Millimetre}, "200", IntRect{0, 700, 400, 1000}, ""},
             Case{{0.5, DisplayUnit::Millimetre}, "400", IntRect{0, -200, 1600, 1000}, ""},
             Case{{1.0, DisplayUnit::Centimetre}, "2", IntRect{0, 970, 40, 1000}, ""},
             Case{{1.0, DisplayUnit::Millimetre},
                  "19.9",
                  std::nullopt,
                  "Enter a number between 20 and 2000."},
             Case{{1.0, DisplayUnit::Millimetre},
                  "2001",
                  std::nullopt,
                  "Enter a number between 20 and 2000."},
             Case{{1.0, DisplayUnit::Inch},
                  "79",
                  std::nullopt,
                  "Enter a number between 0.788 and 78.74."},
             Case{{1.0, DisplayUnit::Millimetre}, "far", std::nullopt, "Enter a number."},
         }) {
        const FieldRead<IntRect> read =
            CalibratedPhotoRect(rc, 800, 600, {0, 1000}, 400.0, c.text, c.units);
        EXPECT_EQ(read.value, c.rect) << c.text;
        EXPECT_EQ(read.message, c.message) << c.text;
    }
}

TEST(PhotoCalibrationTest, AppliesToTheDocumentsPhotoWithoutAnUndoStep) {
    DocFixture f;
    AddPoints(*f, {{10, 10}, {20, 20}});
    f->m_picture = std::make_unique<SizedPhoto>(800, 600);
    f->m_rcPhoto = {0, 400, 800, 1000};
    f->m_units = {0.5, DisplayUnit::Millimetre};
    f->SetModifiedFlag(false);
    const auto states = f->UndoStateCount();
    PhotoCalibration c;
    c.Start();
    c.Click({100, 500});
    c.Click({500, 500});  // 400 units apart
    std::string error;
    EXPECT_FALSE(ApplyPhotoCalibration(*f, c, "1", error));
    EXPECT_EQ(error, "Enter a number between 10 and 1000.");
    EXPECT_EQ(f->m_rcPhoto, (IntRect{0, 400, 800, 1000}));
    f.view.updates = 0;
    // 100 mm at 0.5 mm a unit is 200 units: half the size.
    ASSERT_TRUE(ApplyPhotoCalibration(*f, c, "100", error));
    EXPECT_EQ(f->m_rcPhoto, (IntRect{50, 450, 450, 750}));
    const PhotoPropertiesValues shown = OpenPhotoProperties(*f);
    EXPECT_EQ(shown.m_nScaleWidth, 50u);
    EXPECT_EQ(shown.m_nScaleHeight, 50u);
    EXPECT_EQ(f.view.updates, 1);
    EXPECT_EQ(f->UndoStateCount(), states);
    EXPECT_FALSE(f->IsModified());
}

}  // namespace
}  // namespace orvanel::test
