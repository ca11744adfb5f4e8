// The profile document: the control points, the open/closed flag, the values
// the editor, the preview and the exports read, every operation that edits
// the points, the .lum file, undo and the document's stored settings.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "document/archive.h"
#include "document/profile_format.h"
#include "document/profile_point.h"
#include "document/prompter.h"
#include "document/safe_file.h"
#include "document/settings_store.h"
#include "document/undo.h"
#include "document/unit_system.h"
#include "document/views.h"
#include "preview/golden_ruler_3d.h"
#include "preview/mesh.h"
#include "preview/mesh_sink.h"

namespace orvanel {

// The background photo as the document sees it; the application decodes and
// draws it.
class PhotoImage {
public:
    virtual ~PhotoImage() = default;
    virtual bool IsLoaded() const = 0;
    virtual int Width() const = 0;  // pixels at 96 dpi
    virtual int Height() const = 0;
};

class CTavrinEditorDoc : public CUndo {
public:
    // Reads the stored settings; the destructor writes them back. Both
    // references must outlive the document.
    CTavrinEditorDoc(SettingsStore& settings, Prompter& prompter);
    ~CTavrinEditorDoc() override;
    CTavrinEditorDoc(const CTavrinEditorDoc&) = delete;
    CTavrinEditorDoc& operator=(const CTavrinEditorDoc&) = delete;

    // --- the point list (read access; every change goes through an operation)
    const ProfilePoint* GetHead() const { return m_pHead.get(); }
    const ProfilePoint* GetTail() const { return m_pTail; }
    int GetPointCount() const { return m_nPoints; }
    bool IsClosed() const { return m_bClosed; }
    const ProfilePoint* GetCurrent() const { return m_pCurrent; }
    const ProfilePoint* GetMenuPoint() const { return m_pMenuPoint; }

    // --- editing operations; those that change the profile end with Commit
    void AppendPoint(int x, int y);
    void InsertPointBeforeCurrent(int x, int y);
    bool HitTestCurve(int x, int y);
    bool HitTestPoint(int x, int y);
    const ProfilePoint* HitTestMenuPoint(int x, int y);
    void MoveCurrentPoint(int x, int y);
    int SelectInRect(int x1, int y1, int x2, int y2);
    const ProfilePoint* SelectCurrent(bool bAdd);
    int CountSelected() const;
    void SelectNext();
    void SelectAll();
    void DeselectAll();
    void DeleteSelected();
    void DeleteMenuPoint();
    bool ToggleAnchor(const ProfilePoint* p);
    void SetAnchorOnSelected();
    void ToggleClosed();
    void CheckpointModified();
    // Writes a new position into a point without a commit: the end of a group
    // drag writes every point of the group and then calls CheckpointModified.
    void SetPointPosition(const ProfilePoint* p, int x, int y);
    // Puts a point at a typed position, clamped as a drag clamps, with the
    // anchor flag, as one undo step; false, and no step, when nothing changes.
    bool PlacePoint(const ProfilePoint* p, int x, int y, bool bAnchor);
    int MaxX() const;
    int MaxY() const;

    // --- the two views, set once by the main window
    void SetViews(EditorViewHooks* editor, DocumentView* preview);
    void UpdateAllViews();
    void RepaintEditor();
    void RepaintPreview();

    // --- document life
    bool OnNewDocument();
    // Opens a profile file. A file that cannot be read leaves the open
    // document exactly as it was and returns false after telling the user.
    bool OnOpenDocument(const std::filesystem::path& path);
    // Saves by way of a temporary file; on failure the old file is untouched,
    // the user is told and the document stays modified.
    bool OnSaveDocument(const std::filesystem::path& path);
    // Frees every point; the steps, sections, photo and options stay.
    void DeleteContents();
    // Stores into, or loads from, the archive. Returns false after telling
    // the user when the stream could not be written or read; a failed load
    // leaves the document as it was.
    bool Serialize(CArchive& ar) override;

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true) { m_bModified = modified; }
    const std::filesystem::path& GetPathName() const { return m_strPathName; }
    // "Untitled", or the file name of the document's file.
    const std::string& GetTitle() const { return m_strTitle; }

    // Undo and redo as the Edit menu runs them: both redraw the views, even
    // when there was nothing to undo.
    void OnEditUndo();
    void OnEditRedo();

