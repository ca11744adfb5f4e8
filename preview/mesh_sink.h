// Where the preview mesh goes: the OpenGL adapter compiles it into a display
// list, tests record it. A strip is handed over whole so that the adapter can
// pass it to OpenGL as one array.
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

}  // namespace orvanel
