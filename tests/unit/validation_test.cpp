// The dialogs' field check: what reads as a value, the exact refusals, and the
// order in which each page's fields are read.
#include "app/validation.h"

#include <gtest/gtest.h>

namespace orvanel::test {
namespace {

TEST(IntFieldTest, ReadsSignedDigitsWithBlanksAroundAndHoldsTheRange) {
    const struct {
        const char* text;
        std::optional<int> value;
        const char* message;
    } cases[] = {
        {"5", 5, ""},
        {" 7\t", 7, ""},
        {"+3", 3, ""},
        {"20", 20, ""},
        {"1", 1, ""},
        {"", std::nullopt, "Enter an integer."},
        {"  ", std::nullopt, "Enter an integer."},
        {"abc", std::nullopt, "Enter an integer."},
        {"1.5", std::nullopt, "Enter an integer."},
        {"1 2", std::nullopt, "Enter an integer."},
        {"-", std::nullopt, "Enter an integer."},
        {"0x10", std::nullopt, "Enter an integer."},
        {"0", std::nullopt, "Enter an integer between 1 and 20."},
        {"21", std::nullopt, "Enter an integer between 1 and 20."},
        {"-3", std::nullopt, "Enter an integer between 1 and 20."},
        {"99999999999999999999", std::nullopt, "Enter an integer between 1 and 20."},
        {"-99999999999999999999", std::nullopt, "Enter an integer between 1 and 20."},
    };
    for (const auto& c : cases) {
        const FieldRead<int> read = ReadIntField(c.text, 1, 20);
        EXPECT_EQ(read.value, c.value) << '"' << c.text << '"';
        EXPECT_EQ(read.message, c.message) << '"' << c.text << '"';
    }
}

TEST(NumberFieldTest, ReadsDecimalNumbersAndWritesTheBoundsAsTheyAre) {
    const std::string range = "Enter a number between 0.001 and 20.";
    const struct {
        const char* text;
        std::optional<float> value;
        std::string message;
    } cases[] = {
        {"0.5", 0.5f, ""},
        {" 20 ", 20.0f, ""},
        {"0.001", 0.001f, ""},
        {"1e-3", 0.001f, ""},
        {".5", 0.5f, ""},
        {"5.", 5.0f, ""},
        {"+2.5E0", 2.5f, ""},
        {"20.0001", std::nullopt, range},
        {"0.0009", std::nullopt, range},
        {"0", std::nullopt, range},
        {"-1", std::nullopt, range},
        {"1e999", std::nullopt, range},
        {"", std::nullopt, "Enter a number."},
        {"abc", std::nullopt, "Enter a number."},
        {"nan", std::nullopt, "Enter a number."},
        {"inf", std::nullopt, "Enter a number."},
        {"0x1p3", std::nullopt, "Enter a number."},
        {"1e", std::nullopt, "Enter a number."},
        {".", std::nullopt, "Enter a number."},
        {"1,5", std::nullopt, "Enter a number."},
    };
    for (const auto& c : cases) {
        const FieldRead<float> read = ReadNumberField(c.text, 0.001f, 20.0f);
        EXPECT_EQ(read.value, c.value) << '"' << c.text << '"';
        EXPECT_EQ(read.message, c.message) << '"' << c.text << '"';
    }
}

TEST(NumberFieldTest, AFloatWrittenIntoItsFieldReadsBackUnchanged) {
    for (float v : {0.5f, 0.001f, 20.0f, 1.23456f, 0.123456789f, 12.34567f, 1e-5f}) {
        const std::string text = FormatNumberField(v);
        const FieldRead<float> read = ReadNumberField(text, -1e30f, 1e30f);
        ASSERT_TRUE(read.value) << text;
        EXPECT_EQ(*read.value, v) << text;
    }
    EXPECT_EQ(FormatNumberField(0.5f), "0.5");
}

EditorSettingPageValues EditorPage() {
    EditorSettingPageValues v;
    v.m_nEditorSteps = 10;
    v.m_nGridSize = 10;
    v.m_nPenSize = 2;
    return v;
}

ObjectPageValues ObjectPage() {
    ObjectPageValues v;
    v.m_nPreviewSteps = 5;
    v.m_nSections = 24;
    v.m_fExtrusionHeight = 0.5f;
    return v;
}

TEST(SettingsPageTest, EveryOutOfRangeValueIsRefusedWithItsBounds) {
    const struct {
        int control;
        const char* text;
        const char* message;
    } editor[] = {
        {1066, "0", "Enter an integer between 1 and 10."},
        {1066, "11", "Enter an integer between 1 and 10."},
        {1026, "2", "Enter an integer between 3 and 500."},
        {1026, "501", "Enter an integer between 3 and 500."},
        {1062, "0", "Enter an integer between 1 and 20."},
        {1062, "21", "Enter an integer between 1 and 20."},
        {1062, "ten", "Enter an integer."},
    };
    for (const auto& c : editor) {
        FieldTexts texts = EditorPageTexts(EditorPage());
        texts[c.control] = c.text;
        EditorSettingPageValues values = EditorPage();
        EXPECT_EQ(ReadEditorPage(texts, values), (FieldError{c.control, c.message})) << c.text;
        EXPECT_EQ(values, EditorPage());  // nothing is taken from a refused page
    }
    const struct {
        int control;
        const char* text;
        const char* message;
    } object[] = {
        {1051, "41", "Enter an integer between 1 and 40."},
        {1051, "0", "Enter an integer between 1 and 40."},
        {1030, "2", "Enter an integer between 3 and 200."},
        {1030, "201", "Enter an integer between 3 and 200."},
        {1032, "25", "Enter a number between 0.001 and 20."},
        {1032, "x", "Enter a number."},
    };
    for (const auto& c : object) {
        FieldTexts texts = ObjectPageTexts(ObjectPage());
        texts[c.control] = c.text;
        ObjectPageValues values = ObjectPage();
        EXPECT_EQ(ReadObjectPage(texts, values), (FieldError{c.control, c.message})) << c.text;
        EXPECT_EQ(values, ObjectPage());
    }
}

TEST(SettingsPageTest, TheFieldsAreReadInTheirOrderAndTheFirstRefusalWins) {
    FieldTexts texts = EditorPageTexts(EditorPage());
    texts[1066] = "99";  // pen size, read last
    texts[1026] = "1";   // grid size, read second
    EditorSettingPageValues values = EditorPage();
    EXPECT_EQ(ReadEditorPage(texts, values)->control, 1026);
    texts[1062] = "";  // curve steps, read first
    EXPECT_EQ(ReadEditorPage(texts, values)->control, 1062);
}

TEST(SettingsPageTest, ValidTextsAreTakenAndTheSpinRangesMatchTheFields) {
    FieldTexts texts = {{1062, "20"}, {1026, "3"}, {1066, " 10"}};
    EditorSettingPageValues editor = EditorPage();
    EXPECT_EQ(ReadEditorPage(texts, editor), std::nullopt);
    EXPECT_EQ(editor.m_nEditorSteps, 20);
    EXPECT_EQ(editor.m_nGridSize, 3);
    EXPECT_EQ(editor.m_nPenSize, 10);
    ObjectPageValues object = ObjectPage();
    EXPECT_EQ(ReadObjectPage(ObjectPageTexts(object), object), std::nullopt);
    EXPECT_EQ(object, ObjectPage());  // the hidden height goes through unchanged
    for (const FieldRule& f : kEditorPageFields) {
        EXPECT_EQ(f.spinLo, f.lo);
        EXPECT_EQ(f.spinHi, f.hi);
    }
    EXPECT_EQ(kObjectPageFields[2].spinLo, 0);  // the hidden spin of the height
}

TEST(SettingsPageTest, TheLightButtonsGiveTheirCellIndex) {
    EXPECT_EQ(RadioIndex(id::kFrontLightButtons, 1074), 0);  // top left
    EXPECT_EQ(RadioIndex(id::kFrontLightButtons, 1075), 2);  // top right
    EXPECT_EQ(RadioIndex(id::kBackLightButtons, 1056), 5);   // bottom left
    EXPECT_EQ(RadioIndex(id::kBackLightButtons, 1058), 7);
    EXPECT_EQ(RadioIndex(id::kBackLightButtons, 1074), -1);
}

TEST(PhotoPropertiesFieldsTest, PercentagesFromFiveToFiveHundred) {
    PhotoPropertiesValues values;
    values.m_bLockAspect = false;
    FieldTexts texts = {{1083, "500"}, {1082, "5"}};
    EXPECT_EQ(ReadPhotoProperties(texts, values), std::nullopt);
    EXPECT_EQ(values.m_nScaleHeight, 500u);
    EXPECT_EQ(values.m_nScaleWidth, 5u);
    texts[1082] = "501";
    EXPECT_EQ(ReadPhotoProperties(texts, values),
              (FieldError{1082, "Enter an integer between 5 and 500."}));
    texts[1083] = "4";
    EXPECT_EQ(ReadPhotoProperties(texts, values),
              (FieldError{1083, "Enter an integer between 5 and 500."}));
}

TEST(PhotoPropertiesFieldsTest, WithTheAspectLockedTheDisabledHeightIsNotRead) {
    // A very wide photo opens with a height of 4 %, which the locked dialog
    // could never have let the user correct.
    PhotoPropertiesValues values;
    values.m_nScaleHeight = 4;
    values.m_nScaleWidth = 5;
    FieldTexts texts = PhotoPropertiesTexts(values);
    texts[1082] = "50";
    EXPECT_EQ(ReadPhotoProperties(texts, values), std::nullopt);
    EXPECT_EQ(values.m_nScaleWidth, 50u);
    EXPECT_EQ(values.m_nScaleHeight, 4u);
}

}  // namespace
}  // namespace orvanel::test
