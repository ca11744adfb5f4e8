// The program's own numbers: commands, status-bar panes, cursors, dialogs.
// Standard commands (New, Open, Save, Undo, Copy, About, ...) use wxWidgets' own
// ids in the user interface so that GTK shows its stock items.
#pragma once

namespace orvanel::id {

// Commands.
inline constexpr int kViewPreviewToolbar = 101;
inline constexpr int kKeyboardHelp = 136;
inline constexpr int kOpenCloseProfile = 32771;
inline constexpr int kForceRedraw = 32773;
inline constexpr int kViewGridPlane = 32779;
inline constexpr int kDeselect = 32780;
inline constexpr int kExportPov = 32781;
inline constexpr int kExportVrml = 32782;
inline constexpr int kToggleGrid = 32783;
inline constexpr int kToolPencil = 32784;
inline constexpr int kToolMove = 32785;
inline constexpr int kToolInsert = 32786;
inline constexpr int kSettings = 32787;
inline constexpr int kAnchorSelected = 32788;
inline constexpr int kFlipNormals = 32789;
inline constexpr int kToggleSmoothing = 32790;
inline constexpr int kHelpContents = 32791;
inline constexpr int kTransfer = 32794;
inline constexpr int kAnchorMenuPoint = 32795;
inline constexpr int kDeleteMenuPoint = 32796;
inline constexpr int kPrint = 32800;
inline constexpr int kPrintPreview = 32801;
inline constexpr int kPhotoAdd = 32802;
inline constexpr int kToolDragPhoto = 32803;
inline constexpr int kPhotoProperties = 32804;
inline constexpr int kPhotoRemove = 32805;
inline constexpr int kPhotoHide = 32806;
inline constexpr int kGoldenRatio = 32807;
// The standard commands that have no wxWidgets id of their own.
inline constexpr int kViewEditToolbar = 59392;
inline constexpr int kViewStatusBar = 59393;
inline constexpr int kSplit = 57653;
inline constexpr int kNextPane = 57680;
inline constexpr int kPreviousPane = 57681;

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

// The id a command has in wxWidgets' menus, toolbars and events. wx takes
// ids below 0x8000 only, so the numbers above that keep their low 15 bits,
// which no two of the program's commands share; the smaller numbers stay.
constexpr int Ui(int command) { return command & 0x7FFF; }

// The editor's context menus.
inline constexpr int kMenuEditorPopup = 108;
inline constexpr int kMenuPhotoPopup = 155;

}  // namespace orvanel::id
