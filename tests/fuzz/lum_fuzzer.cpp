// libFuzzer target: any bytes given to the .lum reader must either load into a
// sound point list or be refused, leaving the open profile as it was.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "document/document.h"
#include "tests/support/test_doubles.h"

namespace {

class SilentPrompter final : public orvanel::Prompter {
public:
    void ShowMessage(std::string_view, orvanel::MessageIcon, std::string_view) override {}
    void ShowError(std::string_view, std::string_view) override {}
    bool AskYesNo(std::string_view) override { return true; }
};

std::vector<std::uint8_t> StoreOf(orvanel::CTavrinEditorDoc& doc) {
    orvanel::CMemFile file;
    orvanel::CArchive ar(file, orvanel::CArchive::Mode::store);
    doc.Serialize(ar);
    ar.Close();
    return file.Bytes();
}

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckSound(const orvanel::CTavrinEditorDoc& doc) {
    int count = 0;
    const orvanel::ProfilePoint* last = nullptr;
    for (const auto* p = doc.GetHead(); p != nullptr; p = p->Next()) {
        Check(p->pPrev == last && p->x >= 0 && p->y >= 0);
        last = p;
        ++count;
    }
    Check(count == doc.GetPointCount() && doc.GetTail() == last);
    Check(!doc.IsClosed() || count >= 3);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    orvanel::MemorySettingsStore settings;
    SilentPrompter prompter;
    orvanel::CTavrinEditorDoc doc(settings, prompter);
    doc.AppendPoint(5, 5);
    const auto before = StoreOf(doc);

    orvanel::CMemFile file(std::vector<std::uint8_t>(data, data + size));
    orvanel::CArchive ar(file, orvanel::CArchive::Mode::load);
    const bool loaded = doc.Serialize(ar);
    CheckSound(doc);
    if (!loaded) {
        Check(StoreOf(doc) == before);
        return 0;
    }
    // What loaded stores and loads again to the same bytes.
    const auto stored = StoreOf(doc);
    orvanel::CMemFile again(stored);
    orvanel::CArchive ar2(again, orvanel::CArchive::Mode::load);
    Check(doc.Serialize(ar2));
    Check(StoreOf(doc) == stored);
    // The curve of whatever loaded can be hit-tested.
    doc.HitTestCurve(50, 50);
    return 0;
}
