// What the document asks of the windows that show it. The document never
// reaches a view by any other road.
#pragma once

namespace orvanel {

class DocumentView {
public:
    virtual ~DocumentView() = default;
    // The document changed: redraw, and in the preview rebuild the mesh.
    virtual void OnUpdate() = 0;
    // Invalidate the whole window and repaint it at once.
    virtual void Repaint() = 0;
};

// The editor view also keeps the snapshot of a dragged group of points, which
// must never refer to a point the document has freed.
class EditorViewHooks : public DocumentView {
public:
    virtual void FreeSelection() = 0;
    virtual void BuildSelection() = 0;
};

}  // namespace orvanel
