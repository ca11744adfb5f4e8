// The STL export: watertight, outward, axis quads as single triangles, nothing
// degenerate, z up in millimetres, binary and text alike.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <map>
#include <numbers>
#include <sstream>

#include "export/stl_writer.h"
#include "resources/strings.h"
#include "tests/support/test_doubles.h"
#include "tests/unit/comma_locale.h"
#include "tests/unit/test_support.h"

namespace orvanel::test {
namespace {

struct P3 {
    float x, y, z;
    // Readers match corners by their bytes: 0 and -0 are two corners.
    auto Key() const {
        return std::tuple(std::bit_cast<std::uint32_t>(x), std::bit_cast<std::uint32_t>(y),
                          std::bit_cast<std::uint32_t>(z));
    }
};
struct Tri {
    P3 n, v[3];
};

std::vector<Tri> ReadBinary(const std::vector<std::uint8_t>& bytes) {
    std::uint32_t count = 0;
    std::memcpy(&count, bytes.data() + 80, 4);
    EXPECT_EQ(bytes.size(), 84u + 50u * count);
    std::vector<Tri> tris(count);
    for (std::uint32_t i = 0; i < count && 84 + 50 * (i + 1) <= bytes.size(); ++i) {
        std::memcpy(&tris[i], bytes.data() + 84 + 50 * i, sizeof(Tri));
    }
    return tris;
}

std::vector<Tri> ReadAscii(const std::string& text) {
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    std::vector<Tri> tris;
    int corner = 0;
    for (std::string word; in >> word;) {
        if (word == "normal") {
            tris.emplace_back();
            in >> tris.back().n.x >> tris.back().n.y >> tris.back().n.z;
            corner = 0;
        } else if (word == "vertex" && corner < 3) {
            P3& v = tris.back().v[corner++];
            in >> v.x >> v.y >> v.z;
        }
    }
    return tris;
}

struct Checked {
    bool watertight = true;  // every edge shared by exactly two faces, run both ways
    double volume = 0;       // signed: positive when the faces point outwards
    bool unitNormals = true;
    bool degenerate = false;
    float zMin = 1e30f, zMax = -1e30f;
};

Checked Check(const std::vector<Tri>& tris) {
    Checked c;
    std::map<std::pair<decltype(P3{}.Key()), decltype(P3{}.Key())>, int> edges;
    for (const Tri& t : tris) {
        for (int i = 0; i < 3; ++i) {
            const P3& a = t.v[i];
            const P3& b = t.v[(i + 1) % 3];
            ++edges[{a.Key(), b.Key()}];
            if (a.Key() == b.Key()) c.degenerate = true;
            c.zMin = std::min(c.zMin, a.z);
            c.zMax = std::max(c.zMax, a.z);
        }
        const P3 &a = t.v[0], &b = t.v[1], &d = t.v[2];
        c.volume += (double(a.x) * (double(b.y) * d.z - double(b.z) * d.y) -
                     double(a.y) * (double(b.x) * d.z - double(b.z) * d.x) +
                     double(a.z) * (double(b.x) * d.y - double(b.y) * d.x)) /
                    6.0;
        const double length =
            std::sqrt(double(t.n.x) * t.n.x + double(t.n.y) * t.n.y + double(t.n.z) * t.n.z);
        if (!(std::fabs(length - 1.0) < 1e-5)) c.unitNormals = false;
    }
    for (const auto& [edge, count] : edges) {
        const auto back = edges.find({edge.second, edge.first});
        if (count != 1 || back == edges.end() || back->second != 1) c.watertight = false;
    }
    return c;
}

class StlWriterTest : public ::testing::Test {
protected:
    std::vector<Tri> Write(CTavrinEditorDoc& doc, StlOptions options = {},
                           ExportOutcome expected = ExportOutcome::Written) {
        const auto path = dir / "out.stl";
        std::uint64_t count = 0;
        EXPECT_EQ(WriteStlFile(doc, path, options, prompter, &count), expected);
        if (expected != ExportOutcome::Written) return {};
        const auto bytes = ReadFileBytes(path);
        if (options.bAscii) return ReadAscii(std::string(bytes.begin(), bytes.end()));
        auto tris = ReadBinary(bytes);
        EXPECT_EQ(tris.size(), count);
        return tris;
    }
    TempDir dir;
    RecordingPrompter prompter;
};

// A cylinder of radius 50 and height 100: chords from the axis out, up and back.
void Cylinder(CTavrinEditorDoc& doc) {
    AddPoints(doc, {{0, 0}, {0, 200}, {50, 200}, {50, 100}, {0, 100}, {0, 0}});
    for (int i : {1, 2, 3, 4}) doc.ToggleAnchor(PointAt(doc, i));
}

TEST_F(StlWriterTest, ACylinderIsAWatertightOutwardSolidWithAxisQuadsAsTriangles) {
    DocFixture g;
    Cylinder(*g);
    for (bool flip : {false, true}) {
        g->m_bFlipNormals = flip;
        const auto tris = Write(*g, {24, 5, false, "cylinder"});
        // Bottom and top fans of 24 triangles, the wall of 24 quads.
        EXPECT_EQ(tris.size(), 4u * 24);
        const Checked c = Check(tris);
        EXPECT_TRUE(c.watertight);
        EXPECT_FALSE(c.degenerate);
        EXPECT_TRUE(c.unitNormals);
        const double prism = 12 * 2500 * std::sin(std::numbers::pi / 12) * 100;
        EXPECT_NEAR(c.volume, prism, prism * 1e-5);
        EXPECT_EQ(c.zMin, 0.0f);
        EXPECT_EQ(c.zMax, 100.0f);
    }
}

TEST_F(StlWriterTest, CoordinatesAreMillimetresThroughTheUnitSize) {
    DocFixture g;
    Cylinder(*g);
    g->m_units.unitSize = 0.5;
    const StlOptions options = StlOptions::Of(*g);
    EXPECT_EQ(options.dUnitSize, 0.5);
    const Checked c = Check(Write(*g, options));
    EXPECT_TRUE(c.watertight);
    EXPECT_EQ(c.zMax, 50.0f);
    const double prism = 12 * 625 * std::sin(std::numbers::pi / 12) * 50;
    EXPECT_NEAR(c.volume, prism, prism * 1e-5);
}

TEST_F(StlWriterTest, AProfileDrawnEitherWayRoundFacesOutwards) {
    for (bool reversed : {false, true}) {
        DocFixture g;
        std::vector<XY> points = {{0, 10},   {0, 40},  {60, 60}, {80, 150},
                                  {30, 230}, {0, 250}, {0, 300}};
        if (reversed) std::reverse(points.begin(), points.end());
        for (const XY& p : points) g->AppendPoint(p.x, p.y);
        const Checked c = Check(Write(*g, {36, 8, false, "egg"}));
        EXPECT_TRUE(c.watertight);
        EXPECT_FALSE(c.degenerate);
        EXPECT_GT(c.volume, 0.0);
    }
}

TEST_F(StlWriterTest, AClosedProfileIsAWatertightRing) {
    DocFixture g;
    AddPoints(*g, {{100, 100}, {200, 150}, {120, 220}, {90, 160}}, true);
    g->ToggleAnchor(PointAt(*g, 2));
    const auto tris = Write(*g, {30, 6, false, "ring"});
    const Checked c = Check(tris);
    EXPECT_TRUE(c.watertight);
    EXPECT_GT(c.volume, 0.0);
    EXPECT_FALSE(c.degenerate);
    // Two anchored segments of one step, two of six: 14 rows apart, no axis.
    EXPECT_EQ(tris.size(), 2u * 30 * 14);
}

TEST_F(StlWriterTest, AnOpenWallFacesAwayFromTheAxis) {
    DocFixture g;
    AddPoints(*g, {{40, 0}, {50, 20}, {80, 100}, {60, 180}, {70, 200}});
    const auto tris = Write(*g, {24, 5, false, "wall"});
    const Checked c = Check(tris);
    EXPECT_FALSE(c.watertight);
    EXPECT_FALSE(c.degenerate);
    double outwards = 0;
    for (const Tri& t : tris) {
        const double cx = (t.v[0].x + t.v[1].x + t.v[2].x) / 3.0;
        const double cy = (t.v[0].y + t.v[1].y + t.v[2].y) / 3.0;
        outwards += t.n.x * cx + t.n.y * cy;
    }
    EXPECT_GT(outwards, 0.0);
}

TEST_F(StlWriterTest, TextHoldsTheSameTrianglesAsBinaryWhateverTheLocale) {
    DocFixture g;
    AddPoints(*g, {{0, 10}, {0, 40}, {60, 60}, {80, 150}, {30, 230}, {0, 250}, {0, 300}});
    const auto binary = Write(*g, {12, 3, false, "egg"});
    const CommaLocaleRun run = RunInCommaLocale([&] {
        return WriteStlFile(*g, dir / "text.stl", {12, 3, true, "egg"}, prompter) ==
               ExportOutcome::Written;
    });
    ASSERT_NE(run, CommaLocaleRun::Failed);
    if (run == CommaLocaleRun::Unavailable) {
        ASSERT_EQ(WriteStlFile(*g, dir / "text.stl", {12, 3, true, "egg"}, prompter),
                  ExportOutcome::Written);
    }
    const auto bytes = ReadFileBytes(dir / "text.stl");
    const std::string file(bytes.begin(), bytes.end());
    EXPECT_EQ(file.rfind("solid egg\n", 0), 0u);
    EXPECT_EQ(file.substr(file.size() - 13), "endsolid egg\n");
    EXPECT_EQ(file.find(','), std::string::npos);
    const std::vector<Tri> text = ReadAscii(file);
    ASSERT_EQ(text.size(), binary.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        for (int k = 0; k < 3; ++k) ASSERT_EQ(text[i].v[k].Key(), binary[i].v[k].Key());
        ASSERT_EQ(text[i].n.Key(), binary[i].n.Key());
    }
}

TEST_F(StlWriterTest, ASurfaceThatIsNoSolidIsWrittenOnlyAfterAYes) {
    const struct {
        const char* what;
        std::initializer_list<XY> points;
        bool closed;
        bool asked;
    } cases[] = {
        {"an open wall", {{40, 0}, {50, 20}, {80, 100}, {60, 180}, {70, 200}}, false, true},
        {"a curve ending off the axis", {{0, 0}, {0, 20}, {80, 100}, {60, 180}}, false, true},
        {"a curve on the axis at both ends",
         {{0, 0}, {0, 20}, {80, 100}, {0, 180}, {0, 200}},
         false,
         false},
        {"a closed profile", {{100, 100}, {200, 150}, {120, 220}}, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DocFixture g;
        AddPoints(*g, c.points, c.closed);
        for (const bool answer : {false, true}) {
            prompter.Clear();
            prompter.SetAnswer(answer);
            std::filesystem::remove(dir / "out.stl");
            const bool written = answer || !c.asked;
            Write(*g, {}, written ? ExportOutcome::Written : ExportOutcome::Refused);
            EXPECT_EQ(std::filesystem::exists(dir / "out.stl"), written);
            const auto shown = c.asked ? std::vector<std::string>{std::string(text::kStlNotClosed)}
                                       : std::vector<std::string>{};
            EXPECT_EQ(prompter.Texts(), shown);
            if (c.asked) {
                EXPECT_TRUE(prompter.Entries()[0].question);
            }
        }
    }
}

TEST_F(StlWriterTest, RefusalsAndProfilesWithoutArea) {
    {
        DocFixture g;
        AddPoints(*g, {{10, 10}, {20, 20}, {30, 30}});
        Write(*g, {}, ExportOutcome::Refused);
        EXPECT_EQ(prompter.Texts().back(), text::kNoSplineToExport);
    }
    {
        // Everything on the axis: a valid file without a triangle.
        DocFixture g;
        AddPoints(*g, {{0, 10}, {0, 40}, {0, 90}, {0, 100}});
        EXPECT_TRUE(Write(*g).empty());
    }
    {
        DocFixture g;
        AddPoints(*g, {{10, 10}, {20, 20}, {30, 30}, {40, 40}});
        EXPECT_EQ(WriteStlFile(*g, dir / "none" / "x.stl", {}, prompter), ExportOutcome::Failed);
        EXPECT_EQ(prompter.Texts().back(), text::kErrorSaving);
    }
}

}  // namespace
}  // namespace orvanel::test
