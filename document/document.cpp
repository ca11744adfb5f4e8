#include "document/document.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "document/safe_file.h"
#include "editor/curve.h"
#include "resources/strings.h"

namespace orvanel {

namespace {

constexpr int kHitTolerance = 4;      // HitTestPoint: closer than this in x and in y
constexpr int kMenuHitTolerance = 3;  // HitTestMenuPoint: [x - 3, x + 3)

std::int32_t Clamp(int v) { return std::max(v, 0); }

long long Distance(int a, int b) { return std::llabs(static_cast<long long>(a) - b); }

}  // namespace

int ExtrusionHeightToStored(float height) {
    const float scaled = height * 100000.0f;
    // Truncation toward zero; a height beyond any int is stored as the largest.
    const int v = scaled >= 2147483647.0f ? INT_MAX : static_cast<int>(std::max(scaled, 0.0f));
    return v <= 0 ? 100000 : v;
}

float ExtrusionHeightFromStored(int stored) {
    return stored > 0 ? static_cast<float>(stored) / 100000.0f : 1.0f;
}

CTavrinEditorDoc::CTavrinEditorDoc(SettingsStore& settings, Prompter& prompter)
    : m_settings(settings), m_prompter(prompter) {
    ReadStoredSettings();
}

CTavrinEditorDoc::~CTavrinEditorDoc() {
    WriteStoredSettings();
    m_pGoldenRuler.reset();
    m_picture.reset();
    m_pEditorView = nullptr;  // the views are gone by now
    m_pPreviewView = nullptr;
    DeleteContents();
}

// Values outside what the settings sheet allows fall back to the defaults: a
// damaged settings file must not leave the program unusable.
void CTavrinEditorDoc::ReadStoredSettings() {
    using namespace settings_keys;
    m_bPropMapping = m_settings.GetInt(kSection, kPropMapping, 1) != 0;
    m_nProportionalFactor = GetIntInRange(m_settings, kSection, kProportionalFactor, 1, 1, INT_MAX);
    m_nEditorSteps = GetIntInRange(m_settings, kSection, kEditorSteps, 10, kEditorStepsRange);
    m_nPreviewSteps = GetIntInRange(m_settings, kSection, kPreviewSteps, 5, kPreviewStepsRange);
    m_nSections = GetIntInRange(m_settings, kSection, kSections, 24, kSectionsRange);
    const float height =
        ExtrusionHeightFromStored(m_settings.GetInt(kSection, kExtrusionHeight, 50000));
    m_fExtrusionHeight = kExtrusionHeightRange.Contains(height) ? height : 0.5f;
    m_units = ReadUnitSystem(m_settings);
}

void CTavrinEditorDoc::WriteStoredSettings() {
    using namespace settings_keys;
    m_settings.WriteInt(kSection, kPropMapping, m_bPropMapping ? 1 : 0);
    m_settings.WriteInt(kSection, kProportionalFactor, m_nProportionalFactor);
    m_settings.WriteInt(kSection, kEditorSteps, m_nEditorSteps);
    m_settings.WriteInt(kSection, kPreviewSteps, m_nPreviewSteps);
    m_settings.WriteInt(kSection, kSections, m_nSections);
    m_settings.WriteInt(kSection, kExtrusionHeight, ExtrusionHeightToStored(m_fExtrusionHeight));
    WriteUnitSystem(m_settings, m_units);
}

// The snapshot must be taken first: storing it clears the modified flag.
void CTavrinEditorDoc::Commit() {
    Checkpoint();
    SetModifiedFlag(true);
    UpdateAllViews();
}

void CTavrinEditorDoc::CheckpointModified() {
    Checkpoint();
    SetModifiedFlag(true);
}

void CTavrinEditorDoc::LinkAfterTail(std::unique_ptr<ProfilePoint> p) {
    ProfilePoint* raw = p.get();
    raw->pPrev = m_pTail;
    if (m_pTail != nullptr) {
        m_pTail->pNext = std::move(p);
    } else {
        m_pHead = std::move(p);
    }
    m_pTail = raw;
    ++m_nPoints;
}

void CTavrinEditorDoc::AppendPoint(int x, int y) {
    LinkAfterTail(std::make_unique<ProfilePoint>(Clamp(x), Clamp(y)));
    Commit();
}

void CTavrinEditorDoc::InsertPointBeforeCurrent(int x, int y) {
    auto point = std::make_unique<ProfilePoint>(Clamp(x), Clamp(y));
    ProfilePoint* raw = point.get();
    if (m_pHead == nullptr || m_pCurrent == nullptr) {
        LinkAfterTail(std::move(point));
    } else {
        ProfilePoint* before = m_pCurrent->pPrev;
        std::unique_ptr<ProfilePoint>& link = before != nullptr ? before->pNext : m_pHead;
        raw->pPrev = before;
        raw->pNext = std::move(link);  // that is m_pCurrent
        m_pCurrent->pPrev = raw;
        link = std::move(point);
        ++m_nPoints;
    }
    m_pCurrent = raw;
    Commit();
}

bool CTavrinEditorDoc::HitTestCurve(int x, int y) {
    const ProfilePoint* hit =
        HitTestCurveChords(m_pHead.get(), m_pTail, m_nPoints, m_bClosed, m_nEditorSteps, {x, y});
    if (hit == nullptr) return false;
    m_pCurrent = Mutable(hit);
    return true;
}

bool CTavrinEditorDoc::HitTestPoint(int x, int y) {
    if (m_nPoints <= 0) return false;
    auto passes = [x, y](const ProfilePoint* p) {
        return Distance(p->x, x) < kHitTolerance && Distance(p->y, y) < kHitTolerance;
    };
    // From both ends at once, the head side first: P0, Pn-1, P1, Pn-2, ...
    ProfilePoint* forward = m_pHead.get();
    ProfilePoint* backward = m_pTail;
    while (forward != nullptr && backward != nullptr) {
        if (passes(forward)) {
            m_pCurrent = forward;
            return true;
        }
        if (passes(backward)) {
            m_pCurrent = backward;
            return true;
        }
        forward = forward->Next();
        backward = backward->Prev();
    }
    return false;
}

const ProfilePoint* CTavrinEditorDoc::HitTestMenuPoint(int x, int y) {
    auto within = [](int v, int centre) {
        const long long d = static_cast<long long>(v) - centre;
        return d >= -kMenuHitTolerance && d < kMenuHitTolerance;
    };
    m_pMenuPoint = nullptr;
    for (ProfilePoint* p = m_pHead.get(); p != nullptr; p = p->Next()) {
        if (within(p->x, x) && within(p->y, y)) {
            m_pMenuPoint = p;
            break;
        }
    }
    return m_pMenuPoint;
}

void CTavrinEditorDoc::MoveCurrentPoint(int x, int y) {
    if (m_pCurrent == nullptr) return;
    m_pCurrent->x = Clamp(x);
    m_pCurrent->y = Clamp(y);
    Commit();
}

void CTavrinEditorDoc::SetPointPosition(const ProfilePoint* p, int x, int y) {
    ProfilePoint* point = Mutable(p);
    point->x = Clamp(x);
    point->y = Clamp(y);
}

bool CTavrinEditorDoc::PlacePoint(const ProfilePoint* p, int x, int y, bool bAnchor) {
    if (p == nullptr) return false;
    ProfilePoint* point = Mutable(p);
    if (point->x == Clamp(x) && point->y == Clamp(y) && point->bAnchor == bAnchor) return false;
    point->x = Clamp(x);
    point->y = Clamp(y);
    point->bAnchor = bAnchor;
    Commit();
    return true;
}

int CTavrinEditorDoc::SelectInRect(int x1, int y1, int x2, int y2) {
    const int left = std::min(x1, x2);
    const int right = std::max(x1, x2);
    const int top = std::min(y1, y2);
    const int bottom = std::max(y1, y2);
    int count = 0;
    for (ProfilePoint* p = m_pHead.get(); p != nullptr; p = p->Next()) {
        // The right and bottom edges lie outside the rectangle.
        p->bSelected = left <= p->x && p->x < right && top <= p->y && p->y < bottom;
        if (p->bSelected) {
            ++count;
            m_pCurrent = p;
        }
    }
    return count;
}

const ProfilePoint* CTavrinEditorDoc::SelectCurrent(bool bAdd) {
    if (m_pCurrent == nullptr) return nullptr;
    if (!bAdd) DeselectAll();
    m_pCurrent->bSelected = true;
    return m_pCurrent;
}

int CTavrinEditorDoc::CountSelected() const {
    int count = 0;
    for (const ProfilePoint* p = m_pHead.get(); p != nullptr; p = p->Next()) count += p->bSelected;
    return count;
}

void CTavrinEditorDoc::SelectNext() {
    for (ProfilePoint* p = m_pHead.get(); p != nullptr; p = p->Next()) {
        if (p->bSelected) {
            p->bSelected = false;
            ProfilePoint* next = p->Next() != nullptr ? p->Next() : m_pHead.get();
            next->bSelected = true;
            return;
        }
    }
    if (m_pHead != nullptr) m_pHead->bSelected = true;
}

void CTavrinEditorDoc::SelectAll() {
    for (ProfilePoint* p = m_pHead.get(); p != nullptr; p = p->Next()) p->bSelected = true;
    if (m_pEditorView != nullptr) m_pEditorView->BuildSelection();
    RepaintEditor();
}

void CTavrinEditorDoc::DeselectAll() {
    for (ProfilePoint* p = m_pHead.get(); p != nullptr; p = p->Next()) p->bSelected = false;
    if (m_pEditorView != nullptr) m_pEditorView->FreeSelection();
    RepaintEditor();
}

void CTavrinEditorDoc::DeletePoint(ProfilePoint* p) {
    if (m_pCurrent == p) m_pCurrent = nullptr;
    if (m_pMenuPoint == p) m_pMenuPoint = nullptr;
    std::unique_ptr<ProfilePoint>& link = p->pPrev != nullptr ? p->pPrev->pNext : m_pHead;
    std::unique_ptr<ProfilePoint> doomed = std::move(link);
    if (p->pNext != nullptr) {
        p->pNext->pPrev = p->pPrev;
    } else {
        m_pTail = p->pPrev;
    }
    link = std::move(p->pNext);
    doomed.reset();  // p no longer owns a successor, so only p is freed
    --m_nPoints;
    m_bClosed = m_bClosed && m_nPoints > 2;
}

void CTavrinEditorDoc::DeleteSelected() {
    if (m_pEditorView != nullptr) m_pEditorView->FreeSelection();
    for (ProfilePoint* p = m_pHead.get(); p != nullptr;) {
        ProfilePoint* next = p->Next();
        if (p->bSelected) DeletePoint(p);
        p = next;
    }
    Commit();
}

void CTavrinEditorDoc::DeleteMenuPoint() {
    if (m_pMenuPoint == nullptr) return;
    // The dragged-group snapshot may hold the point: it goes first.
    if (m_pEditorView != nullptr) m_pEditorView->FreeSelection();
    DeletePoint(m_pMenuPoint);
    Commit();
}

bool CTavrinEditorDoc::ToggleAnchor(const ProfilePoint* p) {
    if (p == nullptr) return false;
    Mutable(p)->bAnchor = !p->bAnchor;
    Commit();
    return true;
}

void CTavrinEditorDoc::SetAnchorOnSelected() {
    for (ProfilePoint* p = m_pHead.get(); p != nullptr; p = p->Next()) {
        if (p->bSelected) p->bAnchor = true;
    }
    Commit();
}

void CTavrinEditorDoc::ToggleClosed() {
    if (m_bClosed) {
        m_bClosed = false;
    } else if (m_nPoints < 3) {
        return;
    } else {
        m_bClosed = true;
    }
    Commit();
}

int CTavrinEditorDoc::MaxX() const {
    int m = 1;
    for (const ProfilePoint* p = m_pHead.get(); p != nullptr; p = p->Next()) m = std::max(m, p->x);
    return m;
}

int CTavrinEditorDoc::MaxY() const {
    int m = 1;
    for (const ProfilePoint* p = m_pHead.get(); p != nullptr; p = p->Next()) m = std::max(m, p->y);
    return m;
}

void CTavrinEditorDoc::SetViews(EditorViewHooks* editor, DocumentView* preview) {
    m_pEditorView = editor;
    m_pPreviewView = preview;
}

void CTavrinEditorDoc::UpdateAllViews() {
    if (m_pEditorView != nullptr) m_pEditorView->OnUpdate();
    if (m_pPreviewView != nullptr) m_pPreviewView->OnUpdate();
}

void CTavrinEditorDoc::RepaintEditor() {
    if (m_pEditorView != nullptr) m_pEditorView->Repaint();
}

void CTavrinEditorDoc::RepaintPreview() {
    if (m_pPreviewView != nullptr) m_pPreviewView->Repaint();
}

void CTavrinEditorDoc::DeleteContents() {
    // The dragged-group snapshot refers to points about to be freed.
    if (m_pEditorView != nullptr) m_pEditorView->FreeSelection();
    // Freed from the tail back to the head, one point at a time.
    for (ProfilePoint* p = m_pTail; p != nullptr && p != m_pHead.get();) {
        ProfilePoint* before = p->pPrev;
        before->pNext.reset();
        p = before;
    }
    m_pHead.reset();
    m_bClosed = false;
    m_pTail = nullptr;
    m_pMenuPoint = nullptr;
    m_pCurrent = nullptr;
    m_nPoints = 0;
}

void CTavrinEditorDoc::SetPathName(const std::filesystem::path& path) {
    m_strPathName = path;
    m_strTitle = path.empty() ? std::string(text::kUntitled) : path.filename().string();
}

bool CTavrinEditorDoc::OnNewDocument() {
    DeleteContents();
    SetPathName({});
    m_bClosed = false;
    m_nPreviewList = 0;
    if (m_pGoldenRuler != nullptr && m_pGoldenRuler->IsVisible()) m_pGoldenRuler->Hide();
    Checkpoint();
    SetModifiedFlag(false);
    return true;
}

bool CTavrinEditorDoc::OnOpenDocument(const std::filesystem::path& path) {
    try {
        CDiskFile file(path);
        if (file.GetLength() == 0) {
            DeleteContents();  // an empty file opens as an empty profile, silently
        } else {
            CArchive ar(file, CArchive::Mode::load);
            if (!Serialize(ar)) return false;
        }
    } catch (const CFileException& e) {
        m_prompter.ShowMessage("Cannot open the file " + path.string() + ".\n" + e.Reason());
        return false;
    }
    SetPathName(path);
    m_nPreviewList = 0;
    Checkpoint();
    SetModifiedFlag(false);
    return true;
}

bool CTavrinEditorDoc::OnSaveDocument(const std::filesystem::path& path) {
    const bool wasModified = m_bModified;
    try {
        CSafeFileWriter file(path, {{}, m_bOverwriteReadOnly});
        CArchive ar(file, CArchive::Mode::store);
        if (!Serialize(ar)) {
            m_bModified = wasModified;
            return false;
        }
        file.Commit();
    } catch (const CFileException& e) {
        m_prompter.ShowError(text::kErrorSaving, e.Reason());
        m_bModified = wasModified;
        return false;
    }
    SetPathName(path);
    SetModifiedFlag(false);
    return true;
}

void CTavrinEditorDoc::StoreTo(CArchive& ar) const {
    ar.WriteString(kMagicCurrent);
    ar.WriteInt32(m_bClosed ? 1 : 0);
    ar.WriteInt32(m_nPoints);
    ar.WriteInt32(m_nEditorSteps);
    ar.WriteInt32(m_bFlipNormals ? 1 : 0);
    for (const ProfilePoint* p = m_pHead.get(); p != nullptr; p = p->Next()) {
        const std::int32_t record[4] = {p->x, p->y, p->bSelected ? 1 : 0, p->bAnchor ? 1 : 0};
        ar.WriteInt32s(record, 4);
    }
    ar.Flush();
}

void CTavrinEditorDoc::Adopt(ProfileData data) {
    DeleteContents();
    m_pHead = std::move(data.pHead);
    m_pTail = data.pTail;
    m_nPoints = data.nPoints;
    m_bClosed = data.bClosed;
    if (data.editorSteps) m_nEditorSteps = *data.editorSteps;
    if (data.flipNormals) m_bFlipNormals = *data.flipNormals;
}

bool CTavrinEditorDoc::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        try {
            StoreTo(ar);
        } catch (const CFileException& e) {
            m_prompter.ShowError(text::kErrorSaving, e.Reason());
            return false;
        }
        SetModifiedFlag(false);
        return true;
    }
    try {
        Adopt(ReadProfile(ar));
        return true;
    } catch (const NotAProfileFile&) {
        m_prompter.ShowMessage(text::kNotOurFile);
    } catch (const CArchiveException&) {
        m_prompter.ShowMessage(text::kErrorReading);
    } catch (const CFileException&) {
        m_prompter.ShowMessage(text::kErrorReading);
    }
    return false;
}

