// The background photo through wxImage: which files decode and which are
// refused with what message, the stretched drawing and its kept copy, the
// properties dialog and the file dialog.
#include <wx/checkbox.h>
#include <wx/dcmemory.h>
#include <wx/filedlg.h>
#include <wx/textctrl.h>
#include <wx/tokenzr.h>
#include <wx/utils.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <set>

#include "document/settings_store.h"
#include "editor/editor_view.h"
#include "editor/photo_commands.h"
#include "editor/photo_dialog.h"
#include "editor/wx_picture.h"
#include "tests/gui/gui_support.h"
#include "tests/gui/modal_driver.h"
#include "tests/support/test_doubles.h"

namespace orvanel::gui {
namespace {

bool Near(const wxColour& c, const wxColour& want, int tolerance = 40) {
    return c.IsOk() && std::abs(c.Red() - want.Red()) <= tolerance &&
           std::abs(c.Green() - want.Green()) <= tolerance &&
           std::abs(c.Blue() - want.Blue()) <= tolerance;
}

// A folder of this test's own, removed afterwards.
struct TempDir {
    TempDir() { std::filesystem::create_directories(path); }
    ~TempDir() { std::filesystem::remove_all(path); }
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("orvanel-photo-" + std::to_string(wxGetProcessId()));
};

std::vector<char> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The document and the photo commands with exactly the image handlers the
// program has: BMP, which wx always has, and the four the decoder adds.
class PhotoTest : public ::testing::Test {
protected:
    void SetUp() override {
        wxImage::CleanUpHandlers();
        wxImage::InitStandardHandlers();
        decoder = std::make_unique<WxPictureDecoder>();
    }
    const WxPicture* Loaded() const {
        const auto* picture = dynamic_cast<const CPicture*>(doc.m_picture.get());
        return picture != nullptr ? dynamic_cast<const WxPicture*>(picture->Picture()) : nullptr;
    }

