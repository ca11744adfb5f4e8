#define GL_GLEXT_PROTOTYPES 1
#include "preview/gl_view.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
#include <wx/dcclient.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "editor/one_page_printout.h"
#include "preview/gl_mesh_sink.h"
#include "resources/art.h"

namespace orvanel {

namespace {

// The screen's buffers: RGBA, double-buffered, 24 depth bits, 8 stencil bits.
wxGLAttributes ScreenAttributes() {
    wxGLAttributes attributes;
    attributes.PlatformDefaults().RGBA().DoubleBuffer().Depth(24).Stencil(8).EndList();
    return attributes;
}

void SetGlColour(GLenum face, GLenum what, const Rgba& c) {
    const GLfloat v[4] = {c.r, c.g, c.b, c.a};
    glMaterialfv(face, what, v);
}

bool HasFramebufferObjects() {
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return extensions != nullptr && std::strstr(extensions, "GL_EXT_framebuffer_object") != nullptr;
}

// An off-screen framebuffer in the view's own context, released at scope end.
class OffscreenTarget {
public:
    OffscreenTarget(int width, int height) {
        glGenFramebuffersEXT(1, &m_fbo);
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, m_fbo);
        glGenRenderbuffersEXT(2, m_buffers);
        glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, m_buffers[0]);
        glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_RGBA8, width, height);
        glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT,
                                     GL_RENDERBUFFER_EXT, m_buffers[0]);
        glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, m_buffers[1]);
        glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_DEPTH24_STENCIL8_EXT, width, height);
        glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT,
                                     GL_RENDERBUFFER_EXT, m_buffers[1]);
        glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_STENCIL_ATTACHMENT_EXT,
                                     GL_RENDERBUFFER_EXT, m_buffers[1]);
        m_bComplete =
            glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT) == GL_FRAMEBUFFER_COMPLETE_EXT;
    }
    ~OffscreenTarget() {
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
        glDeleteRenderbuffersEXT(2, m_buffers);
        glDeleteFramebuffersEXT(1, &m_fbo);
    }
    OffscreenTarget(const OffscreenTarget&) = delete;
    OffscreenTarget& operator=(const OffscreenTarget&) = delete;
    bool IsComplete() const { return m_bComplete; }

private:
    GLuint m_fbo = 0;
    GLuint m_buffers[2] = {0, 0};
    bool m_bComplete = false;
};

}  // namespace

CGLView::CGLView(wxWindow* parent, CTavrinEditorDoc& doc, SettingsStore& settings,
                 Prompter& prompter, MeshBuilder buildMesh)
    : wxGLCanvas(parent, ScreenAttributes(), wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS),
      m_doc(doc),
      m_settings(settings),
      m_prompter(prompter),
      m_buildMesh(std::move(buildMesh)),
      m_rotateCursor(MakeRotateCursor()),
      m_zoomCursor(MakeZoomCursor()) {
    m_look = ReadPreviewLook(settings);
    m_client = GetClientSize();
    m_pixels = DevicePixels(m_client.x, m_client.y, GetContentScaleFactor());
    m_camera.aspect = AspectOf(m_pixels.width, m_pixels.height);
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetCursor(m_rotateCursor);
    Bind(wxEVT_PAINT, &CGLView::OnPaint, this);
    Bind(wxEVT_SIZE, &CGLView::OnSize, this);
    Bind(wxEVT_DPI_CHANGED, [this](wxDPIChangedEvent& e) {
        e.Skip();
        Resize();
    });
    Bind(wxEVT_LEFT_DOWN, &CGLView::OnMouseDown, this);
    Bind(wxEVT_RIGHT_DOWN, &CGLView::OnMouseDown, this);
    Bind(wxEVT_LEFT_UP, &CGLView::OnMouseUp, this);
    Bind(wxEVT_RIGHT_UP, &CGLView::OnMouseUp, this);
    Bind(wxEVT_MOTION, &CGLView::OnMotion, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CGLView::OnCaptureLost, this);
    Bind(wxEVT_KEY_DOWN, &CGLView::OnKeyDown, this);
}

