#include "preview/mesh.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <new>
#include <stdexcept>

namespace orvanel {

namespace {

struct Vec3 {
    float x, y, z;
};

std::uint64_t SaturatingMul(std::uint64_t a, std::uint64_t b) {
    if (a != 0 && b > std::numeric_limits<std::uint64_t>::max() / a) {
        return std::numeric_limits<std::uint64_t>::max();
    }
    return a * b;
}

std::uint64_t SaturatingAdd(std::uint64_t a, std::uint64_t b) {
    return b > std::numeric_limits<std::uint64_t>::max() - a
               ? std::numeric_limits<std::uint64_t>::max()
               : a + b;
}

std::uint64_t RowCapacity(const RevolutionProfile& profile) {
    const std::uint64_t steps = static_cast<std::uint64_t>(std::max(profile.steps, 1));
    const std::uint64_t n = static_cast<std::uint64_t>(std::max(profile.nPoints, 0));
    if (profile.closed) {
        std::uint64_t anchors = 0;
        for (const ProfilePoint* p = profile.head; p != nullptr; p = p->Next()) {
            anchors += p->bAnchor ? 1 : 0;
        }
        anchors = std::min(anchors, n);
        return SaturatingAdd(anchors + 1, SaturatingMul(n - anchors, steps));
    }
    if (n < 4) return 1;
    return SaturatingAdd(SaturatingMul(steps, n - 3), 1);
}

// The normal of a vertex from its neighbours along the profile and around the
// axis. False when the cross product has no usable length: two equal samples
// in a row, a row on the axis, or coordinates beyond float's range.
bool UnitNormal(const Vec3& p, const Vec3& along, const Vec3& around, Vec3& n) {
    const Vec3 u{along.x - p.x, along.y - p.y, along.z - p.z};
    const Vec3 v{around.x - p.x, around.y - p.y, around.z - p.z};
    const Vec3 c{v.y * u.z - v.z * u.y, v.z * u.x - v.x * u.z, v.x * u.y - v.y * u.x};
    const float squares = c.x * c.x + c.y * c.y + c.z * c.z;
    const double length = std::sqrt(static_cast<double>(squares));
    if (!(length > 0.0 && length < std::numeric_limits<double>::infinity())) return false;
    const double inverse = 1.0 / length;
    n = {static_cast<float>(c.x * inverse), static_cast<float>(c.y * inverse),
         static_cast<float>(c.z * inverse)};
    return true;
}

// The vertex grid, computed a row at a time from the one set of samples.
class Grid {
public:
    Grid(const std::vector<ProfileSample>& samples, MeshFrame frame, const SectionAngles& angles)
        : m_samples(samples),
          m_frame(frame),
          m_angles(angles),
          m_nSections(static_cast<int>(angles.cos.size())) {}

    int Rows() const { return static_cast<int>(m_samples.size()); }
    int Sections() const { return m_nSections; }

    Vec3 Vertex(int r, int j) const {
        const ProfileSample& s = m_samples[static_cast<std::size_t>(r)];
        return {s.x * m_angles.cos[static_cast<std::size_t>(j)] / m_frame.scale,
                s.x * m_angles.sin[static_cast<std::size_t>(j)] / m_frame.scale,
                (s.y - m_frame.centreY) / m_frame.scale};
    }

    void Row(int r, Vec3* out) const {
        for (int j = 0; j < m_nSections; ++j) out[j] = Vertex(r, j);
    }

    // Normals of row r from the rows r and r + 1; bad[j] marks the columns
    // that have none. Returns whether any column is bad.
    bool NormalRow(const Vec3* row, const Vec3* next, Vec3* out, std::uint8_t* bad) const {
        bool any = false;
        for (int j = 0; j < m_nSections; ++j) {
            const int around = j + 1 < m_nSections ? j + 1 : 0;
            bad[j] = !UnitNormal(row[j], next[j], row[around], out[j]);
            any = any || bad[j];
        }
        return any;
    }

    bool NormalAt(int r, int j, Vec3& n) const {
        return UnitNormal(Vertex(r, j), Vertex(r + 1, j),
                          Vertex(r, j + 1 < m_nSections ? j + 1 : 0), n);
    }

