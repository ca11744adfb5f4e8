#include "document/profile_format.h"

#include <algorithm>

namespace orvanel {

namespace {

constexpr std::uint64_t kCurrentRecordBytes = 16;  // x, y, selected, anchor
constexpr std::uint64_t kOlderRecordBytes = 12;    // x, y, selected

void ReadPoints(CArchive& ar, std::int32_t count, bool withAnchor, ProfileData& data) {
    if (count < 0) {
        throw CArchiveException(CArchiveException::Cause::BadLength, "negative point count");
    }
    const std::uint64_t recordBytes = withAnchor ? kCurrentRecordBytes : kOlderRecordBytes;
    // Check the count against the bytes really there before allocating.
    if (static_cast<std::uint64_t>(count) * recordBytes > ar.BytesRemaining()) {
        throw CArchiveException(CArchiveException::Cause::EndOfFile, "point list cut off");
    }
    std::unique_ptr<ProfilePoint>* link = &data.pHead;
    for (std::int32_t i = 0; i < count; ++i) {
        std::int32_t record[4] = {0, 0, 0, 0};  // x, y, selected, anchor
        ar.ReadInt32s(record, withAnchor ? 4 : 3);
        auto p = std::make_unique<ProfilePoint>(std::max(record[0], 0), std::max(record[1], 0));
        p->bSelected = record[2] != 0;
        p->bAnchor = record[3] != 0;
        p->pPrev = data.pTail;
        data.pTail = p.get();
        *link = std::move(p);
        link = &data.pTail->pNext;
        ++data.nPoints;
    }
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
        ReadPoints(ar, count, true, data);
    } else if (magic == kMagicOlder) {
        data.version = ProfileData::Version::Older;
        data.bClosed = ar.ReadInt32() != 0;
        const std::int32_t count = ar.ReadInt32();
        ReadPoints(ar, count, false, data);
    } else {
        throw NotAProfileFile();
    }
    if (data.nPoints < 3) data.bClosed = false;
    return data;
}

}  // namespace orvanel
