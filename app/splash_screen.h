// The picture shown at start-up for five seconds, centred on the screen in
// front of every window while the main window is made behind it. A key or a
// mouse button pressed on it closes it at once, and the press goes no
// further.
#pragma once

#include <wx/bitmap.h>
#include <wx/frame.h>
#include <wx/timer.h>

namespace orvanel {

class CSplashScreen final : public wxFrame {
public:
    static constexpr unsigned kShowTime = 5000;  // milliseconds

    // Shows the splash for showTime milliseconds; it destroys itself then.
    // Null when the picture cannot be made: the program goes on without.
    static CSplashScreen* Create(unsigned showTime = kShowTime);
    // The picture with the name and version written on it.
    static wxBitmap MakePicture();

    // The picture with its text, as it shows.
    const wxBitmap& Picture() const { return m_bitmap; }

private:
    CSplashScreen(const wxBitmap& picture, unsigned showTime);
    void CloseSplash();

    wxBitmap m_bitmap;
    wxTimer m_timer;
};

}  // namespace orvanel
