#include "app/document_life.h"

#include "resources/strings.h"

namespace orvanel {

std::string SaveChangesQuestion(std::string_view title) {
    return "Save changes to " + std::string(title) + "?";
}

std::string WindowTitle(const CTavrinEditorDoc& doc) {
    return doc.GetTitle() + " - " + std::string(text::kAppName);
}

bool SaveDocumentAs(CTavrinEditorDoc& doc, SavePrompts& prompts) {
    const std::optional<std::filesystem::path> path = prompts.AskSavePath(doc.GetTitle());
    return path && !path->empty() && doc.OnSaveDocument(*path);
}

bool SaveDocument(CTavrinEditorDoc& doc, SavePrompts& prompts) {
    if (doc.GetPathName().empty()) return SaveDocumentAs(doc, prompts);
    return doc.OnSaveDocument(doc.GetPathName());
}

bool SaveModified(CTavrinEditorDoc& doc, SavePrompts& prompts) {
    if (!doc.IsModified()) return true;
    switch (prompts.AskSaveChanges(doc.GetTitle())) {
        case SaveAnswer::Yes:
            // A save that fails or is cancelled keeps the document.
            return SaveDocument(doc, prompts);
        case SaveAnswer::No:
            return true;
        case SaveAnswer::Cancel:
            break;
    }
    return false;
}

}  // namespace orvanel