CGLView::~CGLView() {
    if (HasCapture()) ReleaseMouse();
    WritePreviewColours(m_settings, m_look);
}

bool CGLView::MakeCurrent() {
    if (!IsShownOnScreen()) return false;
    if (!m_context) {
        m_context = std::make_unique<wxGLContext>(this);
        if (!m_context->IsOK()) return false;
    }
    if (!SetCurrent(*m_context)) return false;
    if (!m_bContextReady) {
        m_bContextReady = true;
        m_bUseStrips = GlStrips::Available();
        glViewport(0, 0, m_pixels.width, m_pixels.height);
        InitGL(m_look.background);
    }
    return true;
}

void CGLView::SetProjection() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(PreviewCamera::kFieldOfView, m_camera.aspect, m_camera.nearPlane,
                   m_camera.farPlane);
    glTranslatef(0.0f, 0.0f, -m_camera.eyeDistance);
    glMatrixMode(GL_MODELVIEW);
}

void CGLView::SetMaterials() {
    const PreviewMaterials m = MaterialsFor(m_look.object, m_look.frontLight);
    SetGlColour(GL_FRONT_AND_BACK, GL_AMBIENT, m.ambient);
    glMateriali(GL_FRONT_AND_BACK, GL_SHININESS, static_cast<GLint>(m.shininess));
    SetGlColour(GL_FRONT, GL_DIFFUSE, m.frontDiffuse);
    SetGlColour(GL_FRONT, GL_SPECULAR, m.frontSpecular);
    SetGlColour(GL_BACK, GL_DIFFUSE, m.backDiffuse);
    SetGlColour(GL_BACK, GL_SPECULAR, m.backSpecular);
}

void CGLView::SetLights() {
    // Set while the model-view matrix is the identity: the lights stay fixed
    // to the viewer while the object turns.
    const Rgba front = GlColour(m_look.frontLight);
    const Rgba back = GlColour(m_look.backLight);
    const GLfloat frontDiffuse[4] = {front.r, front.g, front.b, 1.0f};
    const GLfloat backDiffuse[4] = {back.r, back.g, back.b, 1.0f};
    const auto frontPos = LightPosition(m_look.frontLightPos, true);
    const auto backPos = LightPosition(m_look.backLightPos, false);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, frontDiffuse);
    glLightfv(GL_LIGHT0, GL_POSITION, frontPos.data());
    glLightfv(GL_LIGHT1, GL_DIFFUSE, backDiffuse);
    glLightfv(GL_LIGHT1, GL_POSITION, backPos.data());
    const GLfloat ambient[4] = {0.1f, 0.1f, 0.1f, 1.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glLightModelf(GL_LIGHT_MODEL_TWO_SIDE, 1.0f);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHT1);
    glEnable(GL_LIGHTING);
}

void CGLView::BuildGridPlane() {
    if (m_nGridPlaneList == 0) m_nGridPlaneList = glGenLists(1);
    if (m_nGridPlaneList == 0) return;
    glNewList(m_nGridPlaneList, GL_COMPILE);
    glBegin(GL_LINES);
    glNormal3f(0.0f, 0.0f, 1.0f);
    for (const float e : GridPlaneStops()) {
        glVertex3f(e, -1.2f, 0.0f);
        glVertex3f(e, 1.2f, 0.0f);
        glVertex3f(-1.2f, e, 0.0f);
        glVertex3f(1.2f, e, 0.0f);
    }
    glEnd();
    glEndList();
}

void CGLView::InitGL(Colour background) {
    SetProjection();
    SetMaterials();
    SetLights();
    BuildGridPlane();
    glEnable(GL_DEPTH_TEST);
    glClearDepth(1.0);
    const Rgba bg = GlColour(background);
    glClearColor(bg.r, bg.g, bg.b, 1.0f);
    glShadeModel(m_bSmooth ? GL_SMOOTH : GL_FLAT);
}

