// What the command line asks for, decided before anything of the window is
// touched: the window with a profile or a new one, a batch command, the
// usage, the version, or a command line that is not understood. None of
// them needs a display but the window.
#pragma once

#include <string>
#include <string_view>

namespace orvanel {

enum class StartMode { Window, Batch, Help, Version, Misuse };

struct StartRequest {
    StartMode mode = StartMode::Window;
    std::string profile;  // Window: the profile to open, empty for a new one
    std::string problem;  // Misuse: what was not understood
    friend bool operator==(const StartRequest&, const StartRequest&) = default;
};

StartRequest ReadCommandLine(int argc, const char* const* argv);

// What --help prints: the usage, then what the forms do.
std::string HelpText();
// What --version prints: "Orvanel 3.1.1.0", the version the build stamps in.
std::string VersionText();

}  // namespace orvanel
