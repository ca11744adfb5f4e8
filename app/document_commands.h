// The program's commands in the main window's route: every command of the
// table bound once to its enable and check rule (the core's CommandRule) and
// to its handler: the core's own, the dialogs and the views' commands run
// here, and the main window's, which it hands in.
#pragma once

#include <wx/event.h>

#include <functional>
#include <map>

#include "document/commands.h"
#include "document/document.h"
#include "editor/wx_picture.h"

namespace orvanel {

class CGLView;
class CTavrinEditorView;

class DocumentCommands final : public wxEvtHandler, public CommandHost {
public:
    using Handler = std::function<void()>;
    // What the main window adds to the rules' context: its bars, the active
    // view, the recent files.
    using WindowState = std::function<void(CommandContext&)>;

    DocumentCommands(CTavrinEditorDoc& doc, CTavrinEditorView& editor, CGLView& preview,
                     WindowState windowState);

    // Runs the command when its rule allows it.
    void Handle(Command command, Handler handler);
    // Whether the program runs the command; one it does not run yet is shown
    // disabled.
    bool Handles(Command command) const;

    // What the rules look at, as it is now.
    CommandContext Context() const;
    // Runs a command as its menu item does.
    void Run(Command command);

    // CommandHost
    void PostCommand(Command command) override;
    void InvalidateEditor() override;

private:
    CTavrinEditorDoc& m_doc;
    CTavrinEditorView& m_editor;
    CGLView& m_preview;
    WindowState m_windowState;
    std::map<Command, Handler> m_handlers;
    WxPictureDecoder m_decoder;
};

}  // namespace orvanel
