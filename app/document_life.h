// The one document's life across New, Open, dropped files and closing: the
// question before unsaved changes are discarded, Save and Save As, and the
// window title.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "document/document.h"

namespace orvanel {

enum class SaveAnswer { Yes, No, Cancel };

// The questions a save may need; the application asks them with dialogs.
class SavePrompts {
public:
    virtual ~SavePrompts() = default;
    // "Save changes to <title>?" with Yes, No and Cancel.
    virtual SaveAnswer AskSaveChanges(std::string_view title) = 0;
    // The file to save to, or none when the user cancels.
    virtual std::optional<std::filesystem::path> AskSavePath(std::string_view title) = 0;
};

std::string SaveChangesQuestion(std::string_view title);

// "<title> - Orvanel".
std::string WindowTitle(const CTavrinEditorDoc& doc);

// Saves to the document's own file, or asks for one when it has none.
// Returns whether the document was saved.
bool SaveDocument(CTavrinEditorDoc& doc, SavePrompts& prompts);
bool SaveDocumentAs(CTavrinEditorDoc& doc, SavePrompts& prompts);

// Asks before unsaved changes are lost. Returns whether the caller may go on
// and discard the document: unmodified, answered No, or saved.
bool SaveModified(CTavrinEditorDoc& doc, SavePrompts& prompts);

}  // namespace orvanel
