// Compiles the preview mesh into the document's display list.
#pragma once

#include "preview/mesh_sink.h"

namespace orvanel {

// The list's name lives with the document; it is allocated on first use and
// recompiled in place afterwards. A rendering context must be current.
class GlMeshSink final : public MeshSink {
public:
    explicit GlMeshSink(unsigned& listName) : m_listName(listName) {}

    void BeginList() override;
    void QuadStrip(const MeshVertex* vertices, std::size_t count) override;
    void EndList() override;

private:
    unsigned& m_listName;
    bool m_bOpen = false;
};

}  // namespace orvanel
