#include "editor/photo_properties.h"

#include <climits>
#include <cmath>

#include "editor/photo_placement.h"

namespace orvanel {

namespace {

// A percentage as the dialog's unsigned field takes it.
unsigned CeilPercent(double v) {
    const double c = std::ceil(v);
    if (!(c >= 0.0)) return 0;
    if (c >= static_cast<double>(UINT_MAX)) return UINT_MAX;
    return static_cast<unsigned>(c);
}

}  // namespace

PhotoPropertiesValues OpenPhotoProperties(const IntRect& rc, int width, int height) {
    PhotoPropertiesValues values;
    values.m_strHeight = std::to_string(height);
    values.m_strWidth = std::to_string(width);
    if (height > 0) {
        values.m_nScaleHeight = CeilPercent(
            static_cast<double>(static_cast<long long>(rc.bottom) - rc.top) / height * 100);
    }
    if (width > 0) {
        values.m_nScaleWidth = CeilPercent(
            static_cast<double>(static_cast<long long>(rc.right) - rc.left) / width * 100);
    }
    values.m_bLockAspect = true;
    return values;
}

PhotoPropertiesValues OpenPhotoProperties(const CTavrinEditorDoc& doc) {
    if (!doc.IsPhotoLoaded()) return {};
    return OpenPhotoProperties(doc.m_rcPhoto, doc.m_picture->Width(), doc.m_picture->Height());
}

IntRect ApplyPhotoProperties(const IntRect& rc, int width, int height,
                             const PhotoPropertiesValues& values) {
    const double w = values.m_nScaleWidth / 100.0;
    const double h = values.m_bLockAspect ? w : values.m_nScaleHeight / 100.0;
    return RescalePhoto(rc, width, height, w, h);
}

void ApplyPhotoProperties(CTavrinEditorDoc& doc, const PhotoPropertiesValues& values) {
    if (!doc.IsPhotoLoaded()) return;
    doc.m_rcPhoto = ApplyPhotoProperties(doc.m_rcPhoto, doc.m_picture->Width(),
                                         doc.m_picture->Height(), values);
    doc.UpdateAllViews();
}

}  // namespace orvanel
