// The settings sheet: the pages "Editor", "3D Object" and "3D Environment"
// over copies of the views' and the document's settings, with OK and Cancel.
#pragma once

#include <wx/bookctrl.h>
#include <wx/panel.h>
#include <wx/propdlg.h>

#include <array>
#include <functional>
#include <optional>
#include <span>

#include "app/validation.h"
#include "document/commands.h"
#include "document/prompter.h"

class wxCheckBox;
class wxRadioButton;

namespace orvanel {

// Asks the user for a colour, starting from the given one; none on Cancel.
using ColourChooser = std::function<std::optional<Colour>(wxWindow* parent, Colour initial)>;

// The platform's colour dialog, opened in full and preset to the colour.
std::optional<Colour> ChooseColourWithDialog(wxWindow* parent, Colour initial);

// One page of the sheet. It loads its fields from its values once, and reads
// them back (checked) when it is left or the sheet closes with OK.
class CSettingPage : public wxPanel {
public:
    CSettingPage(wxWindow* book, const ColourChooser& chooser);
    // Reads and checks the fields; on a refusal returns it and changes nothing.
    virtual std::optional<FieldError> ReadFields() = 0;

protected:
    // Dialog units to pixels, in this page's font.
    wxPoint At(int x, int y) { return ConvertDialogToPixels(wxPoint(x, y)); }
    wxSize Size(int w, int h) { return ConvertDialogToPixels(wxSize(w, h)); }
    void AddLabel(const char* text, int x, int y, int w = -1, int h = -1, long style = 0);
    // A colour swatch that edits *colour when clicked.
    void AddSwatch(int id, Colour* colour, int x, int y, int w, int h);
    // An edit field with its spin button at its right edge.
    void AddField(const FieldRule& rule, const std::string& text, int x, int y);
    FieldTexts FieldTextsOf(std::initializer_list<FieldRule> rules) const;

private:
    const ColourChooser& m_chooser;
};

class CEditorSettingPage final : public CSettingPage {
public:
    CEditorSettingPage(wxWindow* book, const ColourChooser& chooser,
                       const EditorSettingPageValues& values);
    std::optional<FieldError> ReadFields() override;
    EditorSettingPageValues m_values;
};

class CObjectPage final : public CSettingPage {
public:
    CObjectPage(wxWindow* book, const ColourChooser& chooser, const ObjectPageValues& values);
    std::optional<FieldError> ReadFields() override;
    ObjectPageValues m_values;

private:
    wxCheckBox* m_pSmooth = nullptr;
};

class CPreviewPage final : public CSettingPage {
public:
    CPreviewPage(wxWindow* book, const ColourChooser& chooser, const PreviewPageValues& values);
    std::optional<FieldError> ReadFields() override;
    PreviewPageValues m_values;

private:
    // The eight cells of a light's grid in index order, and a hidden ninth
    // button that holds the group's state when no cell is chosen (a GTK radio
    // group always has one button on).
    using LightGroup = std::array<wxRadioButton*, 9>;
    LightGroup AddLightGroup(const std::array<int, 8>& ids, const std::array<wxPoint, 8>& cells,
                             int selected);
    static int SelectedIndex(const LightGroup& group, std::span<const int, 8> ids);
    LightGroup m_front{};
    LightGroup m_back{};
};

class CSettingSheet final : public wxPropertySheetDialog {
public:
    CSettingSheet(wxWindow* parent, Prompter& prompter, const SettingSheetValues& values,
                  ColourChooser chooser = ChooseColourWithDialog);

    // The values as the pages hold them: those of a page read when it was
    // last left, the colours as picked.
    SettingSheetValues Values() const;
    CEditorSettingPage& EditorPage() { return *m_pEditor; }
    CObjectPage& ObjectPage() { return *m_pObject; }
    CPreviewPage& PreviewPage() { return *m_pPreview; }

    // What OK does: the shown page must pass its checks, then the sheet ends.
    bool Accept();

private:
    // Reads the page's fields; a refusal is told, and the page stays.
    bool LeavePage(int index);
    // A refused field: the message, then the focus on the field.
    void Refuse(CSettingPage& page, const FieldError& error);
    void OnPageChanging(wxBookCtrlEvent& event);
    void OnOk(wxCommandEvent& event);

    Prompter& m_prompter;
    ColourChooser m_chooser;
    CEditorSettingPage* m_pEditor = nullptr;
    CObjectPage* m_pObject = nullptr;
    CPreviewPage* m_pPreview = nullptr;
};

// The Settings flow's sheet as wx dialogs show it.
class WxSettingSheetRunner final : public SettingSheetRunner {
public:
    WxSettingSheetRunner(wxWindow* parent, Prompter& prompter)
        : m_pParent(parent), m_prompter(prompter) {}
    bool RunModal(std::string_view title, SettingSheetValues& values) override;

private:
    wxWindow* m_pParent;
    Prompter& m_prompter;
};

}  // namespace orvanel
