#include "app/batch.h"

#include <charconv>
#include <climits>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/document.h"
#include "export/dxf_writer.h"
#include "export/field_text.h"
#include "export/pov_writer.h"
#include "export/stl_writer.h"
#include "export/svg_writer.h"
#include "export/template_pdf.h"
#include "export/vrml_writer.h"
#include "resources/strings.h"

namespace orvanel {

namespace {

// The factor multiplies the coordinates: any positive one will do.
constexpr IntRange kCommandLineFactorRange{1, INT_MAX};

constexpr std::string_view kUsage =
    "usage: orvanel [PROFILE.lum]\n"
    "       orvanel --info PROFILE.lum\n"
    "       orvanel --export-pov OUT PROFILE.lum [--normalised | --proportional-factor N]\n"
    "       orvanel --export-vrml OUT PROFILE.lum [--sections N] [--steps N]\n"
    "               [--smoothing-angle DEG] [--hole-radius N] [--flip-normals]\n"
    "               [--shininess F] [--transparency F]\n"
    "               [--diffuse RRGGBB] [--emissive RRGGBB] [--specular RRGGBB]\n"
    "       orvanel --export-stl OUT PROFILE.lum [--sections N] [--steps N] [--ascii]\n"
    "       orvanel --export-svg OUT PROFILE.lum [--steps N] [--mirror]\n"
    "       orvanel --export-dxf OUT PROFILE.lum [--steps N] [--mirror]\n"
    "       orvanel --export-template OUT.pdf PROFILE.lum [--paper a4|letter] [--mirror]\n"
    "       orvanel --help | --version\n"
    "       every export also takes --force: an OUT marked read-only is replaced\n";

constexpr std::string_view kParseColour = "Please enter a colour as RRGGBB.";

// Messages go to the error stream; a question is answered Yes.
class BatchPrompter final : public Prompter {
public:
    explicit BatchPrompter(std::ostream& err) : m_err(err) {}
    void ShowMessage(std::string_view text, MessageIcon, std::string_view) override {
        m_err << text << '\n';
    }
    void ShowError(std::string_view text, std::string_view reason) override {
        m_err << text << '\n' << reason << '\n';
    }
    bool AskYesNo(std::string_view text) override {
        m_err << text << '\n';
        return true;
    }

private:
    std::ostream& m_err;
};

// The batch never writes the user's settings back.
class ReadOnlySettings final : public SettingsStore {
public:
    explicit ReadOnlySettings(SettingsStore& store) : m_store(store) {}
    int GetInt(std::string_view section, std::string_view key, int defaultValue) override {
        return m_store.GetInt(section, key, defaultValue);
    }
    void WriteInt(std::string_view, std::string_view, int) override {}
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) override {
        return m_store.GetString(section, key, defaultValue);
    }
    void WriteString(std::string_view, std::string_view, std::string_view) override {}

private:
    SettingsStore& m_store;
};

// A refusal with the program's text, or a command line that is not understood.
struct Refusal {
    std::string text;
};
struct UsageError {
    std::string text;
};

// Command-line values are refused as the dialog refuses its fields, each
// with its own range.
int ParseInt(std::string_view s, IntRange range) {
    FieldRead<int> read = ReadIntField(s, range.lo, range.hi);
    if (!read.value) throw Refusal{read.message};
    return *read.value;
}

float ParseFloat(std::string_view s, FloatRange range) {
    FieldRead<float> read = ReadNumberField(s, range.lo, range.hi);
    if (!read.value) throw Refusal{read.message};
    return *read.value;
}

Colour ParseColour(std::string_view s) {
    unsigned rgb = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), rgb, 16);
    if (s.size() != 6 || ec != std::errc() || end != s.data() + s.size()) {
        throw Refusal{std::string(kParseColour)};
    }
    return Rgb(static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
               static_cast<std::uint8_t>(rgb));
}

// The options after the command's fixed arguments, one at a time; --force,
// which every export takes, is taken here.
class Options {
public:
    Options(const std::vector<std::string_view>& args, std::size_t first)
        : m_args(args), m_next(first) {}
    bool Next(std::string_view& option) {
        while (m_next < m_args.size() && m_args[m_next] == "--force") {
            m_bForce = true;
            ++m_next;
        }
        if (m_next >= m_args.size()) return false;
        option = m_args[m_next++];
        return true;
    }
    bool Force() const { return m_bForce; }
    std::string_view Value(std::string_view option) {
        if (m_next >= m_args.size()) throw UsageError{std::string(option) + " needs a value"};
        return m_args[m_next++];
    }

private:
    const std::vector<std::string_view>& m_args;
    std::size_t m_next;
    bool m_bForce = false;
};

