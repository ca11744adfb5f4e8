// Where the preview mesh and the 3D golden ruler go: the OpenGL adapter
// compiles them into display lists, tests record them. A strip is handed over
// whole so that the adapter can pass it to OpenGL as one array.
#pragma once

#include <cstddef>

namespace orvanel {

// One vertex of a quad strip: its unit normal, then its position.
struct MeshVertex {
    float nx, ny, nz;
    float x, y, z;
};

// The OpenGL sink is given a reference to the document's m_nPreviewList: on
// BeginList it obtains a name with glGenLists while that is 0, then compiles
// the list in place with GL_COMPILE. The document sets it back to 0 on File
// New and File Open, so the next build obtains a fresh name.
class MeshSink {
public:
    virtual ~MeshSink() = default;
    // A new list replaces the previous one. Nothing reaches the sink before
    // the mesh has been built in full, so a failed build keeps the old list.
    virtual void BeginList() = 0;
    // One GL_QUAD_STRIP: vertices in the order they are drawn.
    virtual void QuadStrip(const MeshVertex* vertices, std::size_t count) = 0;
    virtual void EndList() = 0;
};

struct LineVertex {
    float x, y, z;
    friend bool operator==(const LineVertex&, const LineVertex&) = default;
};

// Where the 3D golden ruler's lines go: a display list of GL_LINES with the
// normal (0, 0, 1), compiled by the OpenGL adapter, recorded by tests.
class RulerLineSink {
public:
    virtual ~RulerLineSink() = default;
    // Obtains a name while listName is 0, then compiles the list in place,
    // replacing what it held.
    virtual void BeginList(unsigned& listName) = 0;
    // The colour of the lines that follow, each component 0 to 1.
    virtual void Colour(float r, float g, float b) = 0;
    virtual void Line(const LineVertex& from, const LineVertex& to) = 0;
    virtual void EndList() = 0;
};

}  // namespace orvanel
