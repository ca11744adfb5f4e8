// The context-help table and its missing-topic text.
#include "app/help_topics.h"

#include <gtest/gtest.h>

namespace orvanel::test {
namespace {

TEST(HelpTopicsTest, EveryRequestEndsInTheMissingTopicText) {
    for (const unsigned n : {0x1E100u, 0x1E101u, 0x1E103u, 0x20080u, 0u}) {
        EXPECT_EQ(ContextHelpTopic(n), 0) << n;
    }
    EXPECT_EQ(NoHelpTopicText(0x1E100), "No help topic is associated with this item #1E100.");
    EXPECT_EQ(NoHelpTopicText(kHelpResourceBase + kMainWindowResource),
              "No help topic is associated with this item #20080.");
    EXPECT_EQ(NoHelpTopicText(0xABCDEF), "No help topic is associated with this item #ABCDEF.");
}

}  // namespace
}  // namespace orvanel::test