class Batch {
public:
    Batch(std::ostream& out, std::ostream& err, SettingsStore& stored)
        : m_out(out), m_settings(stored), m_prompter(err), m_doc(m_settings, m_prompter) {}

    int Run(const std::vector<std::string_view>& args) {
        const std::string_view command = args[0];
        if (command == "--info") {
            if (args.size() != 2) throw UsageError{"--info takes one profile"};
            return Info(args[1]);
        }
        if (args.size() < 3) throw UsageError{std::string(command) + " takes OUT and PROFILE.lum"};
        const std::filesystem::path out(args[1]);
        Options options(args, 3);
        if (command == "--export-pov") return ExportPov(out, args[2], options);
        if (command == "--export-vrml") return ExportVrml(out, args[2], options);
        if (command == "--export-svg") return ExportOutline(out, args[2], options, WriteSvgFile);
        if (command == "--export-dxf") return ExportOutline(out, args[2], options, WriteDxfFile);
        if (command == "--export-template") return ExportTemplate(out, args[2], options);
        return ExportStl(out, args[2], options);
    }

private:
    bool Open(std::string_view profile) {
        return m_doc.OnOpenDocument(std::filesystem::path(profile));
    }
    // The profile to export, with the command line's say over read-only files.
    bool OpenToExport(std::string_view profile, const Options& options) {
        m_doc.m_bOverwriteReadOnly = options.Force();
        return Open(profile);
    }

    static int Status(ExportOutcome outcome) { return outcome == ExportOutcome::Written ? 0 : 1; }

    int Info(std::string_view profile) {
        if (!Open(profile)) return 1;
        // The document does not keep which version it read; the bytes say.
        bool older = false;
        try {
            CDiskFile file{std::filesystem::path(profile)};
            if (file.GetLength() > 0) {
                CArchive ar(file, CArchive::Mode::load);
                older = ar.ReadString() == kMagicOlder;
            }
        } catch (const std::exception&) {
            // It loaded a moment ago; a file changed since then counts as current.
        }
        m_out << "version: " << (older ? "older" : "current") << '\n'
              << "closed: " << (m_doc.IsClosed() ? 1 : 0) << '\n'
              << "points: " << m_doc.GetPointCount() << '\n'
              << "editor steps: " << m_doc.m_nEditorSteps << '\n'
              << "flip normals: " << (m_doc.m_bFlipNormals ? 1 : 0) << '\n';
        for (const ProfilePoint* p = m_doc.GetHead(); p != nullptr; p = p->Next()) {
            m_out << p->x << ' ' << p->y << ' ' << (p->bSelected ? 1 : 0) << ' '
                  << (p->bAnchor ? 1 : 0) << '\n';
        }
        return 0;
    }

    int ExportPov(const std::filesystem::path& out, std::string_view profile, Options& options) {
        std::optional<bool> proportional;
        std::optional<int> factor;
        for (std::string_view o; options.Next(o);) {
            if (o == "--normalised") {
                proportional = false;
            } else if (o == "--proportional-factor") {
                factor = ParseInt(options.Value(o), kCommandLineFactorRange);
            } else {
                throw UsageError{"unknown option " + std::string(o)};
            }
        }
        if (proportional.has_value() && factor.has_value()) {
            throw UsageError{"--normalised and --proportional-factor exclude each other"};
        }
        if (!OpenToExport(profile, options)) return 1;
        m_doc.m_strObjectName = out.stem().string();
        PovOptions pov = PovOptions::Of(m_doc);
        if (proportional.has_value()) pov.bPropMapping = false;
        if (factor.has_value()) {
            pov.bPropMapping = true;
            pov.nProportionalFactor = *factor;
        }
        return Status(WritePovFile(m_doc, out, pov, m_prompter));
    }

