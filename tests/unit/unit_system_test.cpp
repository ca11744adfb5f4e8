// Real sizes: the conversion between editor units and millimetres, centimetres
// and inches, its texts, and its stored settings.
#include "document/unit_system.h"

#include <gtest/gtest.h>

#include "tests/unit/test_support.h"

namespace orvanel::test {
namespace {

using namespace dimension_keys;

TEST(UnitSystemTest, ConvertsBothWays) {
    struct Case {
        UnitSystem units;
        double editorUnits;
        double millimetres;
        double shown;
    };
    for (const Case& c : {
             Case{{1.0, DisplayUnit::Millimetre}, 240, 240, 240},
             Case{{0.5, DisplayUnit::Millimetre}, 240, 120, 120},
             Case{{2.0, DisplayUnit::Centimetre}, 240, 480, 48},
             Case{{25.4, DisplayUnit::Inch}, 3, 76.2, 3},
             Case{{1.0, DisplayUnit::Inch}, 254, 254, 10},
         }) {
        EXPECT_DOUBLE_EQ(c.units.ToMillimetres(c.editorUnits), c.millimetres);
        EXPECT_DOUBLE_EQ(c.units.FromMillimetres(c.millimetres), c.editorUnits);
        EXPECT_DOUBLE_EQ(c.units.ToDisplay(c.editorUnits), c.shown);
        EXPECT_DOUBLE_EQ(c.units.FromDisplay(c.shown), c.editorUnits);
    }
}

TEST(UnitSystemTest, FormatsWithTheUnitsDecimalsAndSuffix) {
    EXPECT_EQ((UnitSystem{1.0, DisplayUnit::Millimetre}.Format(182)), "182.0 mm");
    EXPECT_EQ((UnitSystem{0.5, DisplayUnit::Millimetre}.Format(365)), "182.5 mm");
    EXPECT_EQ((UnitSystem{1.0, DisplayUnit::Centimetre}.Format(182)), "18.20 cm");
    EXPECT_EQ((UnitSystem{1.0, DisplayUnit::Inch}.Format(254)), "10.00 in");
    EXPECT_EQ((UnitSystem{1.0, DisplayUnit::Millimetre}.FormatNumber(-0.04)), "0.0");
    EXPECT_EQ(FixedText(-0.004, 2), "0.00");
    EXPECT_EQ(FixedText(-0.5, 1), "-0.5");
    EXPECT_EQ(TrimmedFixedText(240.0, 3), "240");
    EXPECT_EQ(TrimmedFixedText(12.5004, 3), "12.5");
    EXPECT_EQ(TrimmedFixedText(-0.0001, 3), "0");
}

TEST(UnitSystemTest, DefaultsWhenNothingIsStored) {
    MemorySettingsStore store;
    EXPECT_EQ(ReadUnitSystem(store), (UnitSystem{1.0, DisplayUnit::Millimetre}));
}

TEST(UnitSystemTest, StoredAndReadBack) {
    for (const UnitSystem& units :
         {UnitSystem{0.25, DisplayUnit::Centimetre}, UnitSystem{25.4, DisplayUnit::Inch},
          UnitSystem{0.1 + 0.2, DisplayUnit::Millimetre}}) {
        MemorySettingsStore store;
        WriteUnitSystem(store, units);
        EXPECT_EQ(ReadUnitSystem(store), units);
    }
    MemorySettingsStore store;
    WriteUnitSystem(store, {0.5, DisplayUnit::Inch});
    EXPECT_EQ(store.GetString(kSection, kUnitSize, ""), "0.5");
    EXPECT_EQ(store.GetString(kSection, kDisplayUnit, ""), "in");
}

TEST(UnitSystemTest, DamagedSettingsFallBack) {
    for (const char* size : {"", "abc", "0", "0.001", "100.5", "-1", "nan", "inf", "1,5", "2mm"}) {
        MemorySettingsStore store;
        store.WriteString(kSection, kUnitSize, size);
        store.WriteString(kSection, kDisplayUnit, "furlong");
        EXPECT_EQ(ReadUnitSystem(store), UnitSystem{}) << size;
    }
    MemorySettingsStore store;
    store.WriteString(kSection, kUnitSize, "100");
    EXPECT_DOUBLE_EQ(ReadUnitSystem(store).unitSize, 100.0);
    store.WriteString(kSection, kUnitSize, "0.01");
    EXPECT_DOUBLE_EQ(ReadUnitSystem(store).unitSize, 0.01);
}

TEST(UnitSystemTest, TheDocumentReadsAndWritesThem) {
    MemorySettingsStore store;
    RecordingPrompter prompter;
    WriteUnitSystem(store, {0.5, DisplayUnit::Centimetre});
    {
        CTavrinEditorDoc doc(store, prompter);
        EXPECT_EQ(doc.m_units, (UnitSystem{0.5, DisplayUnit::Centimetre}));
        doc.m_units = {2.0, DisplayUnit::Inch};
    }
    EXPECT_EQ(ReadUnitSystem(store), (UnitSystem{2.0, DisplayUnit::Inch}));
}

}  // namespace
}  // namespace orvanel::test
