#include "preview/mesh.h"

#include <algorithm>
#include <climits>
#include <cmath>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
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
// axis: the cross product scaled by the inverse of its length.
inline void CrossNormal(float px, float py, float pz, float ax, float ay, float az, float bx,
                        float by, float bz, float& nx, float& ny, float& nz) {
    const float ux = ax - px, uy = ay - py, uz = az - pz;
    const float vx = bx - px, vy = by - py, vz = bz - pz;
    const float cx = vy * uz - vz * uy, cy = vz * ux - vx * uz, cz = vx * uy - vy * ux;
    const float squares = cx * cx + cy * cy + cz * cz;
    const double inverse = 1.0 / std::sqrt(static_cast<double>(squares));
    nx = static_cast<float>(cx * inverse);
    ny = static_cast<float>(cy * inverse);
    nz = static_cast<float>(cz * inverse);
}

// 1 when CrossNormal found no length to divide by, else 0. Two equal samples
// in a row, a row on the axis, or coordinates beyond float's range give none;
// the result then has a component that is not finite, or is all zero, which
// no unit vector is.
inline std::uint32_t Unusable(float nx, float ny, float nz) {
    constexpr float kMax = std::numeric_limits<float>::max();
    const std::uint32_t infinite = (std::fabs(nx) <= kMax ? 0u : 1u) |
                                   (std::fabs(ny) <= kMax ? 0u : 1u) |
                                   (std::fabs(nz) <= kMax ? 0u : 1u);
    const std::uint32_t zero =
        (nx == 0.0f ? 1u : 0u) & (ny == 0.0f ? 1u : 0u) & (nz == 0.0f ? 1u : 0u);
    return infinite | zero;
}

// Normals of a row from the next one; bad[j] marks the columns that have none.
// Returns whether any column is bad. The arrays never overlap: telling the
// compiler so lets it vectorise, where the processor has them with the wider
// registers (a function built in several versions is never inlined, which
// keeps the promise). Every operation is
// rounded the same at any width, so the normals do not change.
[[gnu::target_clones("avx2", "default")]] bool NormalKernel(
    const float* __restrict x, const float* __restrict y, float z, const float* __restrict nextX,
    const float* __restrict nextY, float nextZ, float* __restrict nx, float* __restrict ny,
    float* __restrict nz, std::uint32_t* __restrict bad, std::size_t sections) {
    const std::size_t last = sections - 1;
    for (std::size_t j = 0; j < last; ++j) {
        CrossNormal(x[j], y[j], z, nextX[j], nextY[j], nextZ, x[j + 1], y[j + 1], z, nx[j], ny[j],
                    nz[j]);
    }
    CrossNormal(x[last], y[last], z, nextX[last], nextY[last], nextZ, x[0], y[0], z, nx[last],
                ny[last], nz[last]);
    std::uint32_t any = 0;
    for (std::size_t j = 0; j < sections; ++j) {
        bad[j] = Unusable(nx[j], ny[j], nz[j]);
        any |= bad[j];
    }
    return any != 0;
}

// A sample turned to every section, in editor units over the scale.
[[gnu::target_clones("avx2", "default")]] void RowKernel(float px, const float* __restrict cos,
                                                         const float* __restrict sin, float scale,
                                                         float* __restrict x, float* __restrict y,
                                                         std::size_t sections) {
    for (std::size_t j = 0; j < sections; ++j) {
        x[j] = px * cos[j] / scale;
        y[j] = px * sin[j] / scale;
    }
}

// One row of the grid, column by column; every vertex of a row has its z.
struct Row {
    float* x;
    float* y;
    float z;
};

struct Normals {
    float* x;
    float* y;
    float* z;
    void Set(std::size_t j, const Vec3& n) { x[j] = n.x, y[j] = n.y, z[j] = n.z; }
    Vec3 Get(std::size_t j) const { return {x[j], y[j], z[j]}; }
};

