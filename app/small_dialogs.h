// The keyboard reference and the choice of the view to print.
#pragma once

#include <wx/dialog.h>

class wxRadioButton;

namespace orvanel {

class CKeyDialog final : public wxDialog {
public:
    explicit CKeyDialog(wxWindow* parent);
};

class CDlgSelectView final : public wxDialog {
public:
    enum View { kDesignView = 0, k3DView = 1 };

    explicit CDlgSelectView(wxWindow* parent);
    // Opens with the choice made last time.
    int ShowModal() override;
    int m_nView = kDesignView;

private:
    bool TransferDataFromWindow() override;
    wxRadioButton* m_pDesign = nullptr;
    wxRadioButton* m_p3D = nullptr;
};

}  // namespace orvanel