void CGLView::RenderPass() {
    // Painting can be asked for again from inside a paint (a message box, a
    // yield): the second pass is skipped.
    static bool busy = false;
    if (busy) return;
    busy = true;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (m_doc.m_nPreviewList != 0) {
        glPushMatrix();
        glRotatef(m_camera.rotX, 1.0f, 0.0f, 0.0f);
        glRotatef(m_camera.rotY, 0.0f, 1.0f, 0.0f);
        if (m_bShowGridPlane && m_nGridPlaneList != 0) {
            glDisable(GL_LIGHTING);
            const Rgba c = GlColour(m_look.gridPlane);
            glColor3f(c.r, c.g, c.b);
            glCallList(m_nGridPlaneList);
            glEnable(GL_LIGHTING);
        }
        glCallList(m_doc.m_nPreviewList);
        if (m_bUseStrips) m_strips.Draw();
        glPopMatrix();
    }
    glFinish();
    glFlush();
    busy = false;
}

void CGLView::RebuildMesh() {
    const auto start = std::chrono::steady_clock::now();
    bool closedSurface = false;
    GlMeshSink sink(m_doc.m_nPreviewList, m_bUseStrips ? &m_strips : nullptr);
    if (m_buildMesh) m_buildMesh(sink, closedSurface);
    if (closedSurface) {
        glEnable(GL_CULL_FACE);
    } else {
        glDisable(GL_CULL_FACE);
    }
    glFinish();
    m_dLastRebuildMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    m_bMeshPending = false;
}

void CGLView::OnUpdate() {
    // Before the window is on screen there is no context: the first paint builds.
    m_bMeshPending = true;
    if (MakeCurrent()) RebuildMesh();
    Refresh(false);
}

void CGLView::Repaint() {
    Refresh(false);
    Update();
}

void CGLView::ToggleSmoothing() {
    m_bSmooth = !m_bSmooth;
    if (MakeCurrent()) glShadeModel(m_bSmooth ? GL_SMOOTH : GL_FLAT);
    Refresh(false);
}

void CGLView::ResetGLState() {
    if (MakeCurrent()) InitGL(m_look.background);
    Refresh(false);
}

void CGLView::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    if (!MakeCurrent()) return;
    if (m_bMeshPending) RebuildMesh();
    RenderPass();
    SwapBuffers();
    ++m_nFramesShown;
    m_shownSize = m_client;
}

void CGLView::OnSize(wxSizeEvent& event) {
    event.Skip();
    m_client = event.GetSize();
    Resize();
}

void CGLView::Resize() {
    m_pixels = DevicePixels(m_client.x, m_client.y, GetContentScaleFactor());
    if (m_pixels.height > 0) m_camera.Resize(m_pixels.width, m_pixels.height);
    if (m_bContextReady && MakeCurrent()) {
        glViewport(0, 0, m_pixels.width, m_pixels.height);
        SetProjection();
    }
}

void CGLView::OnMouseDown(wxMouseEvent& event) {
    SetFocus();
    if (!HasCapture()) CaptureMouse();
    m_ptLast = event.GetPosition();
    // The zoom cursor holds while the right button drags: the view has the capture.
    SetCursor(event.RightDown() ? m_zoomCursor : m_rotateCursor);
}

void CGLView::OnMouseUp(wxMouseEvent&) {
    if (!HasCapture()) return;
    m_ptLast = wxPoint(-1, -1);
    ReleaseMouse();
    SetCursor(m_rotateCursor);
}

void CGLView::OnCaptureLost(wxMouseCaptureLostEvent&) {
    m_ptLast = wxPoint(-1, -1);
    SetCursor(m_rotateCursor);
}

void CGLView::OnMotion(wxMouseEvent& event) {
    if (!HasCapture()) return;
    const wxPoint p = event.GetPosition();
    const DragButtons buttons =
        DragButtonsOf({event.LeftIsDown(), event.RightIsDown(), event.MiddleIsDown(),
                       event.ShiftDown(), event.ControlDown()});
    if (m_camera.Drag(buttons, p.x - m_ptLast.x, p.y - m_ptLast.y) && MakeCurrent()) {
        SetProjection();
    }
    m_ptLast = p;
    Refresh(false);
}

