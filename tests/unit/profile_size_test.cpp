// The object's real size: the curve's largest diameter and height as the
// preview samples it, the size pane's text, and the unit size that makes a
// wanted height or diameter.
#include "editor/profile_size.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "preview/mesh.h"
#include "tests/unit/test_support.h"

namespace orvanel::test {
namespace {

void AnchorAll(CTavrinEditorDoc& doc) {
    doc.SelectAll();
    doc.SetAnchorOnSelected();
}

TEST(ProfileSizeTest, NoCurveNoSize) {
    DocFixture f;
    EXPECT_FALSE(MeasureProfileSize(*f));
    AddPoints(*f, {{10, 10}, {50, 100}, {10, 200}});
    EXPECT_FALSE(MeasureProfileSize(*f));
    EXPECT_EQ(SizePaneText(std::nullopt, UnitSystem{}), "");
}

TEST(ProfileSizeTest, AnchoredProfilesAreTheirChords) {
    // An open cup wall: the curve is the chord P1 -> P2 only.
    DocFixture open;
    AddPoints(*open, {{0, 0}, {100, 50}, {100, 290}, {0, 300}});
    AnchorAll(*open);
    EXPECT_EQ(MeasureProfileSize(*open), (ProfileSize{200, 240}));
    // A closed ring: every side.
    DocFixture ring;
    AddPoints(*ring, {{10, 10}, {110, 10}, {110, 250}, {10, 250}}, true);
    AnchorAll(*ring);
    EXPECT_EQ(MeasureProfileSize(*ring), (ProfileSize{220, 240}));
}

TEST(ProfileSizeTest, IsTheSizeOfThePreviewsSamples) {
    DocFixture f;
    ASSERT_TRUE(
        f->OnOpenDocument(std::filesystem::path(ORVANEL_FIXTURES_DIR) / "../../examples/vase.lum"));
    for (const int steps : {1, 5, 40}) {
        f->m_nPreviewSteps = steps;
        const RevolutionProfile profile{f->GetHead(), f->GetTail(), f->GetPointCount(),
                                        f->IsClosed(), steps};
        const std::vector<ProfileSample> samples =
            SampleRevolutionProfile(profile, WalkDirection::FromHead);
        double radius = 0, top = samples.front().y, bottom = samples.front().y;
        for (const ProfileSample& s : samples) {
            radius = std::max(radius, std::abs(double(s.x)));
            top = std::min(top, double(s.y));
            bottom = std::max(bottom, double(s.y));
        }
        EXPECT_EQ(MeasureProfileSize(*f), (ProfileSize{2 * radius, bottom - top})) << steps;
    }
}

TEST(ProfileSizeTest, MovedPointsCountWhereTheDragHasThem) {
    DocFixture f;
    AddPoints(*f, {{10, 10}, {110, 10}, {110, 250}, {10, 250}}, true);
    AnchorAll(*f);
    std::vector<MovedPoint> moved{{PointAt(*f, 1), {160, 10}}, {PointAt(*f, 2), {160, 300}}};
    std::sort(moved.begin(), moved.end(), [](const MovedPoint& a, const MovedPoint& b) {
        return std::less<const ProfilePoint*>()(a.point, b.point);
    });
    EXPECT_EQ(MeasureProfileSize(*f, moved), (ProfileSize{320, 290}));
    EXPECT_EQ(MeasureProfileSize(*f), (ProfileSize{220, 240}));
}

TEST(ProfileSizeTest, PaneTextInEachUnit) {
    const ProfileSize size{182, 240};
    EXPECT_EQ(SizePaneText(size, {1.0, DisplayUnit::Millimetre}), "Ø 182.0 × 240.0 mm");
    EXPECT_EQ(SizePaneText(size, {0.5, DisplayUnit::Centimetre}), "Ø 9.10 × 12.00 cm");
    EXPECT_EQ(SizePaneText(ProfileSize{254, 127}, {1.0, DisplayUnit::Inch}), "Ø 10.00 × 5.00 in");
}

TEST(ProfileSizeTest, UnitSizeThatMakesAWantedSize) {
    struct Case {
        SizeToMake what;
        const char* text;
        double extent;
        DisplayUnit unit;
        std::optional<double> size;
        const char* message;
    };
    for (const Case& c : {
             Case{SizeToMake::Height, "120", 240, DisplayUnit::Millimetre, 0.5, ""},
             Case{SizeToMake::Height, "48", 240, DisplayUnit::Centimetre, 2.0, ""},
             Case{SizeToMake::Diameter, "10", 254, DisplayUnit::Inch, 1.0, ""},
             Case{SizeToMake::Height, "2.4", 240, DisplayUnit::Millimetre, 0.01, ""},
             Case{SizeToMake::Height, "24000", 240, DisplayUnit::Millimetre, 100.0, ""},
             Case{SizeToMake::Height, "1", 240, DisplayUnit::Millimetre, std::nullopt,
                  "Enter a number between 2.4 and 24000."},
             Case{SizeToMake::Height, "tall", 240, DisplayUnit::Millimetre, std::nullopt,
                  "Enter a number."},
             Case{SizeToMake::Height, "100", 0, DisplayUnit::Millimetre, std::nullopt,
                  "The curve has no height to scale."},
             Case{SizeToMake::Diameter, "100", 0, DisplayUnit::Millimetre, std::nullopt,
                  "The curve has no diameter to scale."},
         }) {
        const FieldRead<double> read = UnitSizeToMake(c.what, c.text, c.extent, c.unit);
        if (c.size) {
            ASSERT_TRUE(read.value) << c.text << ": " << read.message;
            EXPECT_NEAR(*read.value, *c.size, 1e-6 * *c.size) << c.text;
        } else {
            EXPECT_FALSE(read.value) << c.text;
            EXPECT_EQ(read.message, c.message);
        }
    }
}

TEST(ProfileSizeTest, TheUnitSizeFieldKeepsWhatItShows) {
    const UnitSizeField shown = ShowUnitSize(1.0 / 3.0);
    EXPECT_EQ(shown.text, "0.333333");
    EXPECT_EQ(ReadUnitSize("0.333333", shown).value, 1.0 / 3.0);
    EXPECT_EQ(ReadUnitSize(" +0.1 ", shown).value, 0.1);
    EXPECT_EQ(ShowUnitSize(25.4).text, "25.4");
    EXPECT_EQ(ShowUnitSize(100).text, "100");
    for (const char* refused : {"0.001", "100.5", "-1"}) {
        EXPECT_EQ(ReadUnitSize(refused, shown).message, "Enter a number between 0.01 and 100.");
    }
    EXPECT_EQ(ReadUnitSize("one", shown).message, "Enter a number.");
}

}  // namespace
}  // namespace orvanel::test
