// Enable and check states of menus and toolbars, and the toggles of the bars.
#include <wx/aui/aui.h>
#include <wx/checkbox.h>
#include <wx/filedlg.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include "app/settings_sheet.h"
#include "editor/editor_view.h"
#include "editor/photo_dialog.h"
#include "resources/ids.h"
#include "resources/wx_commands.h"
#include "tests/gui/gui_support.h"
#include "tests/gui/modal_driver.h"

namespace orvanel::gui {
namespace {

// How many pixels of the window are black.
int InkIn(const wxImage& shot, wxWindow& window) {
    const wxRect rc = window.GetScreenRect();
    int ink = 0;
    for (int y = rc.y; y < rc.GetBottom(); ++y) {
        for (int x = rc.x; x < rc.GetRight(); ++x) ink += PixelAt(shot, {x, y}) == *wxBLACK;
    }
    return ink;
}

class CommandsTest : public GuiTest {
protected:
    void Send(int id) {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(frame);
        frame->ProcessWindowEvent(event);
        Pump();
    }
};

TEST_F(CommandsTest, PrintNeedsAPoint) {
    Start();
    for (const int command : {WxIdOf(Command::Print), WxIdOf(Command::PrintPreview)}) {
        UpdateUi();
        EXPECT_FALSE(MenuEnabled(command));
        EXPECT_FALSE(frame->EditBar()->GetToolEnabled(command));
    }
    App().Document()->AppendPoint(100, 900);
    for (const int command : {WxIdOf(Command::Print), WxIdOf(Command::PrintPreview)}) {
        UpdateUi();
        EXPECT_TRUE(MenuEnabled(command));
        EXPECT_TRUE(frame->EditBar()->GetToolEnabled(command));
    }
}

TEST_F(CommandsTest, UndoFollowsTheHistory) {
    Start();
    UpdateUi();
    EXPECT_FALSE(MenuEnabled(wxID_UNDO));
    EXPECT_FALSE(frame->EditBar()->GetToolEnabled(wxID_UNDO));
    App().Document()->AppendPoint(100, 900);
    UpdateUi();
    EXPECT_TRUE(MenuEnabled(wxID_UNDO));
    EXPECT_FALSE(MenuEnabled(wxID_REDO));
    Send(wxID_UNDO);
    EXPECT_EQ(App().Document()->GetPointCount(), 0);
    UpdateUi();
    EXPECT_TRUE(MenuEnabled(wxID_REDO));
    EXPECT_FALSE(MenuEnabled(wxID_COPY));
}

TEST_F(CommandsTest, ToolbarTogglesEachTouchOnlyTheirOwnBar) {
    Start();
    wxAuiManager& docking = frame->Docking();
    UpdateUi();
    EXPECT_TRUE(MenuChecked(WxIdOf(Command::ViewPreviewToolbar)));
    EXPECT_TRUE(MenuChecked(WxIdOf(Command::ViewEditToolbar)));

    Send(WxIdOf(Command::ViewPreviewToolbar));
    UpdateUi();
    EXPECT_FALSE(docking.GetPane(frame->PreviewBar()).IsShown());
    EXPECT_TRUE(docking.GetPane(frame->EditBar()).IsShown());
    EXPECT_FALSE(MenuChecked(WxIdOf(Command::ViewPreviewToolbar)));
    EXPECT_TRUE(MenuChecked(WxIdOf(Command::ViewEditToolbar)));

    Send(WxIdOf(Command::ViewEditToolbar));
    UpdateUi();
    EXPECT_FALSE(docking.GetPane(frame->EditBar()).IsShown());
    EXPECT_FALSE(docking.GetPane(frame->PreviewBar()).IsShown());
    EXPECT_FALSE(MenuChecked(WxIdOf(Command::ViewEditToolbar)));

    Send(WxIdOf(Command::ViewPreviewToolbar));
    UpdateUi();
    EXPECT_TRUE(docking.GetPane(frame->PreviewBar()).IsShown());
    EXPECT_FALSE(docking.GetPane(frame->EditBar()).IsShown());
}

TEST_F(CommandsTest, BothToolbarsShareTheTopRow) {
    Start();
    const wxAuiPaneInfo& edit = frame->Docking().GetPane(frame->EditBar());
    const wxAuiPaneInfo& preview = frame->Docking().GetPane(frame->PreviewBar());
    EXPECT_EQ(edit.dock_direction, wxAUI_DOCK_TOP);
    EXPECT_EQ(preview.dock_direction, wxAUI_DOCK_TOP);
    EXPECT_EQ(edit.dock_row, preview.dock_row);
    EXPECT_EQ(frame->EditBar()->GetScreenPosition().y, frame->PreviewBar()->GetScreenPosition().y);
    EXPECT_LT(frame->EditBar()->GetScreenPosition().x, frame->PreviewBar()->GetScreenPosition().x);
    EXPECT_EQ(frame->EditBar()->GetToolShortHelp(WxIdOf(Command::ToolDragPhoto)), "Drag");
    EXPECT_EQ(frame->EditBar()->GetToolShortHelp(WxIdOf(Command::Transfer)),
              "Transfer to KST program");
    EXPECT_EQ(frame->PreviewBar()->GetToolShortHelp(WxIdOf(Command::GoldenRatio)),
              "Show/Hide golden ratio (Phi)");
}

TEST_F(CommandsTest, EveryButtonHasItsPicture) {
    Start();
    for (wxAuiToolBar* bar : {frame->EditBar(), frame->PreviewBar()}) {
        for (std::size_t i = 0; i < bar->GetToolCount(); ++i) {
            const wxAuiToolBarItem* item = bar->FindToolByIndex(static_cast<int>(i));
            if (item->GetKind() == wxITEM_SEPARATOR) continue;
            const wxBitmapBundle& bundle = item->GetBitmapBundle();
            ASSERT_TRUE(bundle.IsOk()) << item->GetId();
            EXPECT_EQ(bundle.GetDefaultSize(), wxSize(16, 15)) << item->GetId();
            // Twice the size for a screen of twice the density, drawn anew.
            const wxImage picture = bundle.GetBitmap(wxSize(32, 30)).ConvertToImage();
            ASSERT_EQ(picture.GetSize(), wxSize(32, 30));
            int drawn = 0;
            for (int y = 0; y < 30; ++y) {
                for (int x = 0; x < 32; ++x)
                    drawn += !picture.HasAlpha() || picture.GetAlpha(x, y) > 0;
            }
            EXPECT_GT(drawn, 80) << item->GetId();
            EXPECT_LT(drawn, 32 * 30) << item->GetId();
        }
    }
}

TEST_F(CommandsTest, ButtonsShowTheirPromptInTheStatusBar) {
    Start(Example("bowl.lum"));
    wxAuiToolBar* bar = frame->EditBar();
    const wxRect print = bar->GetToolRect(WxIdOf(Command::Print));
    wxMouseEvent over(wxEVT_MOTION);
    over.SetPosition(print.GetPosition() + wxPoint(4, 4));
    bar->ProcessWindowEvent(over);
    EXPECT_EQ(frame->GetStatusBar()->GetStatusText(0), "Print the active document.");
    wxMouseEvent leave(wxEVT_LEAVE_WINDOW);
    bar->ProcessWindowEvent(leave);
    EXPECT_EQ(frame->GetStatusBar()->GetStatusText(0),
              "Left edge of window is the center of the Lathe.");
}

TEST_F(CommandsTest, CommandsStillToComeAreShownDisabled) {
    Start(Example("bowl.lum"));
    UpdateUi();
    for (const Command command : {Command::Transfer, Command::GoldenRatio, Command::About}) {
        EXPECT_FALSE(MenuEnabled(WxIdOf(command))) << CommandNumber(command);
    }
    EXPECT_TRUE(frame->EditBar()->GetToolEnabled(WxIdOf(Command::ToolPencil)));
    EXPECT_TRUE(frame->EditBar()->GetToolToggled(WxIdOf(Command::ToolPencil)));
}

TEST_F(CommandsTest, PreviewCommandsFlipSmoothAndShowTheGridPlane) {
    Start(Example("bowl.lum"));
    CGLView& preview = *frame->PreviewView();
    UpdateUi();
    EXPECT_TRUE(frame->PreviewBar()->GetToolToggled(WxIdOf(Command::ToggleSmoothing)));
    EXPECT_FALSE(frame->PreviewBar()->GetToolToggled(WxIdOf(Command::ViewGridPlane)));
    Send(WxIdOf(Command::ToggleSmoothing));
    Send(WxIdOf(Command::ViewGridPlane));
    UpdateUi();
    EXPECT_FALSE(preview.m_bSmooth);
    EXPECT_TRUE(preview.m_bShowGridPlane);
    EXPECT_FALSE(frame->PreviewBar()->GetToolToggled(WxIdOf(Command::ToggleSmoothing)));
    EXPECT_TRUE(frame->PreviewBar()->GetToolToggled(WxIdOf(Command::ViewGridPlane)));
    Send(WxIdOf(Command::FlipNormals));
    EXPECT_TRUE(App().Document()->m_bFlipNormals);
    EXPECT_FALSE(App().Document()->IsModified());
    EXPECT_FALSE(App().Document()->CanUndo());
}

TEST_F(CommandsTest, TheToolsMenuTurnsTheGridOnAndOff) {
    Start(Example("bowl.lum"));
    UpdateUi();
    EXPECT_TRUE(MenuEnabled(WxIdOf(Command::ToggleGrid)));
    EXPECT_FALSE(MenuChecked(WxIdOf(Command::ToggleGrid)));
    Send(WxIdOf(Command::ToggleGrid));
    UpdateUi();
    EXPECT_TRUE(frame->EditorView()->IsGridOn());
    EXPECT_TRUE(MenuChecked(WxIdOf(Command::ToggleGrid)));
}

TEST_F(CommandsTest, KeysReachTheirCommands) {
    Start(Example("bowl.lum"));
    EditTools& tools = frame->EditorView()->Tools();
    tools.SetTool(id::kToolIdMove);
    wxUIActionSimulator sim;
    // Keys go to the window under the pointer: there is no window manager.
    sim.MouseMove(frame->EditorView()->GetScreenRect().GetPosition() + wxPoint(30, 30));
    sim.MouseClick();
    ASSERT_TRUE(WaitFor([this] { return frame->ActiveView() == frame->EditorView(); }));
    sim.Char('p', wxMOD_CONTROL);
    EXPECT_TRUE(WaitFor([&tools] { return tools.GetTool() == id::kToolIdPencil; }));
    sim.Char(WXK_F6);
    EXPECT_TRUE(WaitFor([this] { return frame->ActiveView() == frame->PreviewView(); }));
    sim.Char(WXK_F6, wxMOD_SHIFT);
    EXPECT_TRUE(WaitFor([this] { return frame->ActiveView() == frame->EditorView(); }));
    UpdateUi();
    EXPECT_TRUE(MenuEnabled(WxIdOf(Command::ForceRedraw)));
    frame->ActivateView(frame->PreviewView());
    UpdateUi();
    EXPECT_FALSE(MenuEnabled(WxIdOf(Command::ForceRedraw)));
}

TEST_F(CommandsTest, SettingsChangeTheEditorAtOnceAndCancelChangesNothing) {
    Start(Example("bowl.lum"));
    CTavrinEditorView& editor = *frame->EditorView();
    CGLView& preview = *frame->PreviewView();
    // Settings of the preview that differ from one another, to tell them apart.
    preview.m_look = {0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x0D0E0F, 1, 6};
    const PreviewLook colours = preview.m_look;
    const EditorLook before = editor.Look();
    {
        ModalDriver<CSettingSheet> cancel([&](CSettingSheet& sheet) {
            // The sheet opens on the views' settings.
            const SettingSheetValues v = sheet.Values();
            EXPECT_EQ(v.editor.m_clrPen, before.pen);
            EXPECT_EQ(v.editor.m_nGridSize, before.gridSize);
            EXPECT_EQ(v.object.m_clrObject, colours.object);
            EXPECT_EQ(v.preview.m_clrBackground, colours.background);
            EXPECT_EQ(v.preview.m_clrGridPlane, colours.gridPlane);
            EXPECT_EQ(v.preview.m_clrFrontLight, colours.frontLight);
            EXPECT_EQ(v.preview.m_clrBackLight, colours.backLight);
            EXPECT_EQ(v.preview.m_nFrontLightPos, 1);
            EXPECT_EQ(v.preview.m_nBackLightPos, 6);
            dynamic_cast<wxTextCtrl*>(sheet.FindWindow(1066))->ChangeValue("7");
            sheet.EndModal(wxID_CANCEL);
            return true;
        });
        Send(WxIdOf(Command::Settings));
        EXPECT_TRUE(cancel.Done());
    }
    EXPECT_EQ(editor.Look(), before);
    const int frames = frame->PreviewView()->FramesShown();
    const wxImage shotBefore = Screenshot();
    {
        ModalDriver<CSettingSheet> ok([](CSettingSheet& sheet) {
            EXPECT_EQ(sheet.GetTitle(), "Settings...");
            dynamic_cast<wxTextCtrl*>(sheet.FindWindow(1066))->ChangeValue("7");
            dynamic_cast<wxTextCtrl*>(sheet.FindWindow(1062))->ChangeValue("3");
            return sheet.Accept();
        });
        Send(WxIdOf(Command::Settings));
        EXPECT_TRUE(ok.Done());
    }
    EXPECT_EQ(editor.Look().penSize, 7);
    EXPECT_EQ(preview.m_look, colours);  // went back as they came
    EXPECT_EQ(App().Document()->m_nEditorSteps, 3);
    EXPECT_FALSE(App().Document()->IsModified());
    WaitSettled();
    EXPECT_GT(frame->PreviewView()->FramesShown(), frames);
    // The curve on the screen is drawn with the wider pen.
    const wxImage after = Screenshot();
    EXPECT_GT(InkIn(after, editor), InkIn(shotBefore, editor) * 3 / 2);
}

TEST_F(CommandsTest, ThePhotoCommandsFollowThePhoto) {
    Start();
    const int photoCommands[] = {WxIdOf(Command::ToolDragPhoto), WxIdOf(Command::PhotoProperties),
                                 WxIdOf(Command::PhotoRemove), WxIdOf(Command::PhotoHide)};
    UpdateUi();
    for (const int command : photoCommands) EXPECT_FALSE(MenuEnabled(command)) << command;
    EXPECT_TRUE(MenuEnabled(WxIdOf(Command::PhotoAdd)));

    // Add: the file, then the drag tool and the properties dialog follow.
    const wxString file = wxString::FromUTF8(Fixture("photo_800x600.png").string());
    ModalDriver<wxFileDialog> choose([&file](wxFileDialog& dialog) {
        if (dialog.GetPath() != file) {
            dialog.SetPath(file);
            return false;
        }
        dialog.EndModal(wxID_OK);
        return true;
    });
    ModalDriver<CDlgPhotoProperties> properties([](CDlgPhotoProperties& dialog) {
        EXPECT_EQ(dynamic_cast<wxTextCtrl*>(dialog.FindWindow(1082))->GetValue(), "100");
        return dialog.Accept();
    });
    Send(WxIdOf(Command::PhotoAdd));
    EXPECT_TRUE(choose.Done());
    EXPECT_EQ(App().prompter.Texts(), std::vector<std::string>{});
    EXPECT_TRUE(WaitFor([&properties] { return properties.Done(); }));
    CTavrinEditorDoc& doc = *App().Document();
    ASSERT_TRUE(doc.IsPhotoLoaded());
    EXPECT_EQ(doc.m_rcPhoto, (IntRect{0, 400, 800, 1000}));
    EXPECT_EQ(frame->EditorView()->Tools().GetTool(), id::kToolIdDragPhoto);
    UpdateUi();
    for (const int command : photoCommands) EXPECT_TRUE(MenuEnabled(command)) << command;
    EXPECT_TRUE(MenuChecked(WxIdOf(Command::ToolDragPhoto)));
    EXPECT_FALSE(MenuChecked(WxIdOf(Command::PhotoHide)));

    Send(WxIdOf(Command::PhotoHide));
    UpdateUi();
    EXPECT_TRUE(doc.m_bPhotoHidden);
    EXPECT_TRUE(MenuChecked(WxIdOf(Command::PhotoHide)));

    // Remove: the photo goes and the editor is back to the pencil.
    Send(WxIdOf(Command::PhotoRemove));
    EXPECT_FALSE(doc.IsPhotoLoaded());
    EXPECT_TRUE(
        WaitFor([this] { return frame->EditorView()->Tools().GetTool() == id::kToolIdPencil; }));
    UpdateUi();
    for (const int command : photoCommands) EXPECT_FALSE(MenuEnabled(command)) << command;
    EXPECT_FALSE(doc.IsModified());
}

}  // namespace
}  // namespace orvanel::gui
