// The document's stored settings: read once at construction, written once at
// destruction.
#include <gtest/gtest.h>

#include "tests/support/test_doubles.h"
#include "tests/unit/test_support.h"

namespace orvanel::test {
namespace {

using namespace settings_keys;

TEST(DocumentSettingsTest, DefaultsAreReadAndWrittenBack) {
    MemorySettingsStore store;
    RecordingPrompter prompter;
    {
        CTavrinEditorDoc doc(store, prompter);
        EXPECT_EQ(doc.m_nEditorSteps, 10);
        EXPECT_EQ(doc.m_nPreviewSteps, 5);
        EXPECT_EQ(doc.m_nSections, 24);
        EXPECT_FLOAT_EQ(doc.m_fExtrusionHeight, 0.5f);
        EXPECT_TRUE(doc.m_bPropMapping);
        EXPECT_EQ(doc.m_nProportionalFactor, 1);
        EXPECT_EQ(store.WriteCount(), 0u);
    }
    EXPECT_EQ(store.GetInt(kSection, kPropMapping, -1), 1);
    EXPECT_EQ(store.GetInt(kSection, kProportionalFactor, -1), 1);
    EXPECT_EQ(store.GetInt(kSection, kEditorSteps, -1), 10);
    EXPECT_EQ(store.GetInt(kSection, kPreviewSteps, -1), 5);
    EXPECT_EQ(store.GetInt(kSection, kSections, -1), 24);
    EXPECT_EQ(store.GetInt(kSection, kExtrusionHeight, -1), 50000);
}

TEST(DocumentSettingsTest, ExtrusionHeightConversion) {
    struct Case {
        int stored;
        float height;
        int writtenBack;
    };
    for (Case c : {Case{50000, 0.5f, 50000}, Case{0, 1.0f, 100000}, Case{-7, 1.0f, 100000},
                   Case{123456, 1.23456f, 123456}, Case{100, 0.001f, 100}}) {
        MemorySettingsStore store;
        RecordingPrompter prompter;
        store.WriteInt(kSection, kExtrusionHeight, c.stored);
        {
            CTavrinEditorDoc doc(store, prompter);
            EXPECT_FLOAT_EQ(doc.m_fExtrusionHeight, c.height) << c.stored;
        }
        EXPECT_EQ(store.GetInt(kSection, kExtrusionHeight, -1), c.writtenBack) << c.stored;
    }
    EXPECT_EQ(ExtrusionHeightToStored(0.0f), 100000);
    EXPECT_EQ(ExtrusionHeightToStored(-3.0f), 100000);
    EXPECT_EQ(ExtrusionHeightToStored(1e30f), 2147483647);
}

TEST(DocumentSettingsTest, StoredValuesOutsideTheirRangesFallBackToDefaults) {
    struct Case {
        std::string_view key;
        const char* stored;
        int CTavrinEditorDoc::*member;
        int expected;
    };
    const Case cases[] = {
        {kEditorSteps, "7", &CTavrinEditorDoc::m_nEditorSteps, 7},
        {kEditorSteps, "0", &CTavrinEditorDoc::m_nEditorSteps, 10},
        {kEditorSteps, "21", &CTavrinEditorDoc::m_nEditorSteps, 10},
        {kEditorSteps, "junk", &CTavrinEditorDoc::m_nEditorSteps, 10},
        {kPreviewSteps, "40", &CTavrinEditorDoc::m_nPreviewSteps, 40},
        {kPreviewSteps, "-3", &CTavrinEditorDoc::m_nPreviewSteps, 5},
        {kSections, "3", &CTavrinEditorDoc::m_nSections, 3},
        {kSections, "2", &CTavrinEditorDoc::m_nSections, 24},
        {kSections, "100000", &CTavrinEditorDoc::m_nSections, 24},
        {kProportionalFactor, "1000", &CTavrinEditorDoc::m_nProportionalFactor, 1000},
        {kProportionalFactor, "0", &CTavrinEditorDoc::m_nProportionalFactor, 1},
    };
    for (const Case& c : cases) {
        MemorySettingsStore store;
        RecordingPrompter prompter;
        store.WriteString(kSection, c.key, c.stored);
        CTavrinEditorDoc doc(store, prompter);
        EXPECT_EQ(doc.*c.member, c.expected) << c.key << "=" << c.stored;
    }
}

TEST(DocumentSettingsTest, TheStepsOfTheLastOpenedFileAreWrittenAtExit) {
    MemorySettingsStore store;
    RecordingPrompter prompter;
    {
        CTavrinEditorDoc doc(store, prompter);
        doc.OnNewDocument();
        ASSERT_TRUE(Load(doc, Bytes().Header(0, 0, 14, 0)));
    }
    EXPECT_EQ(store.GetInt(kSection, kEditorSteps, -1), 14);
}

}  // namespace
}  // namespace orvanel::test
