#include "export/svg_writer.h"

#include <algorithm>

#include "export/number_text.h"

namespace orvanel {

namespace {

// A hairline, as cutters take their paths; the view box never collapses below it.
constexpr double kStrokeWidth = 0.1;

void AppendPoints(std::string& out, const ProfileOutline& outline, double top, double side) {
    bool first = true;
    for (const OutlinePoint& p : outline.points) {
        if (!first) out += ' ';
        first = false;
        AppendFixed(out, side * p.x);
        out += ',';
        AppendFixed(out, p.y - top);
    }
}

void AppendCurve(std::string& out, const ProfileOutline& outline, const char* id, double side) {
    out += outline.closed ? "    <polygon id=\"" : "    <polyline id=\"";
    out += id;
    out += "\" points=\"";
    AppendPoints(out, outline, outline.top, side);
    out += "\"/>\n";
}

}  // namespace

std::string SvgFileText(const ProfileOutline& outline, bool mirror) {
    double left = std::min(0.0, outline.left);
    double right = std::max(0.0, outline.right);
    if (mirror) {
        left = std::min(left, -outline.right);
        right = std::max(right, -outline.left);
    }
    const double width = std::max(right - left, kStrokeWidth);
    const double height = std::max(outline.Height(), kStrokeWidth);

    std::string out;
    out.reserve(64 * outline.points.size() * (mirror ? 2 : 1) + 1024);
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n";
    out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"";
    AppendFixed(out, width);
    out += "mm\" height=\"";
    AppendFixed(out, height);
    out += "mm\" viewBox=\"";
    AppendFixed(out, left);
    out += " 0 ";
    AppendFixed(out, width);
    out += ' ';
    AppendFixed(out, height);
    out += "\">\n";
    out += "  <g id=\"axis\" fill=\"none\" stroke=\"#0000ff\" stroke-width=\"";
    AppendFixed(out, kStrokeWidth);
    out += "\" stroke-dasharray=\"6 1.5 1 1.5\">\n    <line x1=\"0\" y1=\"0\" x2=\"0\" y2=\"";
    AppendFixed(out, outline.Height());
    out += "\"/>\n  </g>\n";
    out += "  <g id=\"profile\" fill=\"none\" stroke=\"#000000\" stroke-width=\"";
    AppendFixed(out, kStrokeWidth);
    out += "\" stroke-linejoin=\"round\">\n";
    AppendCurve(out, outline, "curve", 1.0);
    if (mirror) AppendCurve(out, outline, "mirror", -1.0);
    out += "  </g>\n</svg>\n";
    return out;
}

ExportOutcome WriteSvgFile(const CTavrinEditorDoc& doc, const std::filesystem::path& path,
                           const OutlineExportOptions& options, Prompter& prompter) {
    return WriteOutlineFile(doc, path, options.nSteps, prompter, [&](const ProfileOutline& o) {
        return SvgFileText(o, options.bMirror);
    });
}

}  // namespace orvanel
