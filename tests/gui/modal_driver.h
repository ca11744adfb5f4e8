// Drives a modal dialog from inside its own event loop: a timer hands the
// dialog to a step, again and again, until the step says it is done (it ends
// the dialog then). The dialog is known by the events it gets, since the
// platform's own dialogs are not listed among the top-level windows. There is
// no window manager to wait for: the dialog is found the moment its loop
// runs. If the step is not done in time the dialog is cancelled, so that the
// test fails instead of hanging.
#pragma once

#include <gtest/gtest.h>
#include <wx/dialog.h>
#include <wx/eventfilter.h>
#include <wx/timer.h>

#include <chrono>
#include <functional>

namespace orvanel::gui {

template <class Dialog>
class ModalDriver final : public wxEventFilter {
public:
    // step returns true once it has ended the dialog.
    explicit ModalDriver(std::function<bool(Dialog&)> step, int timeoutMs = 10000)
        : m_step(std::move(step)),
          m_deadline(std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs)) {
        wxEvtHandler::AddFilter(this);
        m_timer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Tick(); });
        m_timer.Start(10);
    }
    ~ModalDriver() override {
        m_timer.Stop();
        wxEvtHandler::RemoveFilter(this);
    }
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    bool Done() const { return m_bDone; }

    int FilterEvent(wxEvent& event) override {
        if (auto* dialog = dynamic_cast<Dialog*>(event.GetEventObject())) {
            m_pDialog = event.GetEventType() == wxEVT_DESTROY ? nullptr : dialog;
        }
        return Event_Skip;
    }

private:
    void Tick() {
        Dialog* dialog = Find();
        if (std::chrono::steady_clock::now() > m_deadline) {
            m_timer.Stop();
            ADD_FAILURE() << "the modal dialog was not ended in time";
            if (dialog != nullptr) dialog->EndModal(wxID_CANCEL);
            return;
        }
        if (dialog == nullptr || m_bBusy) return;
        m_bBusy = true;  // a step may run a loop of its own
        if (m_step(*dialog)) {
            m_bDone = true;
            m_timer.Stop();
        }
        m_bBusy = false;
    }

    Dialog* Find() const {
        return m_pDialog != nullptr && m_pDialog->IsModal() ? m_pDialog : nullptr;
    }

    std::function<bool(Dialog&)> m_step;
    std::chrono::steady_clock::time_point m_deadline;
    wxTimer m_timer;
    Dialog* m_pDialog = nullptr;
    bool m_bDone = false;
    bool m_bBusy = false;
};

}  // namespace orvanel::gui
