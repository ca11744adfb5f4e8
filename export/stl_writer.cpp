#include "export/stl_writer.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>
#include <vector>

#include "document/safe_file.h"
#include "editor/curve.h"
#include "export/number_text.h"
#include "preview/mesh.h"
#include "resources/strings.h"

namespace orvanel {

namespace {

struct Vec3 {
    float x, y, z;
};

struct Triangle {
    Vec3 normal;
    Vec3 v[3];
};

// The unit normal of a triangle, false when it has no area.
bool FacetNormal(const Vec3& a, const Vec3& b, const Vec3& c, Vec3& n) {
    const double ux = double(b.x) - a.x, uy = double(b.y) - a.y, uz = double(b.z) - a.z;
    const double vx = double(c.x) - a.x, vy = double(c.y) - a.y, vz = double(c.z) - a.z;
    const double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
    const double length = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (!(length > 0.0 && length < std::numeric_limits<double>::infinity())) return false;
    n = {static_cast<float>(nx / length), static_cast<float>(ny / length),
         static_cast<float>(nz / length)};
    return true;
}

// The surface of revolution, one band of triangles between two rows at a time.
class Surface {
public:
    Surface(std::vector<ProfileSample> samples, int sections)
        : m_samples(std::move(samples)), m_angles(sections), m_nSections(sections) {
        float bottom = std::numeric_limits<float>::lowest();
        for (const ProfileSample& s : m_samples) bottom = std::max(bottom, s.y);
        m_fBottom = bottom;
        // The faces go outwards when the curve, seen in the (radius, height)
        // plane and closed through the axis, runs clockwise: the integral of
        // r^2 dz is positive for a counter-clockwise run.
        double turn = 0.0;
        for (std::size_t i = 0; i + 1 < m_samples.size(); ++i) {
            const double r0 = m_samples[i].x, r1 = m_samples[i + 1].x;
            const double dz = double(Height(m_samples[i + 1])) - Height(m_samples[i]);
            turn += (r0 * r0 + r0 * r1 + r1 * r1) * dz;
        }
        m_bReverse = turn > 0.0;
    }

    int Bands() const { return static_cast<int>(m_samples.size()) - 1; }

    // Calls emit(const Triangle&) for every triangle with area between rows r
    // and r + 1.
    template <class Emit>
    void Band(int r, Emit&& emit) const {
        for (int j = 0; j < m_nSections; ++j) {
            const int k = j + 1 < m_nSections ? j + 1 : 0;
            const Vec3 a = Vertex(r, j), b = Vertex(r + 1, j);
            const Vec3 c = Vertex(r + 1, k), d = Vertex(r, k);
            Face(a, b, c, emit);
            Face(a, c, d, emit);
        }
    }

private:
    float Height(const ProfileSample& s) const { return m_fBottom - s.y; }

    Vec3 Vertex(int r, int j) const {
        const ProfileSample& s = m_samples[static_cast<std::size_t>(r)];
        const std::size_t col = static_cast<std::size_t>(j);
        // A point on the axis is one corner of every triangle around it;
        // the products' zeros would carry the signs of cos and sin, and
        // readers that match corners by their bytes would find four corners
        // and an open edge between each two. Adding zero makes -0 into 0.
        return {s.x * m_angles.cos[col] + 0.0f, s.x * m_angles.sin[col] + 0.0f, Height(s)};
    }

    template <class Emit>
    void Face(const Vec3& a, const Vec3& b, const Vec3& c, Emit& emit) const {
        Triangle t;
        if (m_bReverse) {
            t.v[0] = a, t.v[1] = c, t.v[2] = b;
        } else {
            t.v[0] = a, t.v[1] = b, t.v[2] = c;
        }
        if (FacetNormal(t.v[0], t.v[1], t.v[2], t.normal)) emit(t);
    }

