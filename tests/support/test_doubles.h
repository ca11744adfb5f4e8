// The test doubles of the core's interfaces that the unit tests, the GUI
// tests, the fuzzer and the benchmarks share; none of them ships in the
// program.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "document/commands.h"
#include "document/prompter.h"
#include "document/settings_store.h"
#include "editor/edit_tools.h"

namespace orvanel {

// Remembers every message and answers questions with a fixed reply.
class RecordingPrompter final : public Prompter {
public:
    struct Entry {
        std::string text;
        MessageIcon icon;
        std::string caption;
        bool question;
        std::string reason = {};
    };

    explicit RecordingPrompter(bool answer = true) : m_bAnswer(answer) {}

    void ShowMessage(std::string_view text, MessageIcon icon, std::string_view caption) override {
        m_shown.push_back({std::string(text), icon, std::string(caption), false});
    }
    void ShowError(std::string_view text, std::string_view reason) override {
        m_shown.push_back(
            {std::string(text), MessageIcon::Exclamation, "Orvanel", false, std::string(reason)});
    }
    bool AskYesNo(std::string_view text) override {
        m_shown.push_back({std::string(text), MessageIcon::Exclamation, "Orvanel", true});
        return m_bAnswer;
    }

    const std::vector<Entry>& Entries() const { return m_shown; }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& s : m_shown) texts.push_back(s.text);
        return texts;
    }
    void Clear() { m_shown.clear(); }
    void SetAnswer(bool answer) { m_bAnswer = answer; }

private:
    bool m_bAnswer;
    std::vector<Entry> m_shown;
};

// Values live in a map; integers are kept as their decimal text, so a test can
// plant garbage under an integer key just as a hand-edited file could.
class MemorySettingsStore final : public SettingsStore {
public:
    int GetInt(std::string_view section, std::string_view key, int defaultValue) override;
    void WriteInt(std::string_view section, std::string_view key, int value) override;
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) override;
    void WriteString(std::string_view section, std::string_view key,
                     std::string_view value) override;

    bool Has(std::string_view section, std::string_view key) const;
    std::size_t WriteCount() const { return m_nWrites; }

private:
    std::map<std::pair<std::string, std::string>, std::string> m_values;
    std::size_t m_nWrites = 0;
};

// Remembers the commands posted and counts the editor's invalidations.
class RecordingCommandHost final : public CommandHost {
public:
    void PostCommand(Command c) override { posted.push_back(c); }
    void InvalidateEditor() override { ++invalidated; }
    std::vector<Command> posted;
    int invalidated = 0;
};

// An owner of the editing tools without a window: it draws and scrolls nothing.
class NullToolsOwner final : public EditToolsOwner {
public:
    EditorLook Look() const override { return {}; }
    bool IsGridOn() const override { return false; }
    void CaptureMouse() override {}
    void ReleaseMouse() override {}
    void InvalidateLive(const IntRect&) override {}
    void Invalidate(const IntRect&) override {}
    void InvalidateAll() override {}
    void SetStatusText(StatusPane, std::string_view, bool) override {}
    void Scroll(ScrollBar, ScrollCode) override {}
};

}  // namespace orvanel