    // Row 0's normal in a column that has none of its own: the first one
    // further along the profile, else the direction away from the axis (the
    // whole column is then a point or a line, and any unit vector lights it).
    Vec3 LeadingFallback(int j) const {
        Vec3 n;
        for (int r = 1; r + 1 < Rows(); ++r) {
            if (NormalAt(r, j, n)) return n;
        }
        const float c = m_angles.cos[static_cast<std::size_t>(j)];
        const float s = m_angles.sin[static_cast<std::size_t>(j)];
        const double length = std::sqrt(static_cast<double>(c) * c + static_cast<double>(s) * s);
        return {static_cast<float>(c / length), static_cast<float>(s / length), 0.0f};
    }

private:
    const std::vector<ProfileSample>& m_samples;
    MeshFrame m_frame;
    const SectionAngles& m_angles;
    int m_nSections;
};

void Interleave(const Vec3* row, const Vec3* rowNormals, const Vec3* next, const Vec3* nextNormals,
                int sections, MeshVertex* strip) {
    auto put = [](const Vec3& p, const Vec3& n) {
        return MeshVertex{n.x, n.y, -n.z, p.x, p.y, -p.z};
    };
    for (int j = 0; j < sections; ++j) {
        *strip++ = put(row[j], rowNormals[j]);
        *strip++ = put(next[j], nextNormals[j]);
    }
    *strip++ = put(row[0], rowNormals[0]);
    *strip = put(next[0], nextNormals[0]);
}

void TrackExtents(const Vec3* row, int sections, MeshExtents& e) {
    for (int j = 0; j < sections; ++j) {
        e.xMax = std::max(e.xMax, static_cast<double>(row[j].x));
        e.yMax = std::max(e.yMax, static_cast<double>(row[j].y));
        e.zMax = std::max(e.zMax, static_cast<double>(-row[j].z));
    }
}

PreviewMeshResult EmptyList(MeshSink& sink) {
    sink.BeginList();
    sink.EndList();
    return {PreviewMeshResult::Status::Empty, 0, {}};
}

}  // namespace

std::size_t MeshRowCapacity(const RevolutionProfile& profile) {
    const std::uint64_t capacity = RowCapacity(profile);
    return capacity > std::numeric_limits<std::size_t>::max()
               ? std::numeric_limits<std::size_t>::max()
               : static_cast<std::size_t>(capacity);
}

std::vector<ProfileSample> SampleRevolutionProfile(const RevolutionProfile& profile,
                                                   WalkDirection dir, SegmentEnds ends) {
    std::vector<ProfileSample> rows;
    rows.reserve(MeshRowCapacity(profile));
    const CurveSampling sampling = CurveSampling::PreviewMesh(profile.steps);
    ForEachCurveSegment(profile.head, profile.tail, profile.closed, dir, [&](const CurveWindow& w) {
        if (rows.empty()) rows.push_back({static_cast<float>(w.b->x), static_cast<float>(w.b->y)});
        const std::size_t before = rows.size();
        SampleCurveSegment(w, sampling, [&](const CurveSample& s) {
            rows.push_back({static_cast<float>(s.x), static_cast<float>(s.y)});
        });
        if (ends == SegmentEnds::Exact && rows.size() > before) {
            rows.back() = {static_cast<float>(w.c->x), static_cast<float>(w.c->y)};
        }
    });
    return rows;
}

SectionAngles::SectionAngles(int sections) {
    const std::size_t n = static_cast<std::size_t>(std::max(sections, 0));
    cos.resize(n);
    sin.resize(n);
    const double step = 6.283185307 / sections;
    for (std::size_t j = 0; j < n; ++j) {
        const double theta = static_cast<double>(j) * step;
        cos[j] = static_cast<float>(std::cos(theta));
        sin[j] = static_cast<float>(std::sin(theta));
    }
}

MeshFrame PreviewMeshFrame(const RevolutionProfile& profile,
                           const std::vector<ProfileSample>& samples) {
    std::int32_t largestX = 0;
    std::int32_t largestY = 0;
    std::int32_t smallestY = INT32_MAX;
    if (profile.head != nullptr) {
        for (const ProfilePoint* p = profile.head->Next(); p != nullptr && p != profile.tail;
             p = p->Next()) {
            largestX = std::max(largestX, p->x);
            largestY = std::max(largestY, p->y);
            smallestY = std::min(smallestY, p->y);
        }
    }
    const float scale = static_cast<float>(std::max(largestX, largestY - smallestY));
    if (scale > 0.0f) {
        const double sum = static_cast<double>(smallestY) + largestY;  // no 32-bit overflow
        return {scale, static_cast<float>(sum * 0.5)};
    }
    // The measured points all lie on the axis at one height, which would divide
    // by zero. Size the mesh by the curve itself, and by one unit when that
    // has no size either.
    float radius = 0.0f;
    float top = std::numeric_limits<float>::max();
    float bottom = std::numeric_limits<float>::lowest();
    for (const ProfileSample& s : samples) {
        radius = std::max(radius, std::fabs(s.x));
        top = std::min(top, s.y);
        bottom = std::max(bottom, s.y);
    }
    if (samples.empty()) return {1.0f, 0.0f};
    const float centre = static_cast<float>((static_cast<double>(top) + bottom) * 0.5);
    const float size = std::max(radius, bottom - top);
    return {size > 0.0f && std::isfinite(size) ? size : 1.0f, centre};
}

PreviewMeshResult BuildRevolvedMesh(const PreviewMeshRequest& request, MeshSink& sink) {
    const RevolutionProfile& profile = request.profile;
    const int sections = request.sections;
    const bool enoughPoints = profile.closed ? profile.nPoints >= 3 : profile.nPoints >= 4;
    if (!enoughPoints || profile.head == nullptr || sections < 1 || profile.steps < 1) {
        return EmptyList(sink);
    }

    const std::uint64_t capacity = RowCapacity(profile);
    const std::uint64_t stripVertices = 2 * (static_cast<std::uint64_t>(sections) + 1);
    const std::uint64_t bytes =
        SaturatingMul(SaturatingMul(capacity - 1, stripVertices), sizeof(MeshVertex));
    if (bytes > kPreviewMeshByteBudget) return {PreviewMeshResult::Status::OutOfMemory, 0, {}};

    std::vector<ProfileSample> samples;
    std::vector<Vec3> work;
    std::vector<std::uint8_t> bad;
    std::vector<MeshVertex> strip;
    try {
        samples = SampleRevolutionProfile(
            profile, request.flipNormals ? WalkDirection::FromHead : WalkDirection::FromTail);
        // Three rows of vertices, the normals of two, and row 0's for the last row.
        work.resize(6 * static_cast<std::size_t>(sections));
        bad.resize(static_cast<std::size_t>(sections));
        strip.resize(static_cast<std::size_t>(stripVertices));
    } catch (const std::bad_alloc&) {
        return {PreviewMeshResult::Status::OutOfMemory, 0, {}};
    } catch (const std::length_error&) {
        return {PreviewMeshResult::Status::OutOfMemory, 0, {}};
    }
    const int rows = static_cast<int>(samples.size());
    if (rows < 2) return EmptyList(sink);

    const SectionAngles angles(sections);
    const Grid grid(samples, PreviewMeshFrame(profile, samples), angles);
    const std::size_t s = static_cast<std::size_t>(sections);
    Vec3* pos[3] = {work.data(), work.data() + s, work.data() + 2 * s};
    Vec3* normals[2] = {work.data() + 3 * s, work.data() + 4 * s};
    Vec3* firstNormals = work.data() + 5 * s;

    PreviewMeshResult result{PreviewMeshResult::Status::Built, rows, {}};
    grid.Row(0, pos[0]);
    grid.Row(1, pos[1]);
    TrackExtents(pos[0], sections, result.extents);

    // Row 0: when the curve starts on the axis the row is a single point and
    // takes the normals of row 1. A column still without one looks further on.
    bool badFirst = grid.NormalRow(pos[0], pos[1], normals[0], bad.data());
    if (bad[0] && rows >= 3) {
        grid.Row(2, pos[2]);
        badFirst = grid.NormalRow(pos[1], pos[2], normals[0], bad.data());
    }
    if (badFirst) {
        for (int j = 0; j < sections; ++j) {
            if (bad[static_cast<std::size_t>(j)]) normals[0][j] = grid.LeadingFallback(j);
        }
    }
    std::copy(normals[0], normals[0] + s, firstNormals);

    sink.BeginList();
    for (int r = 0; r + 1 < rows; ++r) {
        Vec3* row = pos[r % 3];
        Vec3* next = pos[(r + 1) % 3];
        Vec3* rowNormals = normals[r % 2];
        Vec3* nextNormals = normals[(r + 1) % 2];
        TrackExtents(next, sections, result.extents);
        if (r + 1 == rows - 1) {
            // The last row: on a closed profile it lies on the first.
            std::copy_n(profile.closed ? firstNormals : rowNormals, s, nextNormals);
        } else {
            Vec3* after = pos[(r + 2) % 3];
            grid.Row(r + 2, after);
            // Two equal samples in a row give no normal: keep the previous row's.
            if (grid.NormalRow(next, after, nextNormals, bad.data())) {
                for (std::size_t j = 0; j < s; ++j) {
                    if (bad[j]) nextNormals[j] = rowNormals[j];
                }
            }
        }
        Interleave(row, rowNormals, next, nextNormals, sections, strip.data());
        sink.QuadStrip(strip.data(), strip.size());
    }
    sink.EndList();

    MeshExtents& e = result.extents;
    e.xMin = -e.xMax;
    e.yMin = -e.yMax;
    e.zMin = -e.zMax;
    return result;
}

}  // namespace orvanel