    std::vector<ProfileSample> m_samples;
    SectionAngles m_angles;
    int m_nSections;
    float m_fBottom = 0.0f;
    bool m_bReverse = false;
};

void PutFloat(std::string& out, float v) {
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(v);
    const char bytes[4] = {static_cast<char>(bits), static_cast<char>(bits >> 8),
                           static_cast<char>(bits >> 16), static_cast<char>(bits >> 24)};
    out.append(bytes, 4);
}

void PutVector(std::string& out, const Vec3& v) {
    PutFloat(out, v.x);
    PutFloat(out, v.y);
    PutFloat(out, v.z);
}

void PutText(std::string& out, const char* what, const Vec3& v) {
    out += what;
    AppendShortest(out, v.x);
    out += ' ';
    AppendShortest(out, v.y);
    out += ' ';
    AppendShortest(out, v.z);
    out += '\n';
}

constexpr std::size_t kFlushBytes = std::size_t{1} << 20;

}  // namespace

StlOptions StlOptions::Of(const CTavrinEditorDoc& doc) {
    StlOptions o;
    o.nSections = doc.m_nSections;
    o.nSteps = doc.m_nPreviewSteps;
    o.dUnitSize = doc.m_units.unitSize;
    return o;
}

ExportOutcome WriteStlFile(const CTavrinEditorDoc& doc, const std::filesystem::path& path,
                           const StlOptions& options, Prompter& prompter,
                           std::uint64_t* pTriangles) {
    if (!HasCurveSegments(doc.GetPointCount(), doc.IsClosed()) || options.nSections < 1 ||
        options.nSteps < 1) {
        prompter.ShowMessage(text::kNoSplineToExport);
        return ExportOutcome::Refused;
    }
    const RevolutionProfile profile{doc.GetHead(), doc.GetTail(), doc.GetPointCount(),
                                    doc.IsClosed(), options.nSteps};
    if (!EnclosesSolid(profile) && !prompter.AskYesNo(text::kStlNotClosed)) {
        return ExportOutcome::Refused;
    }
    std::uint64_t count = 0;
    try {
        // Exact segment ends: a curve that ends on the axis closes there, and
        // a closed curve's last row is its first.
        std::vector<ProfileSample> samples =
            SampleRevolutionProfile(profile, WalkDirection::FromHead, SegmentEnds::Exact);
        // STL has no unit of its own; printers' slicers read millimetres.
        if (options.dUnitSize != 1.0) {
            for (ProfileSample& s : samples) {
                s.x = static_cast<float>(s.x * options.dUnitSize);
                s.y = static_cast<float>(s.y * options.dUnitSize);
            }
        }
        const Surface surface(std::move(samples), options.nSections);
        for (int r = 0; r < surface.Bands(); ++r)
            surface.Band(r, [&](const Triangle&) { ++count; });
        if (!options.bAscii && count > std::numeric_limits<std::uint32_t>::max()) {
            prompter.ShowMessage(text::kTooManyTriangles);
            return ExportOutcome::Refused;
        }

        CSafeFileWriter file(path, doc.ExportRules());
        std::string out;
        out.reserve(kFlushBytes + 4096);
        auto flush = [&](bool always) {
            if (always || out.size() >= kFlushBytes) {
                file.Write(out.data(), out.size());
                out.clear();
            }
        };
        if (options.bAscii) {
            out += "solid " + options.strSolidName + "\n";
        } else {
            std::string header = "Orvanel " + options.strSolidName;
            header.resize(80, '\0');
            out += header;
            const std::uint32_t n = static_cast<std::uint32_t>(count);
            const char bytes[4] = {static_cast<char>(n), static_cast<char>(n >> 8),
                                   static_cast<char>(n >> 16), static_cast<char>(n >> 24)};
            out.append(bytes, 4);
        }
        for (int r = 0; r < surface.Bands(); ++r) {
            surface.Band(r, [&](const Triangle& t) {
                if (options.bAscii) {
                    PutText(out, "  facet normal ", t.normal);
                    out += "    outer loop\n";
                    for (const Vec3& v : t.v) PutText(out, "      vertex ", v);
                    out += "    endloop\n  endfacet\n";
                } else {
                    PutVector(out, t.normal);
                    for (const Vec3& v : t.v) PutVector(out, v);
                    out.append(2, '\0');
                }
            });
            flush(false);
        }
        if (options.bAscii) out += "endsolid " + options.strSolidName + "\n";
        flush(true);
        file.Commit();
    } catch (const CFileException& e) {
        prompter.ShowError(text::kErrorSaving, e.Reason());
        return ExportOutcome::Failed;
    } catch (const std::bad_alloc&) {
        prompter.ShowError(text::kErrorSaving, std::strerror(ENOMEM));
        return ExportOutcome::Failed;
    }
    if (pTriangles != nullptr) *pTriangles = count;
    return ExportOutcome::Written;
}

}  // namespace orvanel