    int ExportVrml(const std::filesystem::path& out, std::string_view profile, Options& options) {
        VrmlOptions vrml;
        bool flip = false;
        for (std::string_view o; options.Next(o);) {
            if (o == "--sections") {
                vrml.nSections = ParseInt(options.Value(o), kVrmlSectionsRange);
            } else if (o == "--steps") {
                vrml.nSteps = ParseInt(options.Value(o), kVrmlStepsRange);
            } else if (o == "--smoothing-angle") {
                vrml.nSmoothingAngle = ParseInt(options.Value(o), kVrmlSmoothingAngleRange);
            } else if (o == "--hole-radius") {
                vrml.nHoleRadius = ParseInt(options.Value(o), kVrmlHoleRadiusRange);
            } else if (o == "--flip-normals") {
                flip = true;
            } else if (o == "--shininess") {
                vrml.fShininess = ParseFloat(options.Value(o), kVrmlShininessRange);
            } else if (o == "--transparency") {
                vrml.fTransparency = ParseFloat(options.Value(o), kVrmlTransparencyRange);
            } else if (o == "--diffuse") {
                vrml.clrDiffuse = ParseColour(options.Value(o));
            } else if (o == "--emissive") {
                vrml.clrEmissive = ParseColour(options.Value(o));
            } else if (o == "--specular") {
                vrml.clrSpecular = ParseColour(options.Value(o));
            } else {
                throw UsageError{"unknown option " + std::string(o)};
            }
        }
        if (auto refusal = ValidateVrmlOptions(vrml)) throw Refusal{*refusal};
        if (!OpenToExport(profile, options)) return 1;
        // The dialog's check box starts as the document's flag.
        vrml.bFlipNormals = flip || m_doc.m_bFlipNormals;
        return Status(WriteVrmlFile(m_doc, out, out.stem().string(), vrml, m_prompter));
    }

    int ExportStl(const std::filesystem::path& out, std::string_view profile, Options& options) {
        std::optional<int> sections, steps;
        bool ascii = false;
        for (std::string_view o; options.Next(o);) {
            if (o == "--sections") {
                sections = ParseInt(options.Value(o), kStlSectionsRange);
            } else if (o == "--steps") {
                steps = ParseInt(options.Value(o), kStlStepsRange);
            } else if (o == "--ascii") {
                ascii = true;
            } else {
                throw UsageError{"unknown option " + std::string(o)};
            }
        }
        if (!OpenToExport(profile, options)) return 1;
        StlOptions stl = StlOptions::Of(m_doc);
        if (sections) stl.nSections = *sections;
        if (steps) stl.nSteps = *steps;
        stl.bAscii = ascii;
        stl.strSolidName = out.stem().string();
        return Status(WriteStlFile(m_doc, out, stl, m_prompter));
    }

    using OutlineWriter = ExportOutcome (*)(const CTavrinEditorDoc&, const std::filesystem::path&,
                                            const OutlineExportOptions&, Prompter&);

    int ExportOutline(const std::filesystem::path& out, std::string_view profile, Options& options,
                      OutlineWriter write) {
        OutlineExportOptions outline;
        for (std::string_view o; options.Next(o);) {
            if (o == "--steps") {
                outline.nSteps = ParseInt(options.Value(o), kOutlineStepsRange);
            } else if (o == "--mirror") {
                outline.bMirror = true;
            } else {
                throw UsageError{"unknown option " + std::string(o)};
            }
        }
        if (!OpenToExport(profile, options)) return 1;
        return Status(write(m_doc, out, outline, m_prompter));
    }

    int ExportTemplate(const std::filesystem::path& out, std::string_view profile,
                       Options& options) {
        PaperSize paper = kPaperA4;
        bool mirror = false;
        for (std::string_view o; options.Next(o);) {
            if (o == "--paper") {
                const std::string_view name = options.Value(o);
                if (name == "a4") {
                    paper = kPaperA4;
                } else if (name == "letter") {
                    paper = kPaperLetter;
                } else {
                    throw UsageError{"--paper takes a4 or letter"};
                }
            } else if (o == "--mirror") {
                mirror = true;
            } else {
                throw UsageError{"unknown option " + std::string(o)};
            }
        }
        if (!OpenToExport(profile, options)) return 1;
        return Status(WriteTemplatePdf(m_doc, out, paper, mirror, m_prompter));
    }

    std::ostream& m_out;
    ReadOnlySettings m_settings;
    BatchPrompter m_prompter;
    CTavrinEditorDoc m_doc;
};

bool IsCommand(std::string_view arg) {
    return arg == "--info" || arg == "--export-pov" || arg == "--export-vrml" ||
           arg == "--export-stl" || arg == "--export-svg" || arg == "--export-dxf" ||
           arg == "--export-template";
}

}  // namespace

std::string_view UsageText() { return kUsage; }

bool IsBatchCommand(int argc, const char* const* argv) { return argc >= 2 && IsCommand(argv[1]); }

int RunBatch(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
             SettingsStore& storedSettings) {
    if (!IsBatchCommand(argc, argv)) {
        err << kUsage;
        return 2;
    }
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    try {
        Batch batch(out, err, storedSettings);
        return batch.Run(args);
    } catch (const Refusal& r) {
        err << r.text << '\n';
        return 1;
    } catch (const UsageError& u) {
        err << "orvanel: " << u.text << '\n' << kUsage;
        return 2;
    }
}

}  // namespace orvanel
