#include "app/splash_screen.h"

#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/settings.h>

#include "app/about_info.h"
#include "resources/svg_art.h"

namespace orvanel {

namespace {

// The name and the version in white at the upper right of the picture, in
// the box that leaves a tenth of the height above and a tenth of the width
// to the right.
void WriteSplashText(wxBitmap& picture) {
    wxMemoryDC dc(picture);
    const wxSize size = picture.GetSize();
    const wxRect box(0, size.y / 10, size.x - size.x / 10, size.y - size.y / 10);
    dc.SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT).Bold());
    dc.SetTextForeground(*wxWHITE);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.DrawLabel(wxString::FromUTF8(SplashText()), box, wxALIGN_RIGHT | wxALIGN_TOP);
    dc.SelectObject(wxNullBitmap);
}

}  // namespace

wxBitmap CSplashScreen::MakePicture() {
    wxBitmap picture = MakeSplashBitmap();
    if (picture.IsOk()) WriteSplashText(picture);
    return picture;
}

CSplashScreen* CSplashScreen::Create(unsigned showTime) {
    const wxBitmap picture = MakePicture();
    return picture.IsOk() ? new CSplashScreen(picture, showTime) : nullptr;
}

CSplashScreen::CSplashScreen(const wxBitmap& picture, unsigned showTime)
    : wxFrame(nullptr, wxID_ANY, wxString(), wxDefaultPosition, picture.GetSize(),
              wxFRAME_NO_TASKBAR | wxSTAY_ON_TOP | wxFRAME_TOOL_WINDOW | wxBORDER_NONE |
                  wxRESIZE_BORDER),
      m_bitmap(picture),
      m_timer(this) {
    auto* canvas = new wxWindow(this, wxID_ANY, wxPoint(0, 0), picture.GetSize());
    canvas->SetBackgroundStyle(wxBG_STYLE_PAINT);
    canvas->Bind(wxEVT_PAINT, [this, canvas](wxPaintEvent&) {
        wxPaintDC dc(canvas);
        dc.DrawBitmap(m_bitmap, 0, 0);
    });
    // Handled here and not skipped: the press goes no further.
    for (const auto type : {wxEVT_LEFT_DOWN, wxEVT_RIGHT_DOWN, wxEVT_MIDDLE_DOWN, wxEVT_LEFT_DCLICK,
                            wxEVT_RIGHT_DCLICK, wxEVT_MIDDLE_DCLICK}) {
        canvas->Bind(type, [this](wxMouseEvent&) { CloseSplash(); });
    }
    // Sizable for the toolkit, but held at the picture's size: a window of
    // fixed size without a frame shrinks to nothing where no window manager
    // sizes it.
    SetSizeHints(picture.GetSize(), picture.GetSize());
    SetClientSize(picture.GetSize());
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) { CloseSplash(); });
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent&) { CloseSplash(); });
    CentreOnScreen();
    Show();
    Update();
    m_timer.StartOnce(static_cast<int>(showTime));
}

void CSplashScreen::CloseSplash() {
    m_timer.Stop();
    if (!IsBeingDeleted()) Destroy();
}

}  // namespace orvanel
