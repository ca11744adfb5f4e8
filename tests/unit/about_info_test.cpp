// The splash's and the About box's texts.
#include <gtest/gtest.h>

#include "app/about_info.h"

namespace orvanel {
namespace {

TEST(AboutInfoTest, TheVersionComesFromTheBuildAndTheSplashRunsItsLastPartsTogether) {
    EXPECT_EQ(ProgramVersion(), "3.1.1.0");
    EXPECT_EQ(SplashText(), "Orvanel\nv3.1.10");
    EXPECT_EQ(SplashText("4.2.0.7"), "Orvanel\nv4.2.07");
}

TEST(AboutInfoTest, AFailedLinkSaysWhyAfterABlankLine) {
    EXPECT_EQ(HyperlinkErrorText(LinkFailure::NoBrowser),
              "Unable to open hyperlink:\n\nThere is no application associated\nwith web "
              "addresses.");
    EXPECT_EQ(HyperlinkErrorText(LinkFailure::BrowserFailed),
              "Unable to open hyperlink:\n\nThe web browser could not be started.");
}

}  // namespace
}  // namespace orvanel
