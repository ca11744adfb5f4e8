// The photo commands' effect on the document: Add/Replace, Remove and Hide.
#pragma once

#include <filesystem>

#include "document/commands.h"
#include "document/document.h"
#include "editor/picture.h"

namespace orvanel {

// Add/Replace after the user chose a file: the old photo goes first (also
// when the new one fails), the hidden flag is cleared, the new photo is placed
// and the drag tool and the properties dialog follow. Returns whether a photo
// is loaded now.
bool AddPhoto(CTavrinEditorDoc& doc, const std::filesystem::path& path, PictureDecoder& decoder,
              CommandHost& host);
// Remove: the photo goes, its rectangle stays for the next one, the editor
// leaves the drag tool.
void RemovePhoto(CTavrinEditorDoc& doc, CommandHost& host);
// Hide or show again.
void ToggleHidePhoto(CTavrinEditorDoc& doc);
}  // namespace orvanel
