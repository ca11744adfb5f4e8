#include "document/profile_format.h"

#include <algorithm>

namespace orvanel {

namespace {

constexpr std::uint64_t kCurrentRecordBytes = 16;  // x, y, selected, anchor
constexpr std::uint64_t kOlderRecordBytes = 12;    // x, y, selected

std::vector<PointRecord> ReadPoints(CArchive& ar, std::int32_t count, bool withAnchor) {
    if (count < 0) {
        throw CArchiveException(CArchiveException::Cause::BadLength, "negative point count");
    }
    const std::uint64_t recordBytes = withAnchor ? kCurrentRecordBytes : kOlderRecordBytes;
    // Check the count against the bytes really there before allocating.
    if (static_cast<std::uint64_t>(count) * recordBytes > ar.BytesRemaining()) {
        throw CArchiveException(CArchiveException::Cause::EndOfFile, "point list cut off");
    }
    std::vector<PointRecord> points(static_cast<std::size_t>(count));
    for (PointRecord& p : points) {
        p.x = std::max(ar.ReadInt32(), 0);
        p.y = std::max(ar.ReadInt32(), 0);
        p.bSelected = ar.ReadInt32() != 0;
        p.bAnchor = withAnchor && ar.ReadInt32() != 0;
    }
    return points;
}

}  // namespace

ProfileData ReadProfile(CArchive& ar) {
    const std::string magic = ar.ReadString();
    ProfileData data;
    if (magic == kMagicCurrent) {
        data.version = ProfileData::Version::Current;
        data.bClosed = ar.ReadInt32() != 0;
        const std::int32_t count = ar.ReadInt32();
        data.editorSteps = std::min(ar.ReadInt32(), kMaxEditorSteps);
        data.flipNormals = ar.ReadInt32() != 0;
        data.points = ReadPoints(ar, count, true);
    } else if (magic == kMagicOlder) {
        data.version = ProfileData::Version::Older;
        data.bClosed = ar.ReadInt32() != 0;
        const std::int32_t count = ar.ReadInt32();
        data.points = ReadPoints(ar, count, false);
    } else {
        throw NotAProfileFile();
    }
    if (data.points.size() < 3) data.bClosed = false;
    return data;
}

}  // namespace orvanel
