#include "export/dxf_writer.h"

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <tuple>

#include "export/number_text.h"

namespace orvanel {

namespace {

// One group: its code right-aligned in three columns, then its value.
class Groups {
public:
    explicit Groups(std::string& out) : m_out(out) {}
    Groups& Code(int code) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "%3d\n", code);
        m_out += buffer;
        return *this;
    }
    Groups& Text(int code, std::string_view value) {
        Code(code);
        m_out += value;
        m_out += '\n';
        return *this;
    }
    Groups& Int(int code, int value) { return Text(code, std::to_string(value)); }
    Groups& Real(int code, double value) {
        Code(code);
        AppendFixed(m_out, value);
        m_out += '\n';
        return *this;
    }
    Groups& Point(int code, double x, double y) {
        return Real(code, x).Real(code + 10, y).Real(code + 20, 0.0);
    }

private:
    std::string& m_out;
};

// The axis is drawn dash-dot, as a centre line is.
void Tables(Groups& g) {
    g.Text(0, "SECTION").Text(2, "TABLES");
    g.Text(0, "TABLE").Text(2, "LTYPE").Int(70, 2);
    g.Text(0, "LTYPE").Text(2, "CONTINUOUS").Int(70, 0).Text(3, "Solid line");
    g.Int(72, 65).Int(73, 0).Real(40, 0.0);
    g.Text(0, "LTYPE").Text(2, "CENTER").Int(70, 0).Text(3, "Center ____ _ ____ _ ____");
    g.Int(72, 65).Int(73, 4).Real(40, 30.0);
    g.Real(49, 20.0).Real(49, -3.0).Real(49, 4.0).Real(49, -3.0);
    g.Text(0, "ENDTAB");
    g.Text(0, "TABLE").Text(2, "LAYER").Int(70, 3);
    for (const auto& [name, colour, type] :
         {std::tuple{"0", 7, "CONTINUOUS"}, std::tuple{"PROFILE", 7, "CONTINUOUS"},
          std::tuple{"AXIS", 5, "CENTER"}}) {
        g.Text(0, "LAYER").Text(2, name).Int(70, 0).Int(62, colour).Text(6, type);
    }
    g.Text(0, "ENDTAB");
    g.Text(0, "ENDSEC");
}

void Polyline(Groups& g, const ProfileOutline& outline, double side) {
    g.Text(0, "POLYLINE").Text(8, "PROFILE").Int(66, 1).Point(10, 0.0, 0.0);
    g.Int(70, outline.closed ? 1 : 0);
    for (const OutlinePoint& p : outline.points) {
        g.Text(0, "VERTEX").Text(8, "PROFILE").Point(10, side * p.x, outline.bottom - p.y);
    }
    g.Text(0, "SEQEND").Text(8, "PROFILE");
}

}  // namespace

std::string DxfFileText(const ProfileOutline& outline, bool mirror) {
    std::string out;
    out.reserve(96 * outline.points.size() * (mirror ? 2 : 1) + 2048);
    Groups g(out);
    const double left = mirror ? std::min(outline.left, -outline.right) : outline.left;
    const double right = mirror ? std::max(outline.right, -outline.left) : outline.right;
    g.Text(0, "SECTION").Text(2, "HEADER");
    g.Text(9, "$ACADVER").Text(1, "AC1009");
    g.Text(9, "$INSUNITS").Int(70, 4);
    g.Text(9, "$EXTMIN").Point(10, std::min(left, 0.0), 0.0);
    g.Text(9, "$EXTMAX").Point(10, std::max(right, 0.0), outline.Height());
    g.Text(0, "ENDSEC");
    Tables(g);
    g.Text(0, "SECTION").Text(2, "ENTITIES");
    Polyline(g, outline, 1.0);
    if (mirror) Polyline(g, outline, -1.0);
    g.Text(0, "LINE").Text(8, "AXIS").Point(10, 0.0, 0.0).Point(11, 0.0, outline.Height());
    g.Text(0, "ENDSEC");
    g.Text(0, "EOF");
    return out;
}

ExportOutcome WriteDxfFile(const CTavrinEditorDoc& doc, const std::filesystem::path& path,
                           const OutlineExportOptions& options, Prompter& prompter) {
    return WriteOutlineFile(doc, path, options.nSteps, prompter, [&](const ProfileOutline& o) {
        return DxfFileText(o, options.bMirror);
    });
}

}  // namespace orvanel
