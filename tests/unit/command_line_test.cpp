// How the command line is read before anything of the window starts.
#include <gtest/gtest.h>

#include <vector>

#include "app/command_line.h"

namespace orvanel::test {
namespace {

StartRequest Read(std::vector<const char*> args) {
    args.insert(args.begin(), "orvanel");
    return ReadCommandLine(static_cast<int>(args.size()), args.data());
}

TEST(CommandLineTest, EachFormIsKnownByItsArguments) {
    const struct {
        std::vector<const char*> args;
        StartRequest expected;
    } cases[] = {
        {{}, {StartMode::Window, {}, {}}},
        {{"bowl.lum"}, {StartMode::Window, "bowl.lum", {}}},
        {{"./-odd name.lum"}, {StartMode::Window, "./-odd name.lum", {}}},
        {{"--help"}, {StartMode::Help, {}, {}}},
        {{"-h"}, {StartMode::Help, {}, {}}},
        {{"--version"}, {StartMode::Version, {}, {}}},
        // A batch command goes to the batch mode whatever follows: it has its
        // own usage errors.
        {{"--info", "a.lum"}, {StartMode::Batch, {}, {}}},
        {{"--export-stl"}, {StartMode::Batch, {}, {}}},
        {{"--bogus"}, {StartMode::Misuse, {}, "unknown option --bogus"}},
        {{"bowl.lum", "--display=:1"}, {StartMode::Misuse, {}, "unknown option --display=:1"}},
        {{"-"}, {StartMode::Misuse, {}, "unknown option -"}},
        {{"--help", "--info"}, {StartMode::Misuse, {}, "--help takes nothing after it"}},
        {{"a.lum", "b.lum"}, {StartMode::Misuse, {}, "the window opens one profile"}},
        // The batch commands are known only in the first place.
        {{"a.lum", "--info"}, {StartMode::Misuse, {}, "unknown option --info"}},
    };
    for (const auto& c : cases) {
        const StartRequest r = Read(c.args);
        EXPECT_EQ(r, c.expected) << (c.args.empty() ? "(none)" : c.args.front()) << " -> "
                                 << static_cast<int>(r.mode) << " " << r.profile << " "
                                 << r.problem;
    }
}

TEST(CommandLineTest, HelpNamesTheWindowAndEveryCommandWithItsOptions) {
    const std::string help = HelpText();
    EXPECT_EQ(help.rfind("usage: orvanel [PROFILE.lum]\n", 0), 0u);
    for (const char* part :
         {"orvanel --info PROFILE.lum\n", "--export-pov OUT PROFILE.lum",
          "--normalised | --proportional-factor N", "--export-vrml OUT PROFILE.lum",
          "--smoothing-angle DEG", "--hole-radius N", "--flip-normals", "--shininess F",
          "--transparency F", "--diffuse RRGGBB", "--emissive RRGGBB", "--specular RRGGBB",
          "--export-stl OUT PROFILE.lum [--sections N] [--steps N] [--ascii]",
          "--export-svg OUT PROFILE.lum [--steps N] [--mirror]",
          "--export-dxf OUT PROFILE.lum [--steps N] [--mirror]",
          "--export-template OUT.pdf PROFILE.lum [--paper a4|letter] [--mirror]",
          "orvanel --help | --version\n", "Exit status: 0"}) {
        EXPECT_NE(help.find(part), std::string::npos) << part;
    }
    // Each command is told of below the usage, at the start of its line.
    const std::string told = help.substr(help.find("\n\n"));
    for (const char* command : {"--info", "--export-pov", "--export-vrml", "--export-stl",
                                "--export-svg", "--export-dxf", "--export-template"}) {
        EXPECT_NE(told.find("\n  " + std::string(command) + " "), std::string::npos) << command;
    }
}

}  // namespace
}  // namespace orvanel::test
