// The .lum profile format, in both its versions. The same bytes serve saved
// files, undo snapshots and the file handed to the sibling program.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "document/archive.h"
#include "document/profile_point.h"
#include "document/ranges.h"

namespace orvanel {

inline constexpr std::string_view kMagicCurrent = "VOLDERAK";
inline constexpr std::string_view kMagicOlder = "TAVRINV1.2";

// The most curve steps per segment the settings sheet allows. A file may
// carry any number; a larger one would make every repaint sample billions of
// points, so it reads as this.
inline constexpr std::int32_t kMaxEditorSteps = kEditorStepsRange.hi;

// The stream does not start with either magic string.
class NotAProfileFile : public std::runtime_error {
public:
    NotAProfileFile() : std::runtime_error("not a profile file") {}
};

// A profile as read from a stream, before it replaces the document's: a load
// that fails part-way must leave the open profile as it was. The points come
// linked in file order, so that the document takes them over as they are.
struct ProfileData {
    enum class Version { Current, Older };
    Version version = Version::Current;
    bool bClosed = false;
    std::optional<std::int32_t> editorSteps;  // the older version has none
    std::optional<bool> flipNormals;          // nor this
    std::unique_ptr<ProfilePoint> pHead;
    ProfilePoint* pTail = nullptr;
    int nPoints = 0;
};

// Reads and checks a whole profile. Throws NotAProfileFile, CArchiveException
// or CFileException. The result keeps the document's rules: a negative
// coordinate reads as 0, a closed flag needs three points, and the editor
// steps are at most kMaxEditorSteps.
ProfileData ReadProfile(CArchive& ar);

}  // namespace orvanel