// The vertex grid, computed a row at a time from the one set of samples.
class Grid {
public:
    Grid(const std::vector<ProfileSample>& samples, MeshFrame frame, const SectionAngles& angles)
        : m_samples(samples), m_frame(frame), m_angles(angles), m_nSections(angles.cos.size()) {
        const auto [cmin, cmax] = std::minmax_element(angles.cos.begin(), angles.cos.end());
        const auto [smin, smax] = std::minmax_element(angles.sin.begin(), angles.sin.end());
        m_fCosMin = *cmin, m_fCosMax = *cmax, m_fSinMin = *smin, m_fSinMax = *smax;
    }

    int Rows() const { return static_cast<int>(m_samples.size()); }

    Vec3 Vertex(int r, std::size_t j) const {
        const ProfileSample& s = m_samples[static_cast<std::size_t>(r)];
        return {s.x * m_angles.cos[j] / m_frame.scale, s.x * m_angles.sin[j] / m_frame.scale,
                (s.y - m_frame.centreY) / m_frame.scale};
    }

    void Compute(int r, Row& row) const {
        const ProfileSample& s = m_samples[static_cast<std::size_t>(r)];
        RowKernel(s.x, m_angles.cos.data(), m_angles.sin.data(), m_frame.scale, row.x, row.y,
                  m_nSections);
        row.z = (s.y - m_frame.centreY) / m_frame.scale;
    }

    // The largest x, y and mirrored z of row r. Rounding never reverses an
    // order, so the largest is the vertex at the largest (or, for a radius
    // left of the axis, the smallest) cosine and sine.
    void Extend(int r, const Row& row, MeshExtents& e) const {
        const float px = m_samples[static_cast<std::size_t>(r)].x;
        const float scale = m_frame.scale;
        const float x = px * (px >= 0.0f ? m_fCosMax : m_fCosMin) / scale;
        const float y = px * (px >= 0.0f ? m_fSinMax : m_fSinMin) / scale;
        e.xMax = std::max(e.xMax, static_cast<double>(x));
        e.yMax = std::max(e.yMax, static_cast<double>(y));
        e.zMax = std::max(e.zMax, static_cast<double>(-row.z));
    }

    // Normals of a row from the next one; bad[j] marks the columns that have
    // none. Returns whether any column is bad.
    bool NormalRow(const Row& row, const Row& next, Normals& out, std::uint32_t* bad) const {
        return NormalKernel(row.x, row.y, row.z, next.x, next.y, next.z, out.x, out.y, out.z, bad,
                            m_nSections);
    }

    bool NormalAt(int r, std::size_t j, Vec3& n) const {
        const Vec3 p = Vertex(r, j), a = Vertex(r + 1, j);
        const Vec3 b = Vertex(r, j + 1 < m_nSections ? j + 1 : 0);
        CrossNormal(p.x, p.y, p.z, a.x, a.y, a.z, b.x, b.y, b.z, n.x, n.y, n.z);
        return Unusable(n.x, n.y, n.z) == 0;
    }

    // Row 0's normal in a column that has none of its own: the first one
    // further along the profile, else the direction away from the axis (the
    // whole column is then a point or a line, and any unit vector lights it).
    Vec3 LeadingFallback(std::size_t j) const {
        Vec3 n;
        for (int r = 1; r + 1 < Rows(); ++r) {
            if (NormalAt(r, j, n)) return n;
        }
        const float c = m_angles.cos[j];
        const float s = m_angles.sin[j];
        const double length = std::sqrt(static_cast<double>(c) * c + static_cast<double>(s) * s);
        return {static_cast<float>(c / length), static_cast<float>(s / length), 0.0f};
    }

private:
    const std::vector<ProfileSample>& m_samples;
    MeshFrame m_frame;
    const SectionAngles& m_angles;
    std::size_t m_nSections;
    float m_fCosMin, m_fCosMax, m_fSinMin, m_fSinMax;
};

