// The GTK dialogs that wx runs by itself (Print, Page Setup): they are no wx
// windows, so a test finds them among GTK's own windows and answers them as
// a user would, from inside their loops, like ModalDriver does for wx's.
#pragma once

#include <gtk/gtk.h>
#include <gtk/gtkunixprint.h>
#include <wx/timer.h>

#include <chrono>
#include <functional>
#include <string>

namespace orvanel::gui {

class GtkDialogDriver final {
public:
    // step is handed the shown dialog of the type (GTK_TYPE_PRINT_UNIX_DIALOG,
    // GTK_TYPE_PAGE_SETUP_UNIX_DIALOG) again and again until it returns true,
    // having answered it with gtk_dialog_response. A dialog still open when
    // the time is up is cancelled and the test fails.
    GtkDialogDriver(GType type, std::function<bool(GtkDialog*)> step, int timeoutMs = 30000);
    ~GtkDialogDriver();
    GtkDialogDriver(const GtkDialogDriver&) = delete;
    GtkDialogDriver& operator=(const GtkDialogDriver&) = delete;

    bool Done() const { return m_bDone; }

private:
    void Tick();

    GType m_type;
    std::function<bool(GtkDialog*)> m_step;
    std::chrono::steady_clock::time_point m_deadline;
    wxTimer m_timer;
    bool m_bDone = false;
    bool m_bBusy = false;
};

// Answers the dialog with Cancel.
bool CancelGtkDialog(GtkDialog* dialog);

// GTK's name of a page set-up's paper, "iso_a5" and the like.
std::string PaperName(GtkPageSetup* setup);

}  // namespace orvanel::gui