    MemorySettingsStore store;
    RecordingPrompter prompter;
    CTavrinEditorDoc doc{store, prompter};
    RecordingCommandHost host;
    std::unique_ptr<WxPictureDecoder> decoder;
};

TEST_F(PhotoTest, TheDecoderAddsOnlyThePhotosHandlers) {
    std::set<wxBitmapType> types;
    for (const wxObject* object : wxImage::GetHandlers()) {
        types.insert(static_cast<const wxImageHandler*>(object)->GetType());
    }
    EXPECT_EQ(types,
              (std::set<wxBitmapType>{wxBITMAP_TYPE_BMP, wxBITMAP_TYPE_JPEG, wxBITMAP_TYPE_PNG,
                                      wxBITMAP_TYPE_TIFF, wxBITMAP_TYPE_GIF}));
    // A second decoder adds nothing more.
    WxPictureDecoder again;
    EXPECT_EQ(wxImage::GetHandlers().GetCount(), 5u);
}

TEST_F(PhotoTest, EachOfTheFiveFormatsLoadsWithItsPixels) {
    for (const char* name : {"small.jpg", "small.png", "small.bmp", "small.tif", "small.gif"}) {
        SCOPED_TRACE(name);
        prompter.Clear();
        ASSERT_TRUE(AddPhoto(doc, Fixture(name), *decoder, host));
        EXPECT_TRUE(prompter.Entries().empty());
        EXPECT_EQ(doc.m_picture->Width(), 16);
        EXPECT_EQ(doc.m_picture->Height(), 12);
        const wxImage& image = Loaded()->Image();
        EXPECT_TRUE(Near({image.GetRed(2, 6), image.GetGreen(2, 6), image.GetBlue(2, 6)}, *wxRED));
        EXPECT_TRUE(
            Near({image.GetRed(13, 6), image.GetGreen(13, 6), image.GetBlue(13, 6)}, *wxBLUE));
    }
}

TEST_F(PhotoTest, FilesThatAreNoPhotoAreRefusedCleanly) {
    const TempDir dir;
    const std::vector<char> png = ReadBytes(Fixture("photo_800x600.png"));
    {
        std::ofstream cut(dir.path / "cut.png", std::ios::binary);
        cut.write(png.data(), 100);
    }
    struct Case {
        std::filesystem::path file;
        std::vector<std::string> messages;
    };
    const std::vector<Case> cases = {
        {Fixture("corrupt.jpg"), {"Unable to load image"}},
        {Fixture("one_byte.png"), {"Unable to load image"}},
        {dir.path / "cut.png", {"Unable to load image"}},
        // Readable by wx, but not one of the photo's formats.
        {Fixture("small.ppm"), {"Unable to load image"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.filename().string());
        ASSERT_TRUE(AddPhoto(doc, Fixture("small.png"), *decoder, host));
        prompter.Clear();
        host.posted.clear();
        EXPECT_FALSE(AddPhoto(doc, c.file, *decoder, host));
        EXPECT_FALSE(doc.IsPhotoLoaded());
        EXPECT_EQ(prompter.Texts(), c.messages);
        EXPECT_TRUE(host.posted.empty());
    }
}

TEST(PhotoDecoderTest, OnlyThePhotosFormatsAreTriedWhateverWxHasRegistered) {
    wxInitAllImageHandlers();
    ASSERT_NE(wxImage::FindHandler(wxBITMAP_TYPE_PNM), nullptr);
    WxPictureDecoder decoder;
    for (const char* name : {"small.ppm", "small.png"}) {
        const std::vector<char> bytes = ReadBytes(Fixture(name));
        const DecodeResult result =
            decoder.Decode({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
        EXPECT_EQ(result.picture != nullptr, std::string(name) == "small.png") << name;
    }
}

TEST_F(PhotoTest, ThePropertiesDialogShowsThePlacedPhotosPercentages) {
    struct Case {
        const char* file;
        IntRect placed;
        const char* width;
        const char* height;
        const char* percent;
    };
    const Case cases[] = {
        {"photo_800x600.png", {0, 400, 800, 1000}, "800", "600", "100"},
        {"photo_2000x1500.png", {0, 326, 899, 1000}, "2000", "1500", "45"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        host.posted.clear();
        ASSERT_TRUE(AddPhoto(doc, Fixture(c.file), *decoder, host));
        EXPECT_EQ(doc.m_rcPhoto, c.placed);
        EXPECT_EQ(host.posted,
                  (std::vector<Command>{Command::ToolDragPhoto, Command::PhotoProperties}));
        CDlgPhotoProperties dialog(nullptr, prompter, OpenPhotoProperties(doc));
        EXPECT_EQ(dialog.GetTitle(), "Picture Properties");
        EXPECT_EQ(dialog.FindWindow(1079)->GetLabel(), c.width);
        EXPECT_EQ(dialog.FindWindow(1080)->GetLabel(), c.height);
        EXPECT_EQ(static_cast<wxTextCtrl*>(dialog.FindWindow(1082))->GetValue(), c.percent);
        EXPECT_EQ(static_cast<wxTextCtrl*>(dialog.FindWindow(1083))->GetValue(), c.percent);
        EXPECT_TRUE(static_cast<wxCheckBox*>(dialog.FindWindow(1081))->GetValue());
        EXPECT_FALSE(dialog.FindWindow(1083)->IsEnabled());
    }
}

// The dialog shown without a modal loop, its OK driven directly.
class PhotoDialogTest : public PhotoTest {
protected:
    void Open() {
        ASSERT_TRUE(AddPhoto(doc, Fixture("photo_800x600.png"), *decoder, host));
        dialog.reset();  // a new dialog would be the old one's child
        Pump();
        dialog.reset(new CDlgPhotoProperties(nullptr, prompter, OpenPhotoProperties(doc)));
        dialog->Show();
        Pump();
    }
    void TearDown() override { dialog.reset(); }
    wxTextCtrl* Field(int id) { return static_cast<wxTextCtrl*>(dialog->FindWindow(id)); }
    void SetLock(bool on) {
        auto* box = static_cast<wxCheckBox*>(dialog->FindWindow(1081));
        box->SetValue(on);
        wxCommandEvent click(wxEVT_CHECKBOX, 1081);
        click.SetEventObject(box);
        click.SetInt(on);
        box->ProcessWindowEvent(click);
    }

    struct Destroyer {
        void operator()(wxWindow* window) const { window->Destroy(); }
    };
    std::unique_ptr<CDlgPhotoProperties, Destroyer> dialog;
};

TEST_F(PhotoDialogTest, TheLockEnablesAndDisablesTheHeight) {
    Open();
    EXPECT_FALSE(Field(1083)->IsEnabled());
    SetLock(false);
    EXPECT_TRUE(Field(1083)->IsEnabled());
    SetLock(true);
    EXPECT_FALSE(Field(1083)->IsEnabled());
}

TEST_F(PhotoDialogTest, PercentagesOutOfRangeAreRefusedAndTheDialogStays) {
    struct Case {
        bool lock;
        const char* width;
        const char* height;
        int field;  // the refused one; 0 when OK passes
        const char* message;
    };
    const Case cases[] = {
        {true, "4", "100", 1082, "Enter an integer between 5 and 500."},
        {true, "501", "100", 1082, "Enter an integer between 5 and 500."},
        {true, "fifty", "100", 1082, "Enter an integer."},
        {false, "100", "4", 1083, "Enter an integer between 5 and 500."},
        {false, "100", "501", 1083, "Enter an integer between 5 and 500."},
        // Locked, the height field is not read.
        {true, "5", "9999", 0, ""},
        {false, "500", "5", 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.width) + " x " + c.height);
        Open();
        prompter.Clear();
        SetLock(c.lock);
        Field(1082)->ChangeValue(c.width);
        Field(1083)->ChangeValue(c.height);
        const bool accepted = dialog->Accept();
        EXPECT_EQ(accepted, c.field == 0);
        if (c.field != 0) {
            EXPECT_EQ(prompter.Texts(), std::vector<std::string>{c.message});
            EXPECT_EQ(prompter.Entries().back().caption, "Orvanel");
            EXPECT_TRUE(dialog->IsShown());
            EXPECT_EQ(wxWindow::FindFocus(), Field(c.field));
        } else {
            EXPECT_TRUE(prompter.Entries().empty());
            EXPECT_EQ(dialog->GetReturnCode(), wxID_OK);
        }
    }
}

TEST_F(PhotoTest, OkRescalesThePhotoAndCancelLeavesIt) {
    ASSERT_TRUE(AddPhoto(doc, Fixture("photo_800x600.png"), *decoder, host));
    struct Case {
        int answer;
        bool lock;
        const char* width;
        const char* height;
        IntRect after;
    };
    const Case cases[] = {
        {wxID_CANCEL, false, "50", "200", {0, 400, 800, 1000}},
        {wxID_OK, true, "50", "200", {0, 700, 400, 1000}},
        {wxID_OK, false, "50", "200", {0, -200, 400, 1000}},
    };
    for (const Case& c : cases) {
        doc.m_rcPhoto = {0, 400, 800, 1000};
        ModalDriver<CDlgPhotoProperties> driver([&c](CDlgPhotoProperties& dialog) {
            static_cast<wxCheckBox*>(dialog.FindWindow(1081))->SetValue(c.lock);
            static_cast<wxTextCtrl*>(dialog.FindWindow(1082))->ChangeValue(c.width);
            static_cast<wxTextCtrl*>(dialog.FindWindow(1083))->ChangeValue(c.height);
            if (c.answer == wxID_OK) return dialog.Accept();
            dialog.EndModal(wxID_CANCEL);
            return true;
        });
        EXPECT_EQ(RunPhotoProperties(nullptr, doc), c.answer == wxID_OK);
        EXPECT_TRUE(driver.Done());
        EXPECT_EQ(doc.m_rcPhoto, c.after);
    }
}

// --- drawing

wxImage DrawnOn(const WxPicture& picture, const IntRect& rc, const wxSize& size,
                const wxPoint& scroll = {0, 0}) {
    wxBitmap bitmap(size, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        dc.SetDeviceOrigin(-scroll.x, -scroll.y);
        EXPECT_TRUE(picture.Draw(dc, rc));
    }
    return bitmap.ConvertToImage();
}

wxColour At(const wxImage& image, int x, int y) { return PixelAt(image, {x, y}); }

TEST_F(PhotoTest, ThePhotoIsStretchedIntoItsRectangleAndScaledOncePerSize) {
    ASSERT_TRUE(AddPhoto(doc, Fixture("small.png"), *decoder, host));
    const WxPicture& picture = *Loaded();
    // Red left half, blue right half, stretched to 100 x 50 at (10, 20).
    wxImage shot = DrawnOn(picture, {10, 20, 110, 70}, {200, 100});
    EXPECT_TRUE(Near(At(shot, 12, 22), *wxRED));
    EXPECT_TRUE(Near(At(shot, 55, 45), *wxRED));
    EXPECT_TRUE(Near(At(shot, 65, 45), *wxBLUE));
    EXPECT_TRUE(Near(At(shot, 108, 68), *wxBLUE));
    EXPECT_TRUE(Near(At(shot, 8, 45), *wxWHITE, 5));
    EXPECT_TRUE(Near(At(shot, 112, 45), *wxWHITE, 5));
    EXPECT_TRUE(Near(At(shot, 60, 72), *wxWHITE, 5));
    EXPECT_EQ(picture.Rescales(), 1);

    // Repainted, also scrolled: the kept copy serves.
    shot = DrawnOn(picture, {10, 20, 110, 70}, {200, 100}, {5, 5});
    EXPECT_TRUE(Near(At(shot, 7, 17), *wxRED));
    EXPECT_TRUE(Near(At(shot, 100, 60), *wxBLUE));
    EXPECT_EQ(picture.Rescales(), 1);
    // Moved: still the same size.
    DrawnOn(picture, {-40, 0, 60, 50}, {200, 100});
    EXPECT_EQ(picture.Rescales(), 1);
    // Another size is scaled anew.
    DrawnOn(picture, {0, 0, 50, 50}, {200, 100});
    EXPECT_EQ(picture.Rescales(), 2);
}

TEST_F(PhotoTest, AHugelyEnlargedPhotoIsScaledOnlyWhereItShows) {
    ASSERT_TRUE(AddPhoto(doc, Fixture("small.png"), *decoder, host));
    const WxPicture& picture = *Loaded();
    // 16 x 12 pixels at 250 times: 4000 x 3000. The colours meet at x = 2000,
    // blended from one pixel's centre to the next (1875 to 2125).
    const IntRect rc{0, 0, 4000, 3000};
    wxImage shot = DrawnOn(picture, rc, {1000, 100}, {1500, 1400});
    EXPECT_TRUE(Near(At(shot, 0, 0), *wxRED));
    EXPECT_TRUE(Near(At(shot, 350, 50), *wxRED));
    EXPECT_TRUE(Near(At(shot, 650, 50), *wxBLUE));
    EXPECT_TRUE(Near(At(shot, 999, 99), *wxBLUE));
    EXPECT_EQ(picture.Rescales(), 1);
    DrawnOn(picture, rc, {1000, 100}, {1500, 1400});
    EXPECT_EQ(picture.Rescales(), 1);
    // Near the far corner, and partly off the photo.
    shot = DrawnOn(picture, rc, {200, 100}, {3900, 2950});
    EXPECT_TRUE(Near(At(shot, 50, 20), *wxBLUE));
    EXPECT_TRUE(Near(At(shot, 150, 20), *wxWHITE, 5));
    EXPECT_TRUE(Near(At(shot, 50, 70), *wxWHITE, 5));
    EXPECT_EQ(picture.Rescales(), 2);
}

TEST_F(PhotoTest, AHiddenOrRemovedPhotoIsNotDrawn) {
    wxBitmap bitmap(wxSize(50, 50), 24);
    wxMemoryDC dc(bitmap);
    EXPECT_FALSE(DrawDocumentPhoto(dc, doc));
    ASSERT_TRUE(AddPhoto(doc, Fixture("small.png"), *decoder, host));
    EXPECT_TRUE(DrawDocumentPhoto(dc, doc));
    ToggleHidePhoto(doc);
    EXPECT_FALSE(DrawDocumentPhoto(dc, doc));
    ToggleHidePhoto(doc);
    RemovePhoto(doc, host);
    EXPECT_FALSE(DrawDocumentPhoto(dc, doc));
}

// The photo in the real editor, beneath the grid and the curve.
class PhotoInEditorTest : public GuiTest {};

TEST_F(PhotoInEditorTest, TheEditorShowsTheLoadedPhoto) {
    Start();
    CTavrinEditorDoc& doc = *App().Document();
    CTavrinEditorView& view = *frame->EditorView();
    WxPictureDecoder decoder;
    RecordingCommandHost host;
    ASSERT_TRUE(AddPhoto(doc, Fixture("photo_800x600.png"), decoder, host));
    view.InvalidateDrawing();
    view.Refresh();
    WaitSettled();
    const wxSize client = view.GetClientSize();
    const wxPoint bottomLeft(10, client.y - 10);
    const IntPoint editor = view.ClientToEditor(bottomLeft);
    ASSERT_GT(editor.y, 400);
    ASSERT_LT(editor.x, 390);
    const wxImage shot = Screenshot();
    const wxPoint screen = view.ClientToScreen(bottomLeft);
    EXPECT_GT(CountNear(shot, screen, 3, *wxRED, 20), 40);
    // The right half is blue, where the window reaches it.
    const wxPoint blue = view.ClientToScreen(view.CalcScrolledPosition(wxPoint(500, editor.y)));
    if (view.CalcScrolledPosition(wxPoint(500, 0)).x < client.x) {
        EXPECT_GT(CountNear(shot, blue, 3, *wxBLUE, 20), 40);
    }
    ToggleHidePhoto(doc);
    view.InvalidateDrawing();
    view.Refresh();
    WaitSettled();
    EXPECT_EQ(CountNear(Screenshot(), screen, 3, *wxRED, 20), 0);
}

// --- the file dialog

TEST(PhotoFileDialogTest, TheFilterMatchesEveryExtensionInBothCases) {
    const wxArrayString parts = wxStringTokenize(PhotoFileWildcard(), "|", wxTOKEN_RET_EMPTY);
    ASSERT_EQ(parts.size(), 8u);
    EXPECT_EQ(parts[0], "IMAGE FILES (*.jpg;*.jpeg;*.bmp;*.png;*.tif;*.tiff;*.gif)");
    EXPECT_EQ(parts[2], "JPEG IMAGE (*.jpg;*.jpeg)");
    EXPECT_EQ(parts[4], "BITMAP (*.bmp)");
    EXPECT_EQ(parts[6], "All Files (*.*)");
    const auto matches = [&parts](int filter, const wxString& name) {
        for (const wxString& pattern : wxStringTokenize(parts[2 * filter + 1], ";")) {
            if (wxMatchWild(pattern, name, false)) return true;
        }
        return false;
    };
    const struct {
        int filter;
        const char* name;
        bool match;
    } cases[] = {
        {0, "bowl.jpg", true},  {0, "BOWL.JPG", true},  {0, "vase.jpeg", true},
        {0, "scan.TIFF", true}, {0, "scan.tif", true},  {0, "a.GIF", true},
        {0, "a.png", true},     {0, "a.BMP", true},     {0, "notes.txt", false},
        {1, "bowl.JPEG", true}, {1, "bowl.png", false}, {2, "old.BMP", true},
        {2, "old.gif", false},  {3, "README", true},    {3, "bowl.lum", true},
    };
    for (const auto& c : cases) EXPECT_EQ(matches(c.filter, c.name), c.match) << c.name;
}

TEST(PhotoFileDialogTest, TheDialogOffersTheFilterAndReturnsTheChoice) {
    const wxString chosen = wxString::FromUTF8(Fixture("small.jpg").string());
    ModalDriver<wxFileDialog> driver([&chosen, asked = false](wxFileDialog& dialog) mutable {
        if (!asked) {
            EXPECT_EQ(dialog.GetWildcard(), PhotoFileWildcard());
            EXPECT_TRUE(dialog.HasFlag(wxFD_OPEN));
            EXPECT_TRUE(dialog.HasFlag(wxFD_FILE_MUST_EXIST));
            dialog.SetPath(chosen);
            asked = true;
        }
        if (dialog.GetPath() != chosen) return false;
        dialog.EndModal(wxID_OK);
        return true;
    });
    EXPECT_EQ(ChoosePhotoFile(nullptr), Fixture("small.jpg"));
    EXPECT_TRUE(driver.Done());

    ModalDriver<wxFileDialog> cancel([](wxFileDialog& dialog) {
        dialog.EndModal(wxID_CANCEL);
        return true;
    });
    EXPECT_EQ(ChoosePhotoFile(nullptr), std::nullopt);
}

}  // namespace
}  // namespace orvanel::gui