// Writes a row's vertices as the strips carry them, normal then position,
// mirrored in z, to every second slot of `out` and, when given, of `alsoOut`:
// each row is the second row of one strip and the first row of the next, so
// it goes straight into both and no strip is copied together afterwards.
void WriteRowVertices(const float* __restrict x, const float* __restrict y, float z,
                      const float* __restrict nx, const float* __restrict ny,
                      const float* __restrict nz, std::size_t sections, MeshVertex* __restrict out,
                      MeshVertex* __restrict alsoOut) {
    std::size_t j = 0;
#if defined(__SSE2__)
    // Four columns at a time, transposed in registers: the compiler's own
    // vectorisation of this six-way interleave is slower than plain stores.
    const __m128 sign = _mm_set1_ps(-0.0f);
    const __m128 mirroredZ = _mm_set1_ps(-z);
    for (; j + 4 <= sections; j += 4) {
        const __m128 vx = _mm_loadu_ps(x + j), vy = _mm_loadu_ps(y + j);
        const __m128 vnx = _mm_loadu_ps(nx + j), vny = _mm_loadu_ps(ny + j);
        const __m128 vnz = _mm_xor_ps(_mm_loadu_ps(nz + j), sign);
        const __m128 lo0 = _mm_unpacklo_ps(vnx, vny), lo1 = _mm_unpacklo_ps(vnz, vx);
        const __m128 hi0 = _mm_unpackhi_ps(vnx, vny), hi1 = _mm_unpackhi_ps(vnz, vx);
        const __m128 head[4] = {_mm_movelh_ps(lo0, lo1), _mm_movehl_ps(lo1, lo0),
                                _mm_movelh_ps(hi0, hi1), _mm_movehl_ps(hi1, hi0)};
        const __m128 tail01 = _mm_unpacklo_ps(vy, mirroredZ);
        const __m128 tail23 = _mm_unpackhi_ps(vy, mirroredZ);
        for (MeshVertex* dest : {out, alsoOut}) {
            if (dest == nullptr) continue;
            auto* f = reinterpret_cast<float*>(dest + 2 * j);
            constexpr std::size_t kStride = 2 * sizeof(MeshVertex) / sizeof(float);
            _mm_storeu_ps(f, head[0]);
            _mm_storel_pi(reinterpret_cast<__m64*>(f + 4), tail01);
            _mm_storeu_ps(f + kStride, head[1]);
            _mm_storeh_pi(reinterpret_cast<__m64*>(f + kStride + 4), tail01);
            _mm_storeu_ps(f + 2 * kStride, head[2]);
            _mm_storel_pi(reinterpret_cast<__m64*>(f + 2 * kStride + 4), tail23);
            _mm_storeu_ps(f + 3 * kStride, head[3]);
            _mm_storeh_pi(reinterpret_cast<__m64*>(f + 3 * kStride + 4), tail23);
        }
    }
#endif
    for (; j < sections; ++j) {
        const MeshVertex v{nx[j], ny[j], -nz[j], x[j], y[j], -z};
        out[2 * j] = v;
        if (alsoOut != nullptr) alsoOut[2 * j] = v;
    }
}

void WriteRow(const Row& row, const Normals& normals, std::size_t sections, MeshVertex* out,
              MeshVertex* alsoOut) {
    WriteRowVertices(row.x, row.y, row.z, normals.x, normals.y, normals.z, sections, out, alsoOut);
}

