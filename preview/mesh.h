// The preview mesh: the sampled profile curve revolved once around the lathe
// axis, with a unit normal per vertex, handed to a MeshSink as quad strips.
//
// The curve is sampled once; every section reuses the same samples, turned by
// its own angle, so all columns of the grid hold the same rows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "document/profile_point.h"
#include "editor/curve.h"
#include "preview/mesh_sink.h"

namespace orvanel {

// A curve sample in editor units, exactly as the single-precision stepping
// produced it.
struct ProfileSample {
    float x;
    float y;
    friend bool operator==(const ProfileSample&, const ProfileSample&) = default;
};

// The control points and the values the mesh is built from.
struct RevolutionProfile {
    const ProfilePoint* head = nullptr;
    const ProfilePoint* tail = nullptr;
    int nPoints = 0;
    bool closed = false;
    int steps = 5;  // per curve segment; an anchor at either end makes it one
};

enum class SegmentEnds {
    Stepped,  // each segment's last sample is where the stepping arrived
    Exact,    // ... is the segment's end point itself, so rows meet exactly
};

// Whether the revolved surface encloses a solid: a closed profile, or an open
// one of four points or more whose curve (from the second point to the
// second-to-last) starts and ends on the axis.
bool EnclosesSolid(const RevolutionProfile& profile);

// The upper bound of the samples the walk yields: the row table's size.
std::size_t MeshRowCapacity(const RevolutionProfile& profile);

// The curve in the walk's order: the first window's start point, then every
// sample of every segment. Throws std::bad_alloc.
std::vector<ProfileSample> SampleRevolutionProfile(const RevolutionProfile& profile,
                                                   WalkDirection dir,
                                                   SegmentEnds ends = SegmentEnds::Stepped);

// Cosine and sine of each section's angle, taken in double precision and then
// used in single precision.
struct SectionAngles {
    std::vector<float> cos;
    std::vector<float> sin;
    explicit SectionAngles(int sections);
};

// What the preview's scale and centre are derived from: the points from the
// second to the second-to-last, whatever the closed flag.
struct MeshFrame {
    float scale;    // the larger of the radius and the height; never 0
    float centreY;  // editor y that maps to z = 0
};
MeshFrame PreviewMeshFrame(const RevolutionProfile& profile,
                           const std::vector<ProfileSample>& samples);

// The box the 3D golden ruler is drawn on: -max .. max of the emitted
// vertices' x, y and z, each max starting from 0.
struct MeshExtents {
    double xMin = 0, xMax = 0;
    double yMin = 0, yMax = 0;
    double zMin = 0, zMax = 0;
    friend bool operator==(const MeshExtents&, const MeshExtents&) = default;
};

struct PreviewMeshRequest {
    RevolutionProfile profile;
    int sections = 12;
    bool flipNormals = false;  // walks from the head, turning the surface inside out
};

struct PreviewMeshResult {
    enum class Status {
        Built,        // the sink holds the new mesh
        Empty,        // too few points, or no sections or steps: the sink holds an empty list
        OutOfMemory,  // the sink was not touched and keeps its previous list
    };
    Status status = Status::Empty;
    int rows = 0;
    MeshExtents extents;
};

// The most bytes of strips one preview may hand to the sink: the display list
// holds all of them, so a mesh beyond this is treated as out of memory.
inline constexpr std::uint64_t kPreviewMeshByteBudget = std::uint64_t{2} << 30;

// Builds the mesh and hands it to the sink: BeginList, one QuadStrip per pair
// of neighbouring rows (each section twice, the first one again to close the
// strip around the axis), EndList. Everything is allocated before BeginList.
// Vertices and normals reach the sink mirrored in z, so the top of the editor
// is +z.
PreviewMeshResult BuildRevolvedMesh(const PreviewMeshRequest& request, MeshSink& sink);

}  // namespace orvanel
