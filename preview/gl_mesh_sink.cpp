#include "preview/gl_mesh_sink.h"

#include <GL/gl.h>

namespace orvanel {

static_assert(sizeof(MeshVertex) == 6 * sizeof(GLfloat), "MeshVertex must be GL_N3F_V3F");

void GlMeshSink::BeginList() {
    if (m_listName == 0) m_listName = glGenLists(1);
    if (m_listName == 0) return;  // no context, or no names left: keep the old picture
    glNewList(m_listName, GL_COMPILE);
    m_bOpen = true;
}

void GlMeshSink::QuadStrip(const MeshVertex* vertices, std::size_t count) {
    if (!m_bOpen || count < 4) return;
    // The arrays are read while the list is compiled, so the list holds the
    // same vertices the immediate-mode calls would have given it.
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glInterleavedArrays(GL_N3F_V3F, 0, vertices);
    glDrawArrays(GL_QUAD_STRIP, 0, static_cast<GLsizei>(count));
    glPopClientAttrib();
}

void GlMeshSink::EndList() {
    if (!m_bOpen) return;
    glEndList();
    m_bOpen = false;
}

}  // namespace orvanel