// The first column again at the end closes the strip around the axis.
void CloseStrip(MeshVertex* strip, std::size_t sections) {
    strip[2 * sections] = strip[0];
    strip[2 * sections + 1] = strip[1];
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
    if (!HasCurveSegments(profile.nPoints, profile.closed) || profile.head == nullptr ||
        sections < 1 || profile.steps < 1) {
        return EmptyList(sink);
    }

    const std::uint64_t capacity = RowCapacity(profile);
    const std::uint64_t stripVertices = 2 * (static_cast<std::uint64_t>(sections) + 1);
    const std::uint64_t bytes =
        SaturatingMul(SaturatingMul(capacity - 1, stripVertices), sizeof(MeshVertex));
    if (bytes > kPreviewMeshByteBudget) return {PreviewMeshResult::Status::OutOfMemory, 0, {}};

    std::vector<ProfileSample> samples;
    std::vector<float> work;
    std::vector<std::uint32_t> bad;
    std::vector<MeshVertex> strips;  // two, filled in turn
    try {
        samples = SampleRevolutionProfile(
            profile, request.flipNormals ? WalkDirection::FromHead : WalkDirection::FromTail);
        // Three rows of vertices, the normals of two, and row 0's for the last row.
        work.resize(15 * static_cast<std::size_t>(sections));
        bad.resize(static_cast<std::size_t>(sections));
        strips.resize(2 * static_cast<std::size_t>(stripVertices));
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
    float* w = work.data();
    Row pos[3] = {{w, w + s, 0}, {w + 2 * s, w + 3 * s, 0}, {w + 4 * s, w + 5 * s, 0}};
    Normals normals[2] = {{w + 6 * s, w + 7 * s, w + 8 * s}, {w + 9 * s, w + 10 * s, w + 11 * s}};
    Normals firstNormals{w + 12 * s, w + 13 * s, w + 14 * s};

    PreviewMeshResult result{PreviewMeshResult::Status::Built, rows, {}};
    grid.Compute(0, pos[0]);
    grid.Compute(1, pos[1]);
    grid.Extend(0, pos[0], result.extents);

    // Row 0: when the curve starts on the axis the row is a single point and
    // takes the normals of row 1. A column still without one looks further on.
    bool badFirst = grid.NormalRow(pos[0], pos[1], normals[0], bad.data());
    if (bad[0] && rows >= 3) {
        grid.Compute(2, pos[2]);
        badFirst = grid.NormalRow(pos[1], pos[2], normals[0], bad.data());
    }
    if (badFirst) {
        for (std::size_t j = 0; j < s; ++j) {
            if (bad[j]) normals[0].Set(j, grid.LeadingFallback(j));
        }
    }
    for (std::size_t j = 0; j < s; ++j) firstNormals.Set(j, normals[0].Get(j));
    MeshVertex* strip[2] = {strips.data(), strips.data() + stripVertices};
    WriteRow(pos[0], normals[0], s, strip[0], nullptr);

    sink.BeginList();
    for (int r = 0; r + 1 < rows; ++r) {
        const Row& next = pos[(r + 1) % 3];
        const Normals& rowNormals = normals[r % 2];
        Normals& nextNormals = normals[(r + 1) % 2];
        grid.Extend(r + 1, next, result.extents);
        if (r + 1 == rows - 1) {
            // The last row: on a closed profile it lies on the first.
            const Normals& from = profile.closed ? firstNormals : rowNormals;
            for (std::size_t j = 0; j < s; ++j) nextNormals.Set(j, from.Get(j));
        } else {
            Row& after = pos[(r + 2) % 3];
            grid.Compute(r + 2, after);
            // Two equal samples in a row give no normal: keep the previous row's.
            if (grid.NormalRow(next, after, nextNormals, bad.data())) {
                for (std::size_t j = 0; j < s; ++j) {
                    if (bad[j]) nextNormals.Set(j, rowNormals.Get(j));
                }
            }
        }
        // Row r + 1 ends this strip and starts the next one.
        WriteRow(next, nextNormals, s, strip[r % 2] + 1,
                 r + 2 < rows ? strip[(r + 1) % 2] : nullptr);
        CloseStrip(strip[r % 2], s);
        sink.QuadStrip(strip[r % 2], static_cast<std::size_t>(stripVertices));
    }
    sink.EndList();

    MeshExtents& e = result.extents;
    e.xMin = -e.xMax;
    e.yMin = -e.yMax;
    e.zMin = -e.zMax;
    return result;
}

}  // namespace orvanel
