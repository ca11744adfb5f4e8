#include "app/command_line.h"

#include "app/about_info.h"
#include "app/batch.h"
#include "resources/strings.h"

namespace orvanel {

namespace {

constexpr std::string_view kDescription =
    "\n"
    "Without a command Orvanel opens its window, with the profile if one is\n"
    "named. The commands need no window and no display:\n"
    "  --info         prints the profile's version, closed flag, point count,\n"
    "                 editor steps and flip flag, then one line per point:\n"
    "                 x y selected anchor\n"
    "  --export-pov   writes OUT as a POV-Ray lathe, normalised or scaled by\n"
    "                 the proportional factor / 1000\n"
    "  --export-vrml  writes OUT as a VRML 2.0 world; options left out take\n"
    "                 the defaults of the VRML export dialog\n"
    "  --export-stl   writes OUT as a binary STL solid (--ascii: a text one)\n"
    "  --export-svg   writes OUT as the curve in an SVG drawing, in mm, y down\n"
    "  --export-dxf   writes OUT as the curve in a DXF drawing, in mm, Y up from\n"
    "                 the curve's lowest point; for both, --steps N points a\n"
    "                 segment (1 to 100, 20 unless told), --mirror both halves\n"
    "  --export-template  writes OUT.pdf as the 1:1 template over A4 pages\n"
    "                 (--paper letter: letter), with a 100 mm bar to check\n"
    "                 the printer's scale; --mirror draws both halves\n"
    "The POV-Ray and STL exports take what their options leave out from the\n"
    "settings the window keeps (~/.config/Orvanel/Orvanel.conf), and every\n"
    "length in millimetres the size of one editor unit kept there; no command\n"
    "changes them. Exit status: 0 done, 1 refused or failed (the reason is on\n"
    "standard error), 2 a command line that is not understood.\n";

bool IsOption(std::string_view arg) { return !arg.empty() && arg.front() == '-'; }

StartRequest Request(StartMode mode, std::string profile = {}, std::string problem = {}) {
    return {mode, std::move(profile), std::move(problem)};
}

StartRequest Misuse(std::string problem) {
    return Request(StartMode::Misuse, {}, std::move(problem));
}

}  // namespace

StartRequest ReadCommandLine(int argc, const char* const* argv) {
    if (argc < 2) return Request(StartMode::Window);
    if (IsBatchCommand(argc, argv)) return Request(StartMode::Batch);
    const std::string_view first = argv[1];
    if (first == "--help" || first == "-h" || first == "--version") {
        if (argc > 2) return Misuse(std::string(first) + " takes nothing after it");
        return Request(first == "--version" ? StartMode::Version : StartMode::Help);
    }
    for (int i = 1; i < argc; ++i) {
        if (IsOption(argv[i])) return Misuse("unknown option " + std::string(argv[i]));
    }
    if (argc > 2) return Misuse("the window opens one profile");
    return Request(StartMode::Window, argv[1]);
}

std::string HelpText() { return std::string(UsageText()) + std::string(kDescription); }

std::string VersionText() {
    return std::string(text::kAppName) + " " + std::string(ProgramVersion());
}

}  // namespace orvanel