void CGLView::OnKeyDown(wxKeyEvent& event) {
    const int code = event.GetKeyCode();
    const PreviewKey key = code == WXK_UP     ? PreviewKey::Up
                           : code == WXK_DOWN ? PreviewKey::Down
                                              : PreviewKey::Other;
    switch (m_camera.PressKey(key)) {
        case PreviewKeyEffect::ShowRotation:
            m_prompter.ShowMessage(m_camera.RotationText(), MessageIcon::None);
            break;
        case PreviewKeyEffect::MovedAway:
            if (MakeCurrent()) SetProjection();
            Refresh(false);
            break;
        case PreviewKeyEffect::Nothing:
            break;
        case PreviewKeyEffect::NotHandled:
            event.Skip();  // left for the accelerators of the main window
            break;
    }
}

std::optional<wxImage> CGLView::RenderImage(const wxSize& size) {
    if (size.x <= 0 || size.y <= 0 || !MakeCurrent() || !HasFramebufferObjects()) {
        return std::nullopt;
    }
    if (m_bMeshPending) RebuildMesh();
    std::vector<unsigned char> pixels(static_cast<std::size_t>(size.x) * size.y * 3);
    bool rendered = false;
    {
        OffscreenTarget target(size.x, size.y);
        if (target.IsComplete()) {
            glViewport(0, 0, size.x, size.y);
            InitGL(0xFFFFFF);
            RenderPass();
            glPixelStorei(GL_PACK_ALIGNMENT, 1);
            glReadPixels(0, 0, size.x, size.y, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
            rendered = true;
        }
    }
    // Back to the screen's own background and size.
    glViewport(0, 0, m_pixels.width, m_pixels.height);
    InitGL(m_look.background);
    if (!rendered) return std::nullopt;
    wxImage image(size.x, size.y, false);
    unsigned char* out = image.GetData();
    const std::size_t row = static_cast<std::size_t>(size.x) * 3;
    // OpenGL's rows run bottom-up.
    for (int y = 0; y < size.y; ++y) {
        std::memcpy(out + row * y, pixels.data() + row * (size.y - 1 - y), row);
    }
    return image;
}

std::optional<PixelRect> CGLView::RenderPrintPage(wxDC& dc, const wxSize& pagePixels,
                                                  bool preview) {
    if (pagePixels.x <= 0 || pagePixels.y <= 0 || !MakeCurrent()) return std::nullopt;
    GLint maxSide = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE_EXT, &maxSide);
    const PixelSize page{pagePixels.x, pagePixels.y};
    const PixelSize size = PrintImageSize(m_pixels, page, preview, maxSide > 0 ? maxSide : 4096);
    const std::optional<wxImage> image = RenderImage(wxSize(size.width, size.height));
    if (!image) return std::nullopt;
    const PixelRect target = PrintTargetRect(size, page);
    // The page is laid out in printer pixels; a preview's DC is smaller, so
    // the picture is scaled to the DC's own pixels before it is drawn.
    const wxSize dcSize = dc.GetSize();
    const double sx = static_cast<double>(dcSize.x) / page.width;
    const double sy = static_cast<double>(dcSize.y) / page.height;
    const int width = std::max(1, static_cast<int>(target.width * sx + 0.5));
    const int height = std::max(1, static_cast<int>(target.height * sy + 0.5));
    const wxImage scaled = image->GetWidth() == width && image->GetHeight() == height
                               ? *image
                               : image->Scale(width, height, wxIMAGE_QUALITY_BILINEAR);
    dc.SetUserScale(1.0, 1.0);
    dc.DrawBitmap(wxBitmap(scaled), static_cast<int>(target.x * sx + 0.5),
                  static_cast<int>(target.y * sy + 0.5));
    return target;
}

std::unique_ptr<wxPrintout> CGLView::CreatePrintout() {
    // A failed off-screen setup prints an empty page, quietly.
    return std::make_unique<OnePagePrintout>(
        [this](wxDC& dc, wxSize page, bool preview) { RenderPrintPage(dc, page, preview); });
}

}  // namespace orvanel
