// The batch mode: what each command prints, writes and refuses.
#include <gtest/gtest.h>

#include <sstream>

#include <sys/stat.h>

#include "app/batch.h"
#include "export/dxf_writer.h"
#include "export/pov_writer.h"
#include "export/svg_writer.h"
#include "export/vrml_writer.h"
#include "resources/strings.h"
#include "tests/support/test_doubles.h"
#include "tests/unit/test_support.h"

namespace orvanel::test {
namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

class BatchTest : public ::testing::Test {
protected:
    Outcome Batch(std::vector<std::string> args) {
        args.insert(args.begin(), "orvanel");
        std::vector<const char*> argv;
        for (const std::string& a : args) argv.push_back(a.c_str());
        std::ostringstream out, err;
        const int status = RunBatch(static_cast<int>(argv.size()), argv.data(), out, err, stored);
        return {status, out.str(), err.str()};
    }
    // A profile file written by the program itself.
    std::string Profile(std::initializer_list<XY> points, bool closed = false) {
        DocFixture g;
        AddPoints(*g, points, closed);
        const auto path = dir / ("profile" + std::to_string(++m_nFiles) + ".lum");
        EXPECT_TRUE(g->OnSaveDocument(path));
        return path.string();
    }
    std::string Read(const std::string& name) {
        const auto bytes = ReadFileBytes(dir / name);
        return {bytes.begin(), bytes.end()};
    }
    std::string Out(const std::string& name) { return (dir / name).string(); }

