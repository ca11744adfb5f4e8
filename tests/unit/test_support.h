// Shared helpers of the core's unit tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "document/document.h"
#include "tests/support/test_doubles.h"

namespace orvanel::test {

// Counts what the document asked of its views.
class RecordingView final : public EditorViewHooks {
public:
    void OnUpdate() override { ++updates; }
    void Repaint() override { ++repaints; }
    void FreeSelection() override { ++frees; }
    void BuildSelection() override { ++builds; }

    int updates = 0;
    int repaints = 0;
    int frees = 0;
    int builds = 0;
};

// Little-endian bytes, written the way the archive writes them.
class Bytes {
public:
    Bytes& U8(std::uint8_t v);
    Bytes& U16(std::uint16_t v);
    Bytes& I32(std::int32_t v);
    Bytes& U32(std::uint32_t v);
    Bytes& U64(std::uint64_t v);
    Bytes& Chars(std::string_view s);
    Bytes& Utf16(std::string_view ascii);
    // A one-byte-prefixed string, as the program writes it.
    Bytes& Str(std::string_view s) { return U8(static_cast<std::uint8_t>(s.size())).Chars(s); }
    // A current-version header: magic, closed, count, steps, flip.
    Bytes& Header(std::int32_t closed, std::int32_t count, std::int32_t steps = 10,
                  std::int32_t flip = 0);
    Bytes& Point(std::int32_t x, std::int32_t y, std::int32_t sel = 0, std::int32_t anchor = 0);

    const std::vector<std::uint8_t>& Get() const { return m_bytes; }
    operator const std::vector<std::uint8_t>&() const { return m_bytes; }

private:
    std::vector<std::uint8_t> m_bytes;
};

// A document on memory settings, with a prompter that records and a view
// that counts.
struct DocFixture {
    MemorySettingsStore settings;
    RecordingPrompter prompter;
    RecordingView view;
    std::unique_ptr<CTavrinEditorDoc> doc;

    DocFixture();
    CTavrinEditorDoc& operator*() { return *doc; }
    CTavrinEditorDoc* operator->() { return doc.get(); }
};

struct XY {
    int x, y;
    friend bool operator==(const XY&, const XY&) = default;
};
void PrintTo(const XY& p, std::ostream* os);

// The document's points, head first.
std::vector<XY> PointsOf(const CTavrinEditorDoc& doc);
std::vector<const ProfilePoint*> PointersOf(const CTavrinEditorDoc& doc);
const ProfilePoint* PointAt(const CTavrinEditorDoc& doc, int index);
// Appends the points one by one (each a commit), then sets the closed flag.
void AddPoints(CTavrinEditorDoc& doc, std::initializer_list<XY> points, bool closed = false);

// The list's links, count and closed flag agree with each other.
::testing::AssertionResult ListIsSound(const CTavrinEditorDoc& doc);

std::vector<std::uint8_t> Store(CTavrinEditorDoc& doc);
bool Load(CTavrinEditorDoc& doc, const std::vector<std::uint8_t>& bytes);

std::filesystem::path Fixture(std::string_view name);
std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// A fresh folder under the system's temporary folder, removed at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(std::string_view name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

}  // namespace orvanel::test
