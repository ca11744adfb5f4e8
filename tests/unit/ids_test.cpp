// The commands' numbers as wxWidgets ids: all below 0x8000, none shared.
#include "resources/ids.h"

#include <gtest/gtest.h>

#include <set>

namespace orvanel::test {
namespace {

TEST(IdsTest, EveryCommandHasItsOwnWxId) {
    using namespace id;
    const int commands[] = {kViewPreviewToolbar,
                            kKeyboardHelp,
                            kOpenCloseProfile,
                            kForceRedraw,
                            kViewGridPlane,
                            kDeselect,
                            kExportPov,
                            kExportVrml,
                            kToggleGrid,
                            kToolPencil,
                            kToolMove,
                            kToolInsert,
                            kSettings,
                            kAnchorSelected,
                            kFlipNormals,
                            kToggleSmoothing,
                            kHelpContents,
                            kTransfer,
                            kAnchorMenuPoint,
                            kDeleteMenuPoint,
                            kPrint,
                            kPrintPreview,
                            kPhotoAdd,
                            kToolDragPhoto,
                            kPhotoProperties,
                            kPhotoRemove,
                            kPhotoHide,
                            kGoldenRatio,
                            kViewEditToolbar,
                            kViewStatusBar,
                            kSplit,
                            kNextPane,
                            kPreviousPane};
    std::set<int> seen;
    for (const int c : commands) {
        const int ui = Ui(c);
        EXPECT_GT(ui, 0) << c;
        EXPECT_LT(ui, 0x8000) << c;
        // wxWidgets' own standard ids lie from 4999 to 5999.
        EXPECT_FALSE(ui >= 4999 && ui <= 5999) << c;
        EXPECT_TRUE(seen.insert(ui).second) << c;
    }
    EXPECT_EQ(Ui(kViewPreviewToolbar), 101);
    EXPECT_EQ(Ui(kKeyboardHelp), 136);
}

}  // namespace
}  // namespace orvanel::test