    // --- the preview mesh
    // Rebuilds the preview's list in the sink: an empty one for an open
    // profile of three points or fewer, else the mesh. *pbClosedSurface (when
    // given) says whether the surface is closed, so that the view may cull
    // back faces: a closed profile, or one whose curve starts and ends on the
    // axis. Returns the mesh's extents for the 3D golden ruler, or nothing
    // when no mesh was built (the ruler then keeps its lines).
    std::optional<MeshExtents> BuildPreviewList(MeshSink& sink, bool* pbClosedSurface);
    // The same, and when a mesh was built and the golden ruler exists, the
    // ruler's lines around that mesh into rulerSink.
    std::optional<MeshExtents> BuildPreviewList(MeshSink& sink, RulerLineSink& rulerSink,
                                                bool* pbClosedSurface);
    // Builds the mesh from the points, the flip flag, m_nSections and
    // m_nPreviewSteps. When it would not fit in memory the user is told and
    // the sink is not touched, so it keeps the previous mesh.
    std::optional<MeshExtents> BuildPreviewMesh(MeshSink& sink);

    // --- status bar figures
    // (sections - 1) * steps * (points - 3), or 0 when that is not positive.
    long long PolygonCount() const;

    bool IsPhotoLoaded() const { return m_picture && m_picture->IsLoaded(); }

    // --- values the views, the preview and the exports read and the
    // settings sheet writes
    int m_nEditorSteps = 10;
    int m_nPreviewSteps = 5;
    int m_nSections = 12;
    float m_fExtrusionHeight = 0.5f;
    bool m_bFlipNormals = false;
    // The preview mesh's display list; 0 = none yet. The OpenGL sink is given
    // a reference to it and obtains a name on BeginList while it is 0.
    unsigned m_nPreviewList = 0;
    std::unique_ptr<PhotoImage> m_picture;
    IntRect m_rcPhoto;
    bool m_bPhotoHidden = false;
    // Made by the first command 32807, then only shown and hidden.
    std::unique_ptr<C3DGoldenRuler> m_pGoldenRuler;
    std::string m_strObjectName = "untitled";
    bool m_bPropMapping = false;
    int m_nProportionalFactor = 1;
    // Saves and exports replace a file marked read-only all the same.
    bool m_bOverwriteReadOnly = false;
    // What an export of this document may write over: never its own file.
    SaveRules ExportRules() const { return {m_strPathName, m_bOverwriteReadOnly}; }
    // What an editor unit measures and how sizes are shown; stored in the
    // "Dimensions" section, not in the profile file.
    UnitSystem m_units;

    Prompter& GetPrompter() const { return m_prompter; }

private:
    void Commit();
    ProfilePoint* Mutable(const ProfilePoint* p) const { return const_cast<ProfilePoint*>(p); }
    void DeletePoint(ProfilePoint* p);
    void LinkAfterTail(std::unique_ptr<ProfilePoint> p);
    void Adopt(ProfileData data);
    void StoreTo(CArchive& ar) const;
    void ReadStoredSettings();
    void WriteStoredSettings();
    void SetPathName(const std::filesystem::path& path);

    std::unique_ptr<ProfilePoint> m_pHead;
    ProfilePoint* m_pTail = nullptr;
    int m_nPoints = 0;
    bool m_bClosed = false;
    ProfilePoint* m_pCurrent = nullptr;
    ProfilePoint* m_pMenuPoint = nullptr;

    EditorViewHooks* m_pEditorView = nullptr;
    DocumentView* m_pPreviewView = nullptr;

    bool m_bModified = false;
    std::filesystem::path m_strPathName;
    std::string m_strTitle{"Untitled"};

    SettingsStore& m_settings;
    Prompter& m_prompter;
};

// The stored settings' section and keys.
namespace settings_keys {
inline constexpr std::string_view kSection = "Settings";
inline constexpr std::string_view kPropMapping = "PropMapping";
inline constexpr std::string_view kProportionalFactor = "ProportionalFactor";
inline constexpr std::string_view kEditorSteps = "EditorSteps";
inline constexpr std::string_view kPreviewSteps = "PreviewSteps";
inline constexpr std::string_view kSections = "Sections";
inline constexpr std::string_view kExtrusionHeight = "ExtrusionHeight";
}  // namespace settings_keys

// The extrusion height as it is stored: height x 100000, truncated, and
// 100000 in place of a value that is not positive; and back again.
int ExtrusionHeightToStored(float height);
float ExtrusionHeightFromStored(int stored);

}  // namespace orvanel
