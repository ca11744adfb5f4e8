#include "tests/gui/gtk_dialogs.h"

#include <gtest/gtest.h>

namespace orvanel::gui {

namespace {

GtkDialog* FindShown(GType type) {
    GList* windows = gtk_window_list_toplevels();
    GtkDialog* found = nullptr;
    for (GList* w = windows; w != nullptr; w = w->next) {
        if (G_TYPE_CHECK_INSTANCE_TYPE(w->data, type) &&
            gtk_widget_get_visible(GTK_WIDGET(w->data))) {
            found = GTK_DIALOG(w->data);
        }
    }
    g_list_free(windows);
    return found;
}

}  // namespace

GtkDialogDriver::GtkDialogDriver(GType type, std::function<bool(GtkDialog*)> step, int timeoutMs)
    : m_type(type),
      m_step(std::move(step)),
      m_deadline(std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs)) {
    // GTK's timers run inside the dialogs' own loops, and wx's with them.
    m_timer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Tick(); });
    m_timer.Start(10);
}

GtkDialogDriver::~GtkDialogDriver() { m_timer.Stop(); }

void GtkDialogDriver::Tick() {
    GtkDialog* dialog = FindShown(m_type);
    if (std::chrono::steady_clock::now() > m_deadline) {
        m_timer.Stop();
        ADD_FAILURE() << "the " << g_type_name(m_type) << " was not answered in time";
        if (dialog != nullptr) CancelGtkDialog(dialog);
        return;
    }
    if (dialog == nullptr || m_bBusy) return;
    m_bBusy = true;
    if (m_step(dialog)) {
        m_bDone = true;
        m_timer.Stop();
    }
    m_bBusy = false;
}

bool CancelGtkDialog(GtkDialog* dialog) {
    gtk_dialog_response(dialog, GTK_RESPONSE_CANCEL);
    return true;
}

std::string PaperName(GtkPageSetup* setup) {
    GtkPaperSize* paper = setup != nullptr ? gtk_page_setup_get_paper_size(setup) : nullptr;
    return paper != nullptr ? gtk_paper_size_get_name(paper) : "";
}

}  // namespace orvanel::gui