    TempDir dir;
    MemorySettingsStore stored;
    int m_nFiles = 0;
};

const std::initializer_list<XY> kVase = {{10, 200}, {50, 180}, {80, 100}, {60, 20}};

TEST_F(BatchTest, IsBatchCommandOnlyForTheFourCommands) {
    const char* info[] = {"orvanel", "--info", "x.lum"};
    const char* file[] = {"orvanel", "x.lum"};
    const char* none[] = {"orvanel"};
    EXPECT_TRUE(IsBatchCommand(3, info));
    EXPECT_FALSE(IsBatchCommand(2, file));
    EXPECT_FALSE(IsBatchCommand(1, none));
}

TEST_F(BatchTest, InfoPrintsTheHeaderAndOnePointPerLine) {
    DocFixture g;
    AddPoints(*g, {{10, 20}, {30, 40}, {50, 60}}, true);
    g->ToggleAnchor(PointAt(*g, 1));
    g->HitTestPoint(50, 60);
    g->SelectCurrent(false);
    g->m_bFlipNormals = true;
    g->m_nEditorSteps = 7;
    ASSERT_TRUE(g->OnSaveDocument(dir / "ring.lum"));
    const Outcome r = Batch({"--info", Out("ring.lum")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "version: current\nclosed: 1\npoints: 3\neditor steps: 7\nflip normals: 1\n"
              "10 20 0 0\n30 40 0 1\n50 60 1 0\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(stored.WriteCount(), 0u);
}

TEST_F(BatchTest, InfoOfTheOlderVersionKeepsTheEditorSteps) {
    const Outcome r = Batch({"--info", Fixture("older_three.lum").string()});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(0, r.out.find("points")), "version: older\nclosed: 1\n");
    EXPECT_NE(r.out.find("editor steps: 10\nflip normals: 0\n"), std::string::npos);
}

TEST_F(BatchTest, UnreadableFilesExitNonZeroWithTheProgramsMessage) {
    const Outcome foreign = Batch({"--info", Fixture("lower_case_magic.lum").string()});
    EXPECT_EQ(foreign.status, 1);
    EXPECT_EQ(foreign.out, "");
    EXPECT_EQ(foreign.err, std::string(text::kNotOurFile) + "\n");
    const Outcome cut =
        Batch({"--export-pov", Out("x.inc"), Fixture("cut_in_points.lum").string()});
    EXPECT_EQ(cut.status, 1);
    EXPECT_EQ(cut.err, std::string(text::kErrorReading) + "\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "x.inc"));
    const Outcome missing = Batch({"--info", Out("missing.lum")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("Cannot open the file"), std::string::npos);
}

TEST_F(BatchTest, PovExportNamesTheObjectAfterTheFileAndTakesTheMapping) {
    const std::string vase = Profile(kVase);
    EXPECT_EQ(Batch({"--export-pov", Out("vase.inc"), vase}).status, 0);
    EXPECT_NE(Read("vase.inc").find("#declare vase = \n"), std::string::npos);
    EXPECT_NE(Read("vase.inc").find("\t<0.010000,0.200000>,\n"), std::string::npos);

    EXPECT_EQ(Batch({"--export-pov", Out("big.pov"), vase, "--proportional-factor", "1000"}).status,
              0);
    EXPECT_NE(Read("big.pov").find("#declare big = \n"), std::string::npos);
    EXPECT_NE(Read("big.pov").find("\t<10.000000,200.000000>,\n"), std::string::npos);

    // The stored settings choose when no option does.
    stored.WriteInt("Settings", "PropMapping", 0);
    EXPECT_EQ(Batch({"--export-pov", Out("stored.inc"), vase}).status, 0);
    EXPECT_EQ(Batch({"--export-pov", Out("norm.inc"), vase, "--normalised"}).status, 0);
    auto lathe = [&](const std::string& name) {
        const std::string text = Read(name);
        return text.substr(text.find("lathe{"));
    };
    EXPECT_EQ(lathe("stored.inc"), lathe("norm.inc"));
    EXPECT_EQ(Read("norm.inc").find("\t<0.010000,0.200000>"), std::string::npos);
}

TEST_F(BatchTest, QuestionsAreAnsweredYesWithTheWarningOnTheErrorStream) {
    const std::string dipping = Profile({{0, 0}, {2, 100}, {0, 200}, {40, 300}});
    const Outcome pov = Batch({"--export-pov", Out("dip.inc"), dipping});
    EXPECT_EQ(pov.status, 0);
    EXPECT_EQ(pov.err, std::string(text::kPovLeftOfAxis) + "\n");
    EXPECT_TRUE(std::filesystem::exists(dir / "dip.inc"));
    const Outcome vrml = Batch({"--export-vrml", Out("dip.wrl"), dipping});
    EXPECT_EQ(vrml.status, 0);
    EXPECT_EQ(vrml.err, std::string(text::kVrmlLeftOfAxis) + "\n");
    const Outcome stl = Batch({"--export-stl", Out("open.stl"), Profile(kVase)});
    EXPECT_EQ(stl.status, 0);
    EXPECT_EQ(stl.err, std::string(text::kStlNotClosed) + "\n");
    EXPECT_TRUE(std::filesystem::exists(dir / "open.stl"));
}

TEST_F(BatchTest, VrmlExportTakesEveryOptionOfTheDialog) {
    const std::string vase = Profile(kVase);
    const Outcome r = Batch({"--export-vrml",
                             Out("vase.wrl"),
                             vase,
                             "--sections",
                             "8",
                             "--steps",
                             "3",
                             "--smoothing-angle",
                             "45",
                             "--hole-radius",
                             "90",
                             "--flip-normals",
                             "--shininess",
                             "0.5",
                             "--transparency",
                             "0.25",
                             "--diffuse",
                             "FF8000",
                             "--emissive",
                             "000010",
                             "--specular",
                             "808080"});
    ASSERT_EQ(r.status, 0) << r.err;
    DocFixture g;
    AddPoints(*g, kVase);
    VrmlOptions o;
    o.nSections = 8, o.nSteps = 3, o.nSmoothingAngle = 45, o.nHoleRadius = 90;
    o.bFlipNormals = true, o.fShininess = 0.5f, o.fTransparency = 0.25f;
    o.clrDiffuse = Rgb(255, 128, 0), o.clrEmissive = Rgb(0, 0, 16),
    o.clrSpecular = Rgb(128, 128, 128);
    EXPECT_EQ(Read("vase.wrl"), VrmlFileText(*g, "vase", o).text);
}

TEST_F(BatchTest, ValuesOutOfRangeAreRefusedWithTheDialogsMessageAndNothingIsWritten) {
    const std::string vase = Profile(kVase);
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{"--export-vrml", "--sections", "501"}, "Enter an integer between 3 and 500."},
        {{"--export-vrml", "--sections", "2147483648"}, "Enter an integer between 3 and 500."},
        {{"--export-vrml", "--hole-radius", "-2147483649"}, "Enter an integer between 0 and 1000."},
        {{"--export-vrml", "--shininess", "1e39"}, "Enter a number between 0 and 1."},
        {{"--export-vrml", "--steps", "0"}, "Enter an integer between 1 and 50."},
        {{"--export-vrml", "--smoothing-angle", "91"}, "Enter an integer between 0 and 90."},
        {{"--export-vrml", "--hole-radius", "1001"}, "Enter an integer between 0 and 1000."},
        {{"--export-vrml", "--shininess", "1.5"}, "Enter a number between 0 and 1."},
        {{"--export-vrml", "--transparency", "-1"}, "Enter a number between 0 and 1."},
        {{"--export-vrml", "--steps", "six"}, "Enter an integer."},
        {{"--export-vrml", "--shininess", "0,5"}, "Enter a number."},
        {{"--export-vrml", "--diffuse", "red"}, "Please enter a colour as RRGGBB."},
        {{"--export-stl", "--sections", "2"}, "Enter an integer between 3 and 1440."},
        {{"--export-stl", "--sections", "1441"}, "Enter an integer between 3 and 1440."},
        {{"--export-stl", "--steps", "101"}, "Enter an integer between 1 and 100."},
        {{"--export-stl", "--sections", "99999999999"}, "Enter an integer between 3 and 1440."},
        {{"--export-pov", "--proportional-factor", "0"},
         "Enter an integer between 1 and 2147483647."},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {c.args[0], Out("refused"), vase};
        args.insert(args.end(), c.args.begin() + 1, c.args.end());
        const Outcome r = Batch(args);
        EXPECT_EQ(r.status, 1) << c.message;
        EXPECT_EQ(r.err, c.message + "\n");
        EXPECT_FALSE(std::filesystem::exists(dir / "refused"));
    }
}

TEST_F(BatchTest, AnExportNeverReplacesItsProfileAndForceReplacesAReadOnlyFile) {
    // Closed, so that the STL export asks nothing about the surface.
    const std::string vase = Profile(kVase, true);
    const std::string profile = Read("profile1.lum");
    const Outcome same = Batch({"--export-stl", vase, vase});
    EXPECT_EQ(same.status, 1);
    EXPECT_EQ(same.err,
              std::string(text::kErrorSaving) + "\n" + vase + " is the profile being exported\n");
    EXPECT_EQ(Read("profile1.lum"), profile);

    WriteFileBytes(dir / "locked.stl", {'x'});
    ::chmod((dir / "locked.stl").c_str(), 0444);
    const Outcome locked = Batch({"--export-stl", Out("locked.stl"), vase});
    EXPECT_EQ(locked.status, 1);
    EXPECT_EQ(locked.err,
              std::string(text::kErrorSaving) + "\n" + Out("locked.stl") + " is read-only\n");
    EXPECT_EQ(Read("locked.stl"), "x");
    EXPECT_EQ(Batch({"--export-stl", Out("locked.stl"), vase, "--force"}).status, 0);
    EXPECT_GT(Read("locked.stl").size(), 84u);
}

TEST_F(BatchTest, StlExportUsesThePreviewValuesUnlessTold) {
    const std::string ring = Profile({{100, 100}, {200, 150}, {120, 220}}, true);
    // The defaults: 24 sections and 5 preview steps, 15 rows apart.
    ASSERT_EQ(Batch({"--export-stl", Out("ring.stl"), ring}).status, 0);
    EXPECT_EQ(Read("ring.stl").size(), 84u + 50u * 2 * 24 * 15);
    ASSERT_EQ(Batch({"--export-stl", Out("fine.stl"), ring, "--sections", "10", "--steps", "2",
                     "--ascii"})
                  .status,
              0);
    const std::string text = Read("fine.stl");
    EXPECT_EQ(text.rfind("solid fine\n", 0), 0u);
    std::size_t facets = 0;
    for (std::size_t at = text.find("facet normal"); at != std::string::npos;
         at = text.find("facet normal", at + 1)) {
        ++facets;
    }
    EXPECT_EQ(facets, 2u * 10 * 6);
    const Outcome few = Batch({"--export-stl", Out("few.stl"), Profile({{1, 1}, {2, 2}, {3, 3}})});
    EXPECT_EQ(few.status, 1);
    EXPECT_EQ(few.err, std::string(text::kNoSplineToExport) + "\n");
}

TEST_F(BatchTest, CommandLinesThatAreNotUnderstood) {
    const std::string vase = Profile(kVase);
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--info"},
             {"--info", vase, "extra"},
             {"--export-pov", Out("a.inc")},
             {"--export-pov", Out("a.inc"), vase, "--normalised", "--proportional-factor", "5"},
             {"--export-vrml", Out("a.wrl"), vase, "--sections"},
             {"--export-stl", Out("a.stl"), vase, "--binary"},
         }) {
        const Outcome r = Batch(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_EQ(r.err.find("usage: orvanel [PROFILE.lum]\n"), r.err.find('\n') + 1);
    }
}

TEST_F(BatchTest, SvgDxfAndTemplateExportsAtTheStoredUnitSize) {
    const std::string vase = Profile(kVase);
    WriteUnitSystem(stored, {0.5, DisplayUnit::Centimetre});
    ASSERT_EQ(Batch({"--export-svg", Out("vase.svg"), vase, "--steps", "7", "--mirror"}).status, 0);
    ASSERT_EQ(Batch({"--export-dxf", Out("vase.dxf"), vase}).status, 0);
    ASSERT_EQ(Batch({"--export-template", Out("vase.pdf"), vase, "--paper", "letter"}).status, 0);
    DocFixture g;
    AddPoints(*g, kVase);
    const UnitSystem units{0.5, DisplayUnit::Centimetre};
    EXPECT_EQ(Read("vase.svg"), SvgFileText(*SampleProfileOutline(*g, 7, units), true));
    EXPECT_EQ(Read("vase.dxf"), DxfFileText(*SampleProfileOutline(*g, 20, units), false));
    EXPECT_EQ(Read("vase.pdf").rfind("%PDF-", 0), 0u);

    struct Case {
        std::vector<std::string> args;
        int status;
        std::string err;
    };
    for (const Case& c : {
             Case{{"--export-svg", "--steps", "0"}, 1, "Enter an integer between 1 and 100.\n"},
             Case{{"--export-dxf", "--steps", "101"}, 1, "Enter an integer between 1 and 100.\n"},
             Case{{"--export-template", "--paper", "a3"},
                  2,
                  "orvanel: --paper takes a4 or letter\n"},
             Case{{"--export-dxf", "--paper", "a4"}, 2, "orvanel: unknown option --paper\n"},
         }) {
        std::vector<std::string> args = {c.args[0], Out("refused"), vase};
        args.insert(args.end(), c.args.begin() + 1, c.args.end());
        const Outcome r = Batch(args);
        EXPECT_EQ(r.status, c.status) << c.err;
        EXPECT_EQ(r.err.substr(0, c.err.size()), c.err);
        EXPECT_FALSE(std::filesystem::exists(dir / "refused"));
    }
    // Never over the profile itself.
    const std::string profile = Read("profile1.lum");
    for (const char* command : {"--export-svg", "--export-dxf", "--export-template"}) {
        const Outcome r = Batch({command, vase, vase});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, std::string(text::kErrorSaving) + "\n" + vase +
                             " is the profile being exported\n");
    }
    EXPECT_EQ(Read("profile1.lum"), profile);
    const std::string few = Profile({{1, 1}, {2, 2}, {3, 3}});
    for (const char* command : {"--export-svg", "--export-dxf", "--export-template"}) {
        const Outcome r = Batch({command, Out("few"), few});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, std::string(text::kNoSplineToExport) + "\n");
    }
    EXPECT_EQ(stored.WriteCount(), 2u);  // the two written above, none by the batch
}

}  // namespace
}  // namespace orvanel::test
