// Printing either view onto a page held in memory, and through the real
// Print, Print Setup and preview dialogs onto paper GTK writes as a PDF.
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/gtk/print.h>
#include <wx/printdlg.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/utils.h>

#include <cstdio>

#include "app/small_dialogs.h"
#include "editor/editor_view.h"
#include "preview/gl_view.h"
#include "resources/ids.h"
#include "resources/wx_commands.h"
#include "tests/gui/gtk_dialogs.h"
#include "tests/gui/gui_support.h"
#include "tests/gui/modal_driver.h"
#include "tests/support/test_doubles.h"

namespace orvanel::gui {
namespace {

class PrintingTest : public GuiTest {};

// A page of the given size, white, as a printer's would be.
struct Page {
    explicit Page(wxSize size) : bitmap(size, 24), dc(bitmap) {
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
    }
    wxImage Image() {
        dc.SelectObject(wxNullBitmap);
        return bitmap.ConvertToImage();
    }
    wxBitmap bitmap;
    wxMemoryDC dc;
};

TEST_F(PrintingTest, EditorFitsTheProfileOnOnePage) {
    Start();
    CTavrinEditorDoc& doc = *App().Document();
    doc.AppendPoint(500, 100);
    doc.AppendPoint(200, 250);
    Page page({4800, 6600});
    const double scale = frame->EditorView()->RenderPrintPage(page.dc, {4800, 6600});
    EXPECT_NEAR(scale, 8.55, 1e-9);
    const wxImage image = page.Image();
    // trunc(8.549999... x 500, x 100) and trunc(... x 200, x 250): the first
    // point's marker in the grid colour, the last one green, and the dotted
    // line between them; no background fill.
    EXPECT_GE(CountNear(image, {4274, 854}, 3, wxColour(0, 255, 128), 10), 20);
    EXPECT_GE(CountNear(image, {1709, 2137}, 3, wxColour(50, 220, 50), 10), 20);
    EXPECT_GE(CountNear(image, {(4274 + 1709) / 2, (854 + 2137) / 2}, 3, wxColour(0, 255, 128), 60),
              1);
    EXPECT_EQ(PixelAt(image, {4700, 6500}), *wxWHITE);
}

TEST_F(PrintingTest, PreviewPrintsCentredAtTheViewsShape) {
    // A view of exactly 800 x 400 in a window of its own, on a document of its own.
    MemorySettingsStore settings;
    RecordingPrompter prompter;
    CTavrinEditorDoc doc(settings, prompter);
    ASSERT_TRUE(doc.OnOpenDocument(Example("vase.lum")));
    auto* window = new wxFrame(nullptr, wxID_ANY, "print test");
    auto* view = new CGLView(window, doc, settings, prompter, [&doc](MeshSink& sink, bool& closed) {
        bool c = false;
        doc.BuildPreviewList(sink, &c);
        closed = c;
    });
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(view, 1, wxEXPAND);
    window->SetSizer(sizer);
    window->SetClientSize(800, 400);
    window->Show();
    ASSERT_TRUE(WaitFor(
        [&] { return view->IsPictureCurrent() && view->GetClientSize() == wxSize(800, 400); }));

    Page page({4800, 6000});
    const std::optional<PixelRect> target = view->RenderPrintPage(page.dc, {4800, 6000}, false);
    ASSERT_TRUE(target.has_value());
    EXPECT_EQ(*target, (PixelRect{0, 1800, 4800, 2400}));
    const wxImage image = page.Image();
    // White above and below the picture, the object in its middle.
    EXPECT_EQ(PixelAt(image, {2400, 900}), *wxWHITE);
    EXPECT_EQ(PixelAt(image, {2400, 5100}), *wxWHITE);
    int object = 0;
    for (int y = 2700; y <= 3300; y += 10) {
        for (int x = 2100; x <= 2700; x += 10) {
            const wxColour c = PixelAt(image, {x, y});
            object += c.Red() > c.Green() && c.Green() > c.Blue() + 20;
        }
    }
    EXPECT_GT(object, 400);
    // The view writes its colours as it goes: before the settings do.
    window->Destroy();
    WaitFor([window] { return wxTopLevelWindows.Find(window) == nullptr; });
    EXPECT_TRUE(settings.Has("Settings", "PreviewOBJECTcolor"));
}

// --- the real dialogs

class PrintDialogsTest : public GuiTest {
protected:
    static void ChooseView(wxWindow& window, bool threeD) {
        for (wxWindow* child : window.GetChildren()) {
            if (auto* radio = dynamic_cast<wxRadioButton*>(child)) {
                if (threeD == (radio->GetLabel() == "&3D view")) radio->SetValue(true);
            }
            ChooseView(*child, threeD);
        }
    }
    // A print command of the frame, with the view choice answered OK.
    void RunPrintCommand(int command, bool threeD = false) {
        ModalDriver<CDlgSelectView> choose([threeD](CDlgSelectView& dialog) {
            ChooseView(dialog, threeD);
            wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
            dialog.ProcessWindowEvent(ok);
            return true;
        });
        wxCommandEvent event(wxEVT_MENU, command);
        frame->ProcessWindowEvent(event);
        EXPECT_TRUE(choose.Done());
    }
    void RunPrintSetup() {
        wxCommandEvent event(wxEVT_MENU, wxID_PRINT_SETUP);
        frame->ProcessWindowEvent(event);
    }
    // File > Print Preview, its Print button, the dialog answered by the
    // step, and the preview closed.
    void PrintFromPreview(std::function<bool(GtkDialog*)> step) {
        RunPrintCommand(WxIdOf(Command::PrintPreview));
        wxPreviewFrame* preview = nullptr;
        for (wxWindow* w : wxTopLevelWindows) {
            if (auto* p = dynamic_cast<wxPreviewFrame*>(w)) preview = p;
        }
        ASSERT_NE(preview, nullptr);
        {
            GtkDialogDriver driver(GTK_TYPE_PRINT_UNIX_DIALOG, std::move(step));
            wxCommandEvent print(wxEVT_BUTTON, wxID_PREVIEW_PRINT);
            preview->GetControlBar()->ProcessWindowEvent(print);
            EXPECT_TRUE(driver.Done());
        }
        preview->Close(true);
        Pump();
    }
};

TEST_F(PrintDialogsTest, PrintPrintSetupAndThePreviewsPrintOpenTheirDialogs) {
    Start(Example("vase.lum"));
    {
        GtkDialogDriver cancel(GTK_TYPE_PAGE_SETUP_UNIX_DIALOG, CancelGtkDialog);
        RunPrintSetup();
        EXPECT_TRUE(cancel.Done());
    }
    for (const bool threeD : {false, true}) {
        GtkDialogDriver cancel(GTK_TYPE_PRINT_UNIX_DIALOG, CancelGtkDialog);
        RunPrintCommand(WxIdOf(Command::Print), threeD);
        EXPECT_TRUE(cancel.Done()) << threeD;
    }
    PrintFromPreview(CancelGtkDialog);
    // Cancelling is no failure to report.
    EXPECT_EQ(App().prompter.Texts(), std::vector<std::string>{});
}

// What pdfinfo says of a file: its page count and the first page's size in points.
struct PdfInfo {
    int pages = 0;
    double width = 0, height = 0;
};

PdfInfo ReadPdfInfo(const std::filesystem::path& pdf) {
    wxArrayString output, errors;
    const long status = wxExecute("pdfinfo \"" + wxString::FromUTF8(pdf.string()) + "\"", output,
                                  errors, wxEXEC_SYNC | wxEXEC_NOEVENTS);
    PdfInfo info;
    if (status != 0) return info;
    for (const wxString& line : output) {
        const std::string text = line.utf8_string();
        std::sscanf(text.c_str(), "Pages: %d", &info.pages);
        std::sscanf(text.c_str(), "Page size: %lf x %lf", &info.width, &info.height);
    }
    return info;
}

TEST_F(PrintDialogsTest, ThePaperChosenInPrintSetupIsKeptAndAPagePrintsToAPdf) {
    Start(Example("vase.lum"));
    // Print Setup: A5, OK.
    GtkDialogDriver chooseA5(GTK_TYPE_PAGE_SETUP_UNIX_DIALOG, [](GtkDialog* dialog) {
        GtkPageSetup* setup = gtk_page_setup_new();
        GtkPaperSize* a5 = gtk_paper_size_new(GTK_PAPER_NAME_A5);
        gtk_page_setup_set_paper_size_and_default_margins(setup, a5);
        gtk_page_setup_unix_dialog_set_page_setup(GTK_PAGE_SETUP_UNIX_DIALOG(dialog), setup);
        gtk_paper_size_free(a5);
        g_object_unref(setup);
        gtk_dialog_response(dialog, GTK_RESPONSE_OK);
        return true;
    });
    RunPrintSetup();
    ASSERT_TRUE(chooseA5.Done());
    ASSERT_NE(App().PrintData(), nullptr);
    EXPECT_EQ(App().PrintData()->GetPaperId(), wxPAPER_A5);

    // The next dialogs open with it: the preview's Print ...
    std::string paperShown;
    PrintFromPreview([&paperShown](GtkDialog* dialog) {
        paperShown = PaperName(gtk_print_unix_dialog_get_page_setup(GTK_PRINT_UNIX_DIALOG(dialog)));
        return CancelGtkDialog(dialog);
    });
    EXPECT_EQ(paperShown, GTK_PAPER_NAME_A5);

    // ... and File > Print, here onto GTK's file printer, as a user picks it
    // with a file name.
    const std::filesystem::path pdf = App().settingsFile.parent_path() / "page.pdf";
    wxPrintData& data = *App().PrintData();
    data.SetPrinterName("Print to File");
    GtkPrintSettings* settings =
        static_cast<wxGtkPrintNativeData*>(data.GetNativeData())->GetPrintConfig();
    gchar* uri = g_filename_to_uri(pdf.c_str(), nullptr, nullptr);
    gtk_print_settings_set(settings, GTK_PRINT_SETTINGS_OUTPUT_URI, uri);
    g_free(uri);
    gtk_print_settings_set(settings, GTK_PRINT_SETTINGS_OUTPUT_FILE_FORMAT, "pdf");
    paperShown.clear();
    GtkDialogDriver print(GTK_TYPE_PRINT_UNIX_DIALOG, [&paperShown](GtkDialog* dialog) {
        auto* printDialog = GTK_PRINT_UNIX_DIALOG(dialog);
        // The printers are listed while the dialog is open.
        GtkPrinter* printer = gtk_print_unix_dialog_get_selected_printer(printDialog);
        if (printer == nullptr || std::string(gtk_printer_get_name(printer)) != "Print to File") {
            return false;
        }
        paperShown = PaperName(gtk_print_unix_dialog_get_page_setup(printDialog));
        gtk_dialog_response(dialog, GTK_RESPONSE_OK);
        return true;
    });
    RunPrintCommand(WxIdOf(Command::Print));
    ASSERT_TRUE(print.Done());
    EXPECT_EQ(paperShown, GTK_PAPER_NAME_A5);
    EXPECT_EQ(App().prompter.Texts(), std::vector<std::string>{});

    // One A5 page: 148 x 210 mm.
    PdfInfo info;
    EXPECT_TRUE(WaitFor([&] { return (info = ReadPdfInfo(pdf)).pages > 0; }, 20000));
    EXPECT_EQ(info.pages, 1);
    EXPECT_NEAR(info.width, 148 / 25.4 * 72, 0.5);
    EXPECT_NEAR(info.height, 210 / 25.4 * 72, 0.5);
    // The run's print data outlives the session: the tests after this one
    // in the same process start from a fresh one.
    data = wxPrintData();
}

}  // namespace
}  // namespace orvanel::gui
