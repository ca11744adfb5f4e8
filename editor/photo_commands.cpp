#include "editor/photo_commands.h"

#include <memory>

#include "editor/photo_placement.h"
#include "resources/strings.h"

namespace orvanel {

bool AddPhoto(CTavrinEditorDoc& doc, const std::filesystem::path& path, PictureDecoder& decoder,
              CommandHost& host) {
    doc.m_bPhotoHidden = false;
    doc.m_picture.reset();
    auto picture = std::make_unique<CPicture>();
    picture->Load(path, decoder, doc.GetPrompter());
    if (!picture->IsLoaded()) {
        // The old photo is gone as well: the editor must not go on showing it.
        host.InvalidateEditor();
        doc.GetPrompter().ShowMessage(text::kUnableToLoadImage);
        return false;
    }
    doc.m_rcPhoto = PlacePhoto(picture->Width(), picture->Height());
    doc.m_picture = std::move(picture);
    host.InvalidateEditor();
    host.PostCommand(Command::ToolDragPhoto);
    host.PostCommand(Command::PhotoProperties);
    return true;
}

void RemovePhoto(CTavrinEditorDoc& doc, CommandHost& host) {
    doc.m_picture.reset();
    host.PostCommand(Command::ToolPencil);
    doc.UpdateAllViews();
}

void ToggleHidePhoto(CTavrinEditorDoc& doc) {
    doc.m_bPhotoHidden = !doc.m_bPhotoHidden;
    doc.UpdateAllViews();
}

}  // namespace orvanel
