#define GL_GLEXT_PROTOTYPES 1
#include "preview/gl_mesh_sink.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdio>

namespace orvanel {

static_assert(sizeof(MeshVertex) == 6 * sizeof(GLfloat), "MeshVertex must be GL_N3F_V3F");

bool GlStrips::Available() {
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    int major = 0, minor = 0;
    if (version == nullptr || std::sscanf(version, "%d.%d", &major, &minor) != 2) return false;
    return major > 1 || (major == 1 && minor >= 5);
}

void GlStrips::Draw() const {
    if (m_buffer == 0 || m_firsts.empty()) return;
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glBindBuffer(GL_ARRAY_BUFFER, m_buffer);
    glInterleavedArrays(GL_N3F_V3F, 0, nullptr);
    glMultiDrawArrays(GL_QUAD_STRIP, m_firsts.data(), m_counts.data(),
                      static_cast<GLsizei>(m_firsts.size()));
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glPopClientAttrib();
}

GlMeshSink::GlMeshSink(unsigned& listName, GlStrips* strips)
    : m_listName(listName), m_pStrips(strips) {}

void GlMeshSink::BeginList() {
    if (m_listName == 0) m_listName = glGenLists(1);
    if (m_listName == 0) return;  // no context, or no names left: keep the old picture
    m_bOpen = true;
    if (m_pStrips != nullptr) {
        m_pStrips->m_staging.clear();
        m_pStrips->m_firsts.clear();
        m_pStrips->m_counts.clear();
    }
    glNewList(m_listName, GL_COMPILE);
}

void GlMeshSink::QuadStrip(const MeshVertex* vertices, std::size_t count) {
    if (!m_bOpen || count < 4) return;
    if (m_pStrips != nullptr) {
        m_pStrips->m_firsts.push_back(static_cast<int>(m_pStrips->m_staging.size()));
        m_pStrips->m_counts.push_back(static_cast<int>(count));
        m_pStrips->m_staging.insert(m_pStrips->m_staging.end(), vertices, vertices + count);
        return;
    }
    // The arrays are read while the list is compiled, so the list holds the
    // same vertices one call per vertex would have given it.
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glInterleavedArrays(GL_N3F_V3F, 0, vertices);
    glDrawArrays(GL_QUAD_STRIP, 0, static_cast<GLsizei>(count));
    glPopClientAttrib();
}

void GlMeshSink::EndList() {
    if (!m_bOpen) return;
    glEndList();
    m_bOpen = false;
    if (m_pStrips == nullptr) return;
    GlStrips& s = *m_pStrips;
    if (s.m_buffer == 0) glGenBuffers(1, &s.m_buffer);
    glBindBuffer(GL_ARRAY_BUFFER, s.m_buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(s.m_staging.size() * sizeof(MeshVertex)),
                 s.m_staging.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    s.m_nVertices = s.m_staging.size();
    s.m_staging.clear();
}

void GlRulerSink::BeginList(unsigned& listName) {
    if (listName == 0) listName = glGenLists(1);
    if (listName == 0) return;  // no names left: the ruler keeps its old lines
    m_bOpen = true;
    glNewList(listName, GL_COMPILE);
    glBegin(GL_LINES);
    glNormal3f(0.0f, 0.0f, 1.0f);
}

void GlRulerSink::Colour(float r, float g, float b) {
    if (m_bOpen) glColor3f(r, g, b);
}

void GlRulerSink::Line(const LineVertex& from, const LineVertex& to) {
    if (!m_bOpen) return;
    glVertex3f(from.x, from.y, from.z);
    glVertex3f(to.x, to.y, to.z);
}

void GlRulerSink::EndList() {
    if (!m_bOpen) return;
    glEnd();
    glEndList();
    m_bOpen = false;
}

}  // namespace orvanel
