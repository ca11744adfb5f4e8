#include "app/help_topics.h"

#include <cstdio>

namespace orvanel {

namespace {
struct ContextTopic {
    unsigned context;
    int topic;
};
// New, Open and Save: none of them has a topic of its own yet.
constexpr ContextTopic kTopics[] = {{0x1E100, 0}, {0x1E101, 0}, {0x1E103, 0}};
}  // namespace

int ContextHelpTopic(unsigned contextNumber) {
    for (const ContextTopic& t : kTopics) {
        if (t.context == contextNumber) return t.topic;
    }
    return 0;
}

std::string NoHelpTopicText(unsigned contextNumber) {
    char text[96];
    std::snprintf(text, sizeof text, "No help topic is associated with this item #%X.",
                  contextNumber);
    return text;
}

}  // namespace orvanel
