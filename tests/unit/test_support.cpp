#include "tests/unit/test_support.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace orvanel::test {

Bytes& Bytes::U8(std::uint8_t v) {
    m_bytes.push_back(v);
    return *this;
}
Bytes& Bytes::U16(std::uint16_t v) { return U8(v & 0xFF).U8(v >> 8); }
Bytes& Bytes::U32(std::uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
Bytes& Bytes::I32(std::int32_t v) { return U32(static_cast<std::uint32_t>(v)); }
Bytes& Bytes::U64(std::uint64_t v) { return U32(v & 0xFFFFFFFFu).U32(v >> 32); }
Bytes& Bytes::Chars(std::string_view s) {
    m_bytes.insert(m_bytes.end(), s.begin(), s.end());
    return *this;
}
Bytes& Bytes::Utf16(std::string_view ascii) {
    for (char c : ascii) U16(static_cast<std::uint8_t>(c));
    return *this;
}
Bytes& Bytes::Header(std::int32_t closed, std::int32_t count, std::int32_t steps,
                     std::int32_t flip) {
    return Str("VOLDERAK").I32(closed).I32(count).I32(steps).I32(flip);
}
Bytes& Bytes::Point(std::int32_t x, std::int32_t y, std::int32_t sel, std::int32_t anchor) {
    return I32(x).I32(y).I32(sel).I32(anchor);
}

DocFixture::DocFixture() : doc(std::make_unique<CTavrinEditorDoc>(settings, prompter)) {
    doc->SetViews(&view, nullptr);
    doc->OnNewDocument();
}

void PrintTo(const XY& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }

std::vector<XY> PointsOf(const CTavrinEditorDoc& doc) {
    std::vector<XY> points;
    for (const ProfilePoint* p = doc.GetHead(); p != nullptr; p = p->Next()) {
        points.push_back({p->x, p->y});
    }
    return points;
}

std::vector<const ProfilePoint*> PointersOf(const CTavrinEditorDoc& doc) {
    std::vector<const ProfilePoint*> points;
    for (const ProfilePoint* p = doc.GetHead(); p != nullptr; p = p->Next()) points.push_back(p);
    return points;
}

const ProfilePoint* PointAt(const CTavrinEditorDoc& doc, int index) {
    return PointersOf(doc).at(static_cast<std::size_t>(index));
}

void AddPoints(CTavrinEditorDoc& doc, std::initializer_list<XY> points, bool closed) {
    for (const XY& p : points) doc.AppendPoint(p.x, p.y);
    if (closed) doc.ToggleClosed();
}

::testing::AssertionResult ListIsSound(const CTavrinEditorDoc& doc) {
    int count = 0;
    const ProfilePoint* last = nullptr;
    for (const ProfilePoint* p = doc.GetHead(); p != nullptr; p = p->Next()) {
        if (p->pPrev != last) return ::testing::AssertionFailure() << "bad pPrev at " << count;
        if (p->x < 0 || p->y < 0) {
            return ::testing::AssertionFailure() << "negative coordinate at " << count;
        }
        last = p;
        if (++count > doc.GetPointCount()) {
            return ::testing::AssertionFailure() << "more points linked than counted";
        }
    }
    if (count != doc.GetPointCount()) {
        return ::testing::AssertionFailure()
               << count << " points linked, " << doc.GetPointCount() << " counted";
    }
    if (doc.GetTail() != last) return ::testing::AssertionFailure() << "tail is not the last point";
    if (doc.IsClosed() && count < 3) {
        return ::testing::AssertionFailure() << "closed with " << count << " points";
    }
    const auto points = PointersOf(doc);
    for (const ProfilePoint* q : {doc.GetCurrent(), doc.GetMenuPoint()}) {
        if (q != nullptr && std::find(points.begin(), points.end(), q) == points.end()) {
            return ::testing::AssertionFailure() << "a pointer refers to no point of the list";
        }
    }
    return ::testing::AssertionSuccess();
}

std::vector<std::uint8_t> Store(CTavrinEditorDoc& doc) {
    CMemFile file;
    CArchive ar(file, CArchive::Mode::store);
    EXPECT_TRUE(doc.Serialize(ar));
    ar.Close();
    return file.Bytes();
}

bool Load(CTavrinEditorDoc& doc, const std::vector<std::uint8_t>& bytes) {
    CMemFile file(bytes);
    CArchive ar(file, CArchive::Mode::load);
    return doc.Serialize(ar);
}

std::filesystem::path Fixture(std::string_view name) {
    return std::filesystem::path(ORVANEL_FIXTURES_DIR) / name;
}

std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvanel-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(m_path, ec);
}

}  // namespace orvanel::test
