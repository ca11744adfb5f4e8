// Exact coordinates: the Point Properties fields in the display unit, their
// range, and the move as one undo step.
#include "editor/point_properties.h"

#include <gtest/gtest.h>

#include "tests/unit/test_support.h"

namespace orvanel::test {
namespace {

TEST(PointPropertiesTest, OpensOnTheDistanceAndTheHeightInTheDisplayUnit) {
    ProfilePoint p(182, 760);
    p.bAnchor = true;
    EXPECT_EQ(OpenPointProperties(p, {1.0, DisplayUnit::Millimetre}),
              (PointPropertiesValues{"182", "240", true}));
    EXPECT_EQ(OpenPointProperties(p, {0.5, DisplayUnit::Centimetre}),
              (PointPropertiesValues{"9.1", "12", true}));
    EXPECT_EQ(OpenPointProperties(ProfilePoint(1, 999), {1.0, DisplayUnit::Inch}),
              (PointPropertiesValues{"0.039", "0.039", false}));
    EXPECT_EQ(LengthFieldText(0.0), "0");
    EXPECT_EQ(LengthFieldText(45.5100004), "45.51");
}

TEST(PointPropertiesTest, ReadsTheFieldsIntoEditorUnits) {
    struct Case {
        UnitSystem units;
        const char* distance;
        const char* height;
        std::optional<IntPoint> at;
        std::optional<PointFieldError> error;
    };
    const UnitSystem mm{1.0, DisplayUnit::Millimetre};
    const UnitSystem halfCm{0.5, DisplayUnit::Centimetre};
    const UnitSystem inch{25.4, DisplayUnit::Inch};
    for (const Case& c : {
             Case{mm, "100", "250", IntPoint{100, 750}, {}},
             Case{mm, " 0 ", "1000", IntPoint{0, 0}, {}},
             Case{mm, "12.4", "12.6", IntPoint{12, 987}, {}},
             Case{halfCm, "5", "25", IntPoint{100, 500}, {}},
             Case{inch, "2", "39.37", IntPoint{2, 961}, {}},
             Case{mm,
                  "1000.5",
                  "10",
                  {},
                  PointFieldError{PointField::Distance, "Enter a number between 0 and 1000."}},
             Case{mm,
                  "-1",
                  "10",
                  {},
                  PointFieldError{PointField::Distance, "Enter a number between 0 and 1000."}},
             Case{halfCm,
                  "10",
                  "51",
                  {},
                  PointFieldError{PointField::Height, "Enter a number between 0 and 50."}},
             Case{mm, "10", "high", {}, PointFieldError{PointField::Height, "Enter a number."}},
         }) {
        const ProfilePoint point(300, 300);
        PointPlacement placement{{-1, -1}, false};
        const auto error =
            ReadPointProperties({c.distance, c.height, true}, point, c.units, placement);
        EXPECT_EQ(error, c.error) << c.distance << " " << c.height;
        const PointPlacement expected{c.at.value_or(IntPoint{-1, -1}), c.at.has_value()};
        EXPECT_EQ(placement, expected) << c.distance << " " << c.height;
    }
}

TEST(PointPropertiesTest, FieldsLeftAsTheyOpenedKeepThePointWhereItIs) {
    // One unit is 0.37 mm: the fields show rounded lengths.
    const UnitSystem units{0.37, DisplayUnit::Centimetre};
    const ProfilePoint point(123, 1200);  // below the area, as a file may have it
    PointPropertiesValues values = OpenPointProperties(point, units);
    values.bAnchor = true;
    PointPlacement placement;
    ASSERT_FALSE(ReadPointProperties(values, point, units, placement));
    EXPECT_EQ(placement, (PointPlacement{{123, 1200}, true}));
}

TEST(PointPropertiesTest, OkMovesThePointAsOneUndoStep) {
    DocFixture f;
    AddPoints(*f, {{10, 10}, {200, 300}, {50, 900}});
    const auto states = f->UndoStateCount();
    const ProfilePoint* p = PointAt(*f, 1);
    f.view.updates = 0;
    EXPECT_TRUE(ApplyPointProperties(*f, p, {{120, 760}, true}));
    EXPECT_EQ(PointsOf(*f)[1], (XY{120, 760}));
    EXPECT_TRUE(p->bAnchor);
    EXPECT_EQ(f->UndoStateCount(), states + 1);
    EXPECT_TRUE(f->IsModified());
    EXPECT_EQ(f.view.updates, 1);
    // Nothing changed: no step.
    EXPECT_FALSE(ApplyPointProperties(*f, p, {{120, 760}, true}));
    EXPECT_EQ(f->UndoStateCount(), states + 1);
    f->OnEditUndo();
    EXPECT_EQ(PointsOf(*f)[1], (XY{200, 300}));
    EXPECT_FALSE(PointAt(*f, 1)->bAnchor);
}

TEST(PointPropertiesTest, ClampsAsADragDoes) {
    DocFixture f;
    AddPoints(*f, {{10, 10}, {200, 300}});
    EXPECT_TRUE(ApplyPointProperties(*f, PointAt(*f, 0), {{-5, -7}, false}));
    EXPECT_EQ(PointsOf(*f)[0], (XY{0, 0}));
}

}  // namespace
}  // namespace orvanel::test
