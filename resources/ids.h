// The program's own numbers: commands, status-bar panes, cursors, dialogs.
// Standard commands (New, Open, Save, Undo, Copy, About, ...) use wxWidgets' own
// ids in the user interface so that GTK shows its stock items.
#pragma once

#include <array>

namespace orvanel {

// The commands, by their numbers. The table in resources/command_table.h
// gives each its texts, keys and places.
enum class Command : int {
    None = 0,
    // Files and printing.
    FileNew = 57600,
    FileOpen = 57601,
    FileSave = 57603,
    FileSaveAs = 57604,
    PrintSetup = 57606,
    RecentFile = 57616,
    Exit = 57665,
    Print = 32800,
    PrintPreview = 32801,
    Transfer = 32794,
    ExportPov = 32781,
    ExportVrml = 32782,
    ExportStl = 32797,
    ExportSvg = 32820,
    ExportDxf = 32821,
    PrintTemplate = 32822,
    // Editing.
    Undo = 57643,
    Redo = 57644,
    Copy = 57634,
    Cut = 57635,
    Paste = 57637,
    SelectAll = 57642,
    Deselect = 32780,
    // The window.
    ViewEditToolbar = 59392,
    ViewStatusBar = 59393,
    ViewPreviewToolbar = 101,
    Split = 57653,
    NextPane = 57680,
    PreviousPane = 57681,
    Settings = 32787,
    // The editor's tools and the profile.
    ToolPencil = 32784,
    ToolMove = 32785,
    ToolInsert = 32786,
    ToolDragPhoto = 32803,
    OpenCloseProfile = 32771,
    AnchorSelected = 32788,
    AnchorMenuPoint = 32795,
    DeleteMenuPoint = 32796,
    MenuPointProperties = 32823,
    ToggleGrid = 32783,
    ForceRedraw = 32773,
    GoldenRatio = 32807,
    // The background photo.
    PhotoAdd = 32802,
    PhotoProperties = 32804,
    PhotoRemove = 32805,
    PhotoHide = 32806,
    CalibratePhoto = 32824,
    // Real sizes.
    Dimensions = 32825,
    // The preview.
    FlipNormals = 32789,
    ViewGridPlane = 32779,
    ToggleSmoothing = 32790,
    // Help.
    HelpContents = 32791,
    KeyboardHelp = 136,
    About = 57664,
};

constexpr int CommandNumber(Command command) { return static_cast<int>(command); }

}  // namespace orvanel

namespace orvanel::id {

// Status-bar panes.
inline constexpr int kPanePoints = 130;
inline constexpr int kPanePolygons = 131;
inline constexpr int kPaneCoordinates = 132;

// Cursors.
inline constexpr int kCursorZoom = 137;
inline constexpr int kCursorPencil = 141;
inline constexpr int kCursorMove = 142;
inline constexpr int kCursorInsert = 143;
inline constexpr int kCursorRotate = 145;
inline constexpr int kCursorHandOpen = 148;
inline constexpr int kCursorHandClosed = 150;

// Tools of the editor.
inline constexpr int kToolIdPencil = 1;
inline constexpr int kToolIdMove = 2;
inline constexpr int kToolIdInsert = 3;
inline constexpr int kToolIdDragPhoto = 6;

// The id a command without a stock id has in wxWidgets' menus, toolbars and
// events. wx takes ids below 0x8000 only, so the numbers above that keep
// their low 15 bits, which no two of the program's commands share; the
// smaller numbers stay.
constexpr int Ui(int command) { return command & 0x7FFF; }

// The editor's context menus.
inline constexpr int kMenuEditorPopup = 108;
inline constexpr int kMenuPhotoPopup = 155;

// The settings sheet's controls: each edit field with its spin button, the
// colour swatches, the check box and the light-position radio buttons.
inline constexpr int kEditorStepsField = 1062;
inline constexpr int kEditorStepsSpin = 1057;
inline constexpr int kGridSizeField = 1026;
inline constexpr int kGridSizeSpin = 1017;
inline constexpr int kPenSizeField = 1066;
inline constexpr int kPenSizeSpin = 1055;
inline constexpr int kPenSwatch = 1038;
inline constexpr int kGridSwatch = 1039;
inline constexpr int kEditorBackgroundSwatch = 1035;
inline constexpr int kPreviewStepsField = 1051;
inline constexpr int kPreviewStepsSpin = 1049;
inline constexpr int kSectionsField = 1030;
inline constexpr int kSectionsSpin = 1023;
inline constexpr int kExtrusionHeightField = 1032;
inline constexpr int kExtrusionHeightSpin = 1024;
inline constexpr int kObjectSwatch = 1021;
inline constexpr int kSmoothShadingCheckBox = 1033;
inline constexpr int kFrontLightSwatch = 1034;
inline constexpr int kBackLightSwatch = 1031;
inline constexpr int kGridPlaneSwatch = 1045;
inline constexpr int kPreviewBackgroundSwatch = 1044;
// The light-position radio buttons in their tab order, which gives their
// index: 0 top left, 1 top, 2 top right, 3 left, 4 right, 5 bottom left,
// 6 bottom, 7 bottom right.
inline constexpr std::array<int, 8> kFrontLightButtons{1074, 1006, 1075, 1067,
                                                       1012, 1064, 1009, 1065};
inline constexpr std::array<int, 8> kBackLightButtons{1059, 1014, 1063, 1052,
                                                      1050, 1056, 1061, 1058};

// The photo properties dialog's controls.
inline constexpr int kScaleHeightField = 1083;
inline constexpr int kScaleWidthField = 1082;
inline constexpr int kLockAspectCheckBox = 1081;
inline constexpr int kPictureWidthText = 1079;
inline constexpr int kPictureHeightText = 1080;

}  // namespace orvanel::id
