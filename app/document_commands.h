// The document's commands in the main window's route, after the active view
// and before the main window: each command's id bound once to the core's
// enable and check rule and to its handler, with the commands the core leaves
// to the application (the dialogs and the views' own commands) run here.
#pragma once

#include <wx/event.h>

#include <vector>

#include "document/commands.h"
#include "document/document.h"
#include "editor/wx_picture.h"

namespace orvanel {

class CGLView;
class CTavrinEditorView;

class DocumentCommands final : public wxEvtHandler, public CommandHost {
public:
    DocumentCommands(CTavrinEditorDoc& doc, CTavrinEditorView& editor, CGLView& preview);

    // Commands whose handlers are not in the program yet: shown, disabled.
    static const std::vector<int>& PendingCommands();

    // What the rules look at, as it is now.
    CommandContext Context() const;
    // Runs a command as its menu item does.
    void Run(Command command);

    // CommandHost
    void PostCommand(Command command) override;
    void InvalidateEditor() override;

private:
    void RunInApplication(Command command);

    CTavrinEditorDoc& m_doc;
    CTavrinEditorView& m_editor;
    CGLView& m_preview;
    WxPictureDecoder m_decoder;
};

}  // namespace orvanel
