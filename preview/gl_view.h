// The 3D preview: the document's mesh list lit by two coloured lights, turned
// with the left mouse button, zoomed with the right one, and printed through
// an off-screen image.
#pragma once

#include <wx/glcanvas.h>
#include <wx/image.h>
#include <wx/print.h>

#include <functional>
#include <memory>
#include <optional>

#include "document/document.h"
#include "preview/camera.h"
#include "preview/gl_mesh_sink.h"
#include "preview/mesh_sink.h"

namespace orvanel {

class CGLView final : public wxGLCanvas, public DocumentView {
public:
    // Builds the document's preview list into the sink and says whether the
    // surface closes (then back faces are culled).
    using MeshBuilder = std::function<void(MeshSink& sink, bool& closedSurface)>;

    // Reads the five stored colours; the destructor writes them back.
    CGLView(wxWindow* parent, CTavrinEditorDoc& doc, SettingsStore& settings, Prompter& prompter,
            MeshBuilder buildMesh);
    ~CGLView() override;

    // DocumentView: the mesh is rebuilt, then the view repaints.
    void OnUpdate() override;
    void Repaint() override;

    void ToggleSmoothing();
    // New colours, light cells, shading and a recompiled grid plane.
    void ResetGLState();

    bool m_bSmooth = true;
    bool m_bShowGridPlane = false;
    PreviewLook m_look;

    PreviewCamera& Camera() { return m_camera; }
    // Whether a rendering context could be made current.
    bool HasContext() const { return m_bContextReady; }
    // How long the last mesh rebuild took, list compile included.
    double LastRebuildMilliseconds() const { return m_dLastRebuildMs; }
    // How many pictures the view has put on screen.
    int FramesShown() const { return m_nFramesShown; }
    // Whether the last picture on screen was drawn at the current size.
    bool IsPictureCurrent() const { return m_nFramesShown > 0 && m_shownSize == m_client; }

    // The picture rendered off screen at the given size on white, as printed.
    std::optional<wxImage> RenderImage(const wxSize& size);
    // One printed page of the given printable size in device pixels. Returns
    // where the picture went, in those pixels, or nothing when the off-screen
    // rendering could not be set up.
    std::optional<PixelRect> RenderPrintPage(wxDC& dc, const wxSize& pagePixels, bool preview);
    std::unique_ptr<wxPrintout> CreatePrintout();

private:
    bool MakeCurrent();
    void InitGL(Colour background);
    void SetProjection();
    void SetMaterials();
    void SetLights();
    void BuildGridPlane();
    void RenderPass();
    void RebuildMesh();

    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    // The framebuffer's pixels for the client size, the viewport and the
    // projection set from them.
    void Resize();
    void OnMouseDown(wxMouseEvent& event);
    void OnMouseUp(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnKeyDown(wxKeyEvent& event);

    CTavrinEditorDoc& m_doc;
    SettingsStore& m_settings;
    Prompter& m_prompter;
    MeshBuilder m_buildMesh;
    std::unique_ptr<wxGLContext> m_context;
    bool m_bContextReady = false;
    bool m_bMeshPending = true;
    PreviewCamera m_camera;
    wxSize m_client;     // logical units, as the mouse reports them
    PixelSize m_pixels;  // the framebuffer's pixels: more on a scaled display
    wxPoint m_ptLast{0, 0};
    unsigned m_nGridPlaneList = 0;
    GlStrips m_strips;
    bool m_bUseStrips = false;
    double m_dLastRebuildMs = 0.0;
    int m_nFramesShown = 0;
    wxSize m_shownSize;
    wxCursor m_rotateCursor;
    wxCursor m_zoomCursor;
};

}  // namespace orvanel
