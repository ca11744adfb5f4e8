// The .lum bytes: what the program writes, what it reads, and what it refuses.
#include <gtest/gtest.h>

#include "document/profile_format.h"
#include "resources/strings.h"
#include "tests/unit/test_support.h"

namespace orvanel::test {
namespace {

TEST(ProfileFormatTest, AnEmptyProfileIs25Bytes) {
    DocFixture f;
    EXPECT_EQ(Store(*f), Bytes().U8(8).Chars("VOLDERAK").I32(0).I32(0).I32(10).I32(0).Get());
}

TEST(ProfileFormatTest, TheTwoPointExampleIs57Bytes) {
    DocFixture f;
    AddPoints(*f, {{10, 20}, {30, 40}});
    f->ToggleAnchor(PointAt(*f, 1));
    const auto bytes = Store(*f);
    EXPECT_EQ(bytes.size(), 57u);
    EXPECT_EQ(bytes, Bytes().Header(0, 2, 10, 0).Point(10, 20, 0, 0).Point(30, 40, 0, 1).Get());
    EXPECT_EQ(bytes, ReadFileBytes(Fixture("two_points.lum")));
}

TEST(ProfileFormatTest, StoringClearsTheModifiedFlag) {
    DocFixture f;
    f->AppendPoint(1, 1);
    ASSERT_TRUE(f->IsModified());
    Store(*f);
    EXPECT_FALSE(f->IsModified());
}

TEST(ProfileFormatTest, AClosedProfileWithSelectionsRoundTrips) {
    DocFixture f;
    AddPoints(*f, {{10, 20}, {30, 40}, {50, 10}, {5, 5}}, true);
    f->m_nEditorSteps = 13;
    f->m_bFlipNormals = true;
    ASSERT_TRUE(f->HitTestPoint(30, 40));
    f->SelectCurrent(false);
    ASSERT_TRUE(f->HitTestPoint(5, 5));
    f->SelectCurrent(true);
    const auto bytes = Store(*f);

    DocFixture g;
    ASSERT_TRUE(Load(*g, bytes));
    EXPECT_TRUE(g->IsClosed());
    EXPECT_EQ(g->m_nEditorSteps, 13);
    EXPECT_TRUE(g->m_bFlipNormals);
    EXPECT_EQ(PointsOf(*g), PointsOf(*f));
    std::vector<bool> selected;
    for (const ProfilePoint* p : PointersOf(*g)) selected.push_back(p->bSelected);
    EXPECT_EQ(selected, (std::vector<bool>{false, true, false, true}));
    EXPECT_EQ(Store(*g), bytes);
}

TEST(ProfileFormatTest, TheOlderVersionHasNoAnchorsAndKeepsTheSteps) {
    DocFixture f;
    f->m_nEditorSteps = 17;
    f->m_bFlipNormals = true;
    ASSERT_TRUE(Load(*f, ReadFileBytes(Fixture("older_three.lum"))));
    EXPECT_EQ(PointsOf(*f), (std::vector<XY>{{10, 100}, {40, 60}, {20, 10}}));
    for (const ProfilePoint* p : PointersOf(*f)) EXPECT_FALSE(p->bAnchor);
    EXPECT_TRUE(PointAt(*f, 1)->bSelected);
    EXPECT_TRUE(f->IsClosed());
    EXPECT_EQ(f->m_nEditorSteps, 17);
    EXPECT_TRUE(f->m_bFlipNormals);
}

struct RefusedCase {
    const char* what;
    Bytes bytes;
    std::string_view message;
    friend void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.what; }
};

class RefusedFileTest : public ::testing::TestWithParam<RefusedCase> {};

// A refused stream leaves the open profile exactly as it was.
TEST_P(RefusedFileTest, ShowsItsMessageAndLeavesTheDocumentAlone) {
    DocFixture f;
    AddPoints(*f, {{1, 2}, {3, 4}, {5, 6}}, true);
    const auto before = Store(*f);
    f.prompter.Clear();
    EXPECT_FALSE(Load(*f, GetParam().bytes));
    EXPECT_EQ(f.prompter.Texts(), std::vector<std::string>{std::string(GetParam().message)});
    EXPECT_EQ(Store(*f), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedFileTest,
    ::testing::Values(
        RefusedCase{"lower-case magic", Bytes().Str("volderak").I32(0).I32(0).I32(10).I32(0),
                    text::kNotOurFile},
        RefusedCase{"length byte 7", Bytes().U8(7).Chars("VOLDERAK").I32(0).I32(0).I32(10),
                    text::kNotOurFile},
        RefusedCase{"length byte 9", Bytes().U8(9).Chars("VOLDERAK").I32(0).I32(0).I32(10),
                    text::kNotOurFile},
        RefusedCase{"older magic misspelt", Bytes().Str("TAVRINV1.3").I32(0).I32(0),
                    text::kNotOurFile},
        RefusedCase{"cut off in the points", Bytes().Header(0, 3).Point(1, 1).I32(2),
                    text::kErrorReading},
        RefusedCase{"cut off in the header", Bytes().Str("VOLDERAK").I32(0).I32(1),
                    text::kErrorReading},
        RefusedCase{"negative count", Bytes().Header(0, -1).Point(1, 1), text::kErrorReading},
        RefusedCase{"count far beyond the file", Bytes().Header(0, 0x7FFFFFFF).Point(1, 1),
                    text::kErrorReading},
        RefusedCase{"older version cut off",
                    Bytes().Str("TAVRINV1.2").I32(0).I32(2).I32(1).I32(1).I32(0),
                    text::kErrorReading}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(ProfileFormatTest, LoadKeepsTheDocumentsRules) {
    DocFixture f;
    // Closed with two points, and a negative coordinate: an edited file.
    ASSERT_TRUE(Load(*f, Bytes().Header(1, 2).Point(-5, 7, 0, 1).Point(3, -9).Get()));
    EXPECT_FALSE(f->IsClosed());
    EXPECT_EQ(PointsOf(*f), (std::vector<XY>{{0, 7}, {3, 0}}));
    EXPECT_TRUE(ListIsSound(*f));
}

TEST(ProfileFormatTest, HugeEditorStepsReadAsTheLargestTheSheetAllows) {
    DocFixture f;
    ASSERT_TRUE(f->OnOpenDocument(Fixture("huge_steps.lum")));
    EXPECT_EQ(f->m_nEditorSteps, kMaxEditorSteps);
    f->HitTestCurve(50, 50);  // would otherwise step two billion times a segment
    ASSERT_TRUE(Load(*f, Bytes().Header(0, 0, -4, 0)));
    EXPECT_EQ(f->m_nEditorSteps, -4);  // a value below 1 only draws nothing
}

TEST(ProfileFormatTest, FlagsOtherThanOneReadAsSet) {
    DocFixture f;
    ASSERT_TRUE(Load(*f, Bytes().Header(7, 3, 10, 2).Point(0, 0, 5, -1).Point(1, 1).Point(2, 2)));
    EXPECT_TRUE(f->IsClosed());
    EXPECT_TRUE(f->m_bFlipNormals);
    EXPECT_TRUE(PointAt(*f, 0)->bSelected);
    EXPECT_TRUE(PointAt(*f, 0)->bAnchor);
    EXPECT_EQ(Store(*f),
              Bytes().Header(1, 3, 10, 1).Point(0, 0, 1, 1).Point(1, 1).Point(2, 2).Get());
}

TEST(ProfileFormatTest, EveryPrefixOfAValidFileLoadsSafely) {
    const auto whole = Bytes()
                           .Header(1, 4, 12, 1)
                           .Point(10, 20)
                           .Point(30, 40, 1, 1)
                           .Point(50, 60)
                           .Point(70, 80)
                           .Get();
    for (std::size_t n = 0; n <= whole.size(); ++n) {
        DocFixture f;
        AddPoints(*f, {{9, 9}});
        const std::vector<std::uint8_t> prefix(whole.begin(), whole.begin() + n);
        const bool loaded = Load(*f, prefix);
        EXPECT_EQ(loaded, n == whole.size()) << n << " bytes";
        EXPECT_TRUE(ListIsSound(*f)) << n << " bytes";
        EXPECT_EQ(f->GetPointCount(), loaded ? 4 : 1) << n << " bytes";
    }
}

TEST(ProfileFormatTest, ReadProfileTellsTheVersion) {
    for (auto [fixture, version] : {std::pair{"two_points.lum", ProfileData::Version::Current},
                                    std::pair{"older_three.lum", ProfileData::Version::Older}}) {
        CMemFile file(ReadFileBytes(Fixture(fixture)));
        CArchive ar(file, CArchive::Mode::load);
        EXPECT_EQ(ReadProfile(ar).version, version) << fixture;
    }
}

}  // namespace
}  // namespace orvanel::test
