// The SVG and DXF profiles: the outline against the curve itself, the files'
// structure and directions, the mirror, and the refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "export/dxf_writer.h"
#include "export/svg_writer.h"
#include "resources/strings.h"
#include "tests/unit/test_support.h"

namespace orvanel::test {
namespace {

void AnchorAll(CTavrinEditorDoc& doc) {
    doc.SelectAll();
    doc.SetAnchorOnSelected();
}

// The Catmull-Rom segment of (a, b, c, d) at t, evaluated directly.
double CatmullRom(double a, double b, double c, double d, double t) {
    return 0.5 * ((2 * b) + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t * t +
                  (-a + 3 * b - 3 * c + d) * t * t * t);
}

TEST(ProfileOutlineTest, IsTheCurveItselfTimesTheUnitSize) {
    DocFixture f;
    AddPoints(*f, {{10, 400}, {60, 390}, {120, 300}, {90, 150}, {110, 20}, {100, 0}});
    const UnitSystem units{0.5, DisplayUnit::Inch};  // the display unit plays no part
    for (const int steps : {1, 7, 20, 100}) {
        const std::optional<ProfileOutline> outline = SampleProfileOutline(*f, steps, units);
        ASSERT_TRUE(outline);
        EXPECT_FALSE(outline->closed);
        // The start of the first segment, then `steps` samples for each of three.
        ASSERT_EQ(outline->points.size(), 1u + 3u * steps);
        const std::vector<XY> p = PointsOf(*f);
        EXPECT_EQ(outline->points.front(), (OutlinePoint{30, 195}));
        for (int s = 0; s < 3; ++s) {
            for (int i = 1; i <= steps; ++i) {
                const double t = double(i) / steps;
                const OutlinePoint& got = outline->points[1 + s * steps + (i - 1)];
                // Within a micrometre: the step is 1 / steps rounded to a float.
                EXPECT_NEAR(got.x, 0.5 * CatmullRom(p[s].x, p[s + 1].x, p[s + 2].x, p[s + 3].x, t),
                            1e-3);
                EXPECT_NEAR(got.y, 0.5 * CatmullRom(p[s].y, p[s + 1].y, p[s + 2].y, p[s + 3].y, t),
                            1e-3);
            }
        }
    }
}

TEST(ProfileOutlineTest, AClosedProfileClosesWithoutRepeatingItsStart) {
    DocFixture f;
    AddPoints(*f, {{10, 10}, {110, 10}, {110, 250}, {10, 250}}, true);
    AnchorAll(*f);
    const std::optional<ProfileOutline> outline = SampleProfileOutline(*f, 20, {2.0});
    ASSERT_TRUE(outline);
    EXPECT_TRUE(outline->closed);
    EXPECT_EQ(outline->points,
              (std::vector<OutlinePoint>{{220, 20}, {220, 500}, {20, 500}, {20, 20}}));
    EXPECT_EQ(outline->left, 20);
    EXPECT_EQ(outline->right, 220);
    EXPECT_EQ(outline->top, 20);
    EXPECT_EQ(outline->bottom, 500);
}

TEST(ProfileOutlineTest, NoCurveNoOutline) {
    DocFixture f;
    AddPoints(*f, {{10, 10}, {20, 20}, {30, 30}});
    EXPECT_FALSE(SampleProfileOutline(*f, 20, {}));
}

// An anchored cup wall: the chord (100, 50) -> (100, 290) and the end handles.
ProfileOutline Cup() {
    ProfileOutline o;
    o.points = {{100, 50}, {100, 290}, {20, 300}};
    o.left = 20;
    o.right = 100;
    o.top = 50;
    o.bottom = 300;
    return o;
}

TEST(SvgWriterTest, EditorDirectionInMillimetres) {
    EXPECT_EQ(SvgFileText(Cup(), false),
              "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
              "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"100.000000mm\" "
              "height=\"250.000000mm\" viewBox=\"0.000000 0 100.000000 250.000000\">\n"
              "  <g id=\"axis\" fill=\"none\" stroke=\"#0000ff\" stroke-width=\"0.100000\" "
              "stroke-dasharray=\"6 1.5 1 1.5\">\n"
              "    <line x1=\"0\" y1=\"0\" x2=\"0\" y2=\"250.000000\"/>\n"
              "  </g>\n"
              "  <g id=\"profile\" fill=\"none\" stroke=\"#000000\" stroke-width=\"0.100000\" "
              "stroke-linejoin=\"round\">\n"
              "    <polyline id=\"curve\" points=\"100.000000,0.000000 100.000000,240.000000 "
              "20.000000,250.000000\"/>\n"
              "  </g>\n"
              "</svg>\n");
}

TEST(SvgWriterTest, TheMirrorWidensTheViewBoxToBothSides) {
    ProfileOutline o = Cup();
    o.closed = true;
    const std::string text = SvgFileText(o, true);
    EXPECT_NE(text.find("width=\"200.000000mm\" height=\"250.000000mm\" "
                        "viewBox=\"-100.000000 0 200.000000 250.000000\""),
              std::string::npos);
    EXPECT_NE(text.find("<polygon id=\"curve\" points=\"100.000000,0.000000 "), std::string::npos);
    EXPECT_NE(text.find("<polygon id=\"mirror\" points=\"-100.000000,0.000000 "
                        "-100.000000,240.000000 -20.000000,250.000000\"/>"),
              std::string::npos);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The lines of the first entity of the type, up to the next entity.
std::vector<std::string> Entity(const std::vector<std::string>& lines, const std::string& type,
                                std::size_t from = 0) {
    for (std::size_t i = from; i + 1 < lines.size(); i += 2) {
        if (lines[i] != "  0" || lines[i + 1] != type) continue;
        std::size_t end = i + 2;
        while (end + 1 < lines.size() && lines[end] != "  0") end += 2;
        return {lines.begin() + static_cast<long>(i), lines.begin() + static_cast<long>(end)};
    }
    return {};
}

TEST(DxfWriterTest, CadDirectionWithTheLowestPointAtZero) {
    const std::vector<std::string> lines = Lines(DxfFileText(Cup(), false));
    const std::vector<std::string> header(lines.begin(), lines.begin() + 12);
    EXPECT_EQ(header,
              (std::vector<std::string>{"  0", "SECTION", "  2", "HEADER", "  9", "$ACADVER", "  1",
                                        "AC1009", "  9", "$INSUNITS", " 70", "4"}));
    EXPECT_EQ(
        Entity(lines, "POLYLINE"),
        (std::vector<std::string>{"  0", "POLYLINE", "  8", "PROFILE", " 66", "1", " 10",
                                  "0.000000", " 20", "0.000000", " 30", "0.000000", " 70", "0"}));
    // Y up: the curve's top (editor y 50) is 250 above its lowest point.
    EXPECT_EQ(Entity(lines, "VERTEX"),
              (std::vector<std::string>{"  0", "VERTEX", "  8", "PROFILE", " 10", "100.000000",
                                        " 20", "250.000000", " 30", "0.000000"}));
    EXPECT_EQ(Entity(lines, "LINE"),
              (std::vector<std::string>{"  0", "LINE", "  8", "AXIS", " 10", "0.000000", " 20",
                                        "0.000000", " 30", "0.000000", " 11", "0.000000", " 21",
                                        "250.000000", " 31", "0.000000"}));
    EXPECT_EQ(lines.back(), "EOF");
}

TEST(DxfWriterTest, ClosedAndMirrored) {
    ProfileOutline o = Cup();
    o.closed = true;
    const std::vector<std::string> lines = Lines(DxfFileText(o, true));
    // Each POLYLINE's closed flag, and the X of every VERTEX, in file order.
    std::vector<std::string> flags, xs;
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
        if (lines[i] != "  0") continue;
        const std::vector<std::string> e = Entity(lines, lines[i + 1], i);
        if (lines[i + 1] == "POLYLINE") flags.push_back(e[13]);
        if (lines[i + 1] == "VERTEX") xs.push_back(e[5]);
    }
    EXPECT_EQ(flags, (std::vector<std::string>{"1", "1"}));
    EXPECT_EQ(xs, (std::vector<std::string>{"100.000000", "100.000000", "20.000000", "-100.000000",
                                            "-100.000000", "-20.000000"}));
}

TEST(OutlineExportTest, WritesThroughTheSafeSaveOrRefuses) {
    TempDir dir;
    DocFixture f;
    AddPoints(*f, {{10, 10}, {20, 20}, {30, 30}});
    EXPECT_EQ(WriteSvgFile(*f, dir / "a.svg", {}, f.prompter), ExportOutcome::Refused);
    EXPECT_EQ(WriteDxfFile(*f, dir / "a.dxf", {}, f.prompter), ExportOutcome::Refused);
    EXPECT_EQ(f.prompter.Texts(),
              (std::vector<std::string>(2, std::string(text::kNoSplineToExport))));
    EXPECT_FALSE(std::filesystem::exists(dir / "a.svg"));
    EXPECT_FALSE(std::filesystem::exists(dir / "a.dxf"));
    f->AppendPoint(40, 50);
    EXPECT_EQ(WriteSvgFile(*f, dir / "b.svg", {5, true}, f.prompter), ExportOutcome::Written);
    EXPECT_EQ(WriteDxfFile(*f, dir / "b.dxf", {5, true}, f.prompter), ExportOutcome::Written);
    const auto outline = SampleProfileOutline(*f, 5, f->m_units);
    const std::vector<std::uint8_t> svg = ReadFileBytes(dir / "b.svg");
    EXPECT_EQ(std::string(svg.begin(), svg.end()), SvgFileText(*outline, true));
    f.prompter.Clear();
    EXPECT_EQ(WriteDxfFile(*f, dir / "none" / "c.dxf", {}, f.prompter), ExportOutcome::Failed);
    EXPECT_EQ(f.prompter.Texts(), (std::vector<std::string>{std::string(text::kErrorSaving)}));
}

}  // namespace
}  // namespace orvanel::test
