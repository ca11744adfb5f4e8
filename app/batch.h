// The program's batch mode: reading a profile and exporting it from the
// command line, with no display. Questions are answered Yes and every message
// goes to the error stream.
//
//   orvanel --info PROFILE.lum
//   orvanel --export-pov OUT PROFILE.lum [--normalised | --proportional-factor N]
//   orvanel --export-vrml OUT PROFILE.lum [--sections N] [--steps N] [--smoothing-angle DEG]
//           [--hole-radius N] [--flip-normals] [--shininess F] [--transparency F]
//           [--diffuse RRGGBB] [--emissive RRGGBB] [--specular RRGGBB]
//   orvanel --export-stl OUT PROFILE.lum [--sections N] [--steps N] [--ascii]
//   orvanel --export-svg OUT PROFILE.lum [--steps N] [--mirror]
//   orvanel --export-dxf OUT PROFILE.lum [--steps N] [--mirror]
//   orvanel --export-template OUT.pdf PROFILE.lum [--paper a4|letter] [--mirror]
//
// Every export also takes --force, which replaces an OUT marked read-only.
// An OUT that is the profile itself is refused, under any name.
#pragma once

#include <ostream>
#include <string_view>

#include "document/settings_store.h"

namespace orvanel {

// The usage: the window's form and every batch command with its options.
std::string_view UsageText();

// Whether the command line asks for the batch mode rather than the window.
bool IsBatchCommand(int argc, const char* const* argv);

// Runs the command; returns the exit status: 0 done, 1 refused or failed
// (the reason is on `err`), 2 a command line that is not understood. The
// stored settings are read, never written.
int RunBatch(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
             SettingsStore& storedSettings);

}  // namespace orvanel