void CTavrinEditorDoc::OnEditUndo() {
    Undo();
    UpdateAllViews();
}

void CTavrinEditorDoc::OnEditRedo() {
    Redo();
    UpdateAllViews();
}

long long CTavrinEditorDoc::PolygonCount() const {
    const long long product = static_cast<long long>(m_nSections - 1) * m_nPreviewSteps *
                              (static_cast<long long>(m_nPoints) - 3);
    return product > 0 ? product : 0;
}

std::optional<MeshExtents> CTavrinEditorDoc::BuildPreviewList(MeshSink& sink,
                                                              bool* pbClosedSurface) {
    if (pbClosedSurface != nullptr) *pbClosedSurface = m_bClosed;
    if (!HasCurveSegments(m_nPoints, m_bClosed)) {
        sink.BeginList();
        sink.EndList();
        return std::nullopt;
    }
    std::optional<MeshExtents> extents = BuildPreviewMesh(sink);
    if (pbClosedSurface != nullptr) {
        *pbClosedSurface =
            EnclosesSolid({m_pHead.get(), m_pTail, m_nPoints, m_bClosed, m_nPreviewSteps});
    }
    return extents;
}

std::optional<MeshExtents> CTavrinEditorDoc::BuildPreviewList(MeshSink& sink,
                                                              RulerLineSink& rulerSink,
                                                              bool* pbClosedSurface) {
    std::optional<MeshExtents> extents = BuildPreviewList(sink, pbClosedSurface);
    if (extents && m_pGoldenRuler != nullptr) {
        m_pGoldenRuler->SetExtents(*extents);
        m_pGoldenRuler->BuildList(rulerSink);
    }
    return extents;
}

std::optional<MeshExtents> CTavrinEditorDoc::BuildPreviewMesh(MeshSink& sink) {
    const PreviewMeshRequest request{
        {m_pHead.get(), m_pTail, m_nPoints, m_bClosed, m_nPreviewSteps},
        m_nSections,
        m_bFlipNormals};
    const PreviewMeshResult result = BuildRevolvedMesh(request, sink);
    switch (result.status) {
        case PreviewMeshResult::Status::Built:
            return result.extents;
        case PreviewMeshResult::Status::OutOfMemory:
            m_prompter.ShowMessage(text::kInsufficientMemoryPreview);
            break;
        case PreviewMeshResult::Status::Empty:
            break;
    }
    return std::nullopt;
}

}  // namespace orvanel
