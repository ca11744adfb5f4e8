// The cursor pictures: one for every cursor the tools choose, well formed and
// pointing with a drawn pixel.
#include "resources/cursors.h"

#include <gtest/gtest.h>

#include "editor/edit_tools.h"
#include "resources/ids.h"

namespace orvanel::test {
namespace {

TEST(CursorPictureTest, EveryCursorOfTheToolsHasAWellFormedPicture) {
    for (int tool : {id::kToolIdPencil, id::kToolIdMove, id::kToolIdInsert, id::kToolIdDragPhoto}) {
        for (bool pressed : {false, true}) {
            EXPECT_NE(FindCursorPicture(CursorFor(tool, pressed)), nullptr) << tool;
        }
    }
    EXPECT_EQ(FindCursorPicture(id::kCursorZoom), nullptr);
    for (const CursorPicture& c : CursorPictures()) {
        SCOPED_TRACE(c.id);
        bool black = false, white = false;
        for (std::string_view row : c.rows) {
            ASSERT_EQ(row.size(), 32u);
            EXPECT_EQ(row.find_first_not_of(".Xo"), std::string_view::npos);
            black = black || row.find('X') != std::string_view::npos;
            white = white || row.find('o') != std::string_view::npos;
        }
        // Black and white both, so that it shows on any background.
        EXPECT_TRUE(black && white);
        ASSERT_TRUE(c.hotSpot.x >= 0 && c.hotSpot.x < 32 && c.hotSpot.y >= 0 && c.hotSpot.y < 32);
        EXPECT_EQ(c.rows[c.hotSpot.y][c.hotSpot.x], 'X');
    }
    EXPECT_EQ(FindCursorPicture(id::kCursorPencil)->hotSpot, (IntPoint{8, 30}));
    EXPECT_EQ(FindCursorPicture(id::kCursorInsert)->hotSpot, (IntPoint{7, 30}));
    EXPECT_EQ(FindCursorPicture(id::kCursorMove)->hotSpot, (IntPoint{16, 16}));
    EXPECT_EQ(FindCursorPicture(id::kCursorHandOpen)->hotSpot, (IntPoint{12, 1}));
    EXPECT_EQ(FindCursorPicture(id::kCursorHandClosed)->hotSpot, (IntPoint{12, 1}));
}

}  // namespace
}  // namespace orvanel::test
