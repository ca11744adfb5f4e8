// The photo properties dialog's values: what it opens on and what its OK
// does to the photo's rectangle.
#pragma once

#include <string>

#include "document/document.h"

namespace orvanel {

// The values the photo properties dialog exchanges with its controls.
struct PhotoPropertiesValues {
    unsigned m_nScaleHeight = 100;  // percent
    unsigned m_nScaleWidth = 100;   // percent
    std::string m_strHeight;        // the picture's size in pixels, as text
    std::string m_strWidth;
    bool m_bLockAspect = true;
};

// The dialog's values as it opens on a photo of the given size drawn into rc,
// or on the document's photo (which must be loaded).
PhotoPropertiesValues OpenPhotoProperties(const IntRect& rc, int width, int height);
PhotoPropertiesValues OpenPhotoProperties(const CTavrinEditorDoc& doc);
// The rectangle after OK: rescaled from the picture's size, keeping the
// bottom-left corner; with the aspect locked the width's factor serves both.
IntRect ApplyPhotoProperties(const IntRect& rc, int width, int height,
                             const PhotoPropertiesValues& values);
// The height field can be edited only while the aspect is not locked.
inline bool PhotoHeightFieldEnabled(bool lockAspect) { return !lockAspect; }

// The properties dialog ended with OK.
void ApplyPhotoProperties(CTavrinEditorDoc& doc, const PhotoPropertiesValues& values);

}  // namespace orvanel
