// Compiles the preview mesh for OpenGL.
//
// Where OpenGL has buffer objects (1.5 and later, which Mesa always has) the
// strips go into one buffer object and are drawn from it: the same vertices
// in the same order, so the same picture, but a rebuild is a single copy. A
// display list compiled from vertex arrays takes Mesa about as long as one
// call per vertex, some forty times longer at the largest mesh. On an OpenGL
// without buffer objects the strips go into the display list itself.
#pragma once

#include <vector>

#include "preview/mesh_sink.h"

namespace orvanel {

// The strips of one rendering context, in one buffer object.
class GlStrips {
public:
    // Whether the current context has buffer objects.
    static bool Available();
    // Draws what was last compiled; nothing before that.
    void Draw() const;
    std::size_t VertexCount() const { return m_nVertices; }

private:
    friend class GlMeshSink;
    unsigned m_buffer = 0;
    std::vector<int> m_firsts;
    std::vector<int> m_counts;
    std::size_t m_nVertices = 0;
    std::vector<MeshVertex> m_staging;  // kept, so that a rebuild allocates nothing
};

// The document keeps the list's name; it is allocated on first use and
// recompiled in place afterwards, so that a name that is not 0 always means
// that a mesh was built. A rendering context must be current.
class GlMeshSink final : public MeshSink {
public:
    // With strips the mesh goes into them and the list stays empty; without,
    // into the list.
    GlMeshSink(unsigned& listName, GlStrips* strips);

    void BeginList() override;
    void QuadStrip(const MeshVertex* vertices, std::size_t count) override;
    void EndList() override;

private:
    unsigned& m_listName;
    GlStrips* m_pStrips;
    bool m_bOpen = false;
};

// Compiles the 3D golden ruler's lines into the ruler's own display list, in
// the current rendering context.
class GlRulerSink final : public RulerLineSink {
public:
    void BeginList(unsigned& listName) override;
    void Colour(float r, float g, float b) override;
    void Line(const LineVertex& from, const LineVertex& to) override;
    void EndList() override;

private:
    bool m_bOpen = false;
};

}  // namespace orvanel
