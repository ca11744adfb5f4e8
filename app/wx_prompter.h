// Message boxes and questions with the program's caption and icons.
#pragma once

#include "app/document_life.h"
#include "document/prompter.h"

class wxWindow;

namespace orvanel {

class WxPrompter final : public Prompter, public SavePrompts {
public:
    void ShowMessage(std::string_view text, MessageIcon icon, std::string_view caption) override;
    void ShowError(std::string_view text, std::string_view reason) override;
    bool AskYesNo(std::string_view text) override;
    SaveAnswer AskSaveChanges(std::string_view title) override;
    std::optional<std::filesystem::path> AskSavePath(std::string_view title) override;
    // The window the boxes belong to; none before the main window exists.
    void SetParent(wxWindow* parent) { m_pParent = parent; }

private:
    wxWindow* m_pParent = nullptr;
};

// The file dialogs' filter for profiles.
extern const char* const kProfileFileFilter;

}  // namespace orvanel
