// The editor's cursor pictures, drawn as 32 x 32 character grids so that any
// toolkit can build its cursors from them: 'X' is black, 'o' white and '.'
// transparent.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "document/profile_point.h"

namespace orvanel {

struct CursorPicture {
    int id;            // the cursor's number (resources/ids.h)
    IntPoint hotSpot;  // the pixel that points
    std::array<std::string_view, 32> rows;
};

std::span<const CursorPicture> CursorPictures();
// The picture of a cursor number, or null for a number that has none.
const CursorPicture* FindCursorPicture(int id);

}  // namespace orvanel
