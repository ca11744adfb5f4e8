// How the core talks to the user: message boxes and yes/no questions. The
// application shows real boxes; tests record what would have been shown.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvanel {

enum class MessageIcon { None, Exclamation, Stop };

class Prompter {
public:
    virtual ~Prompter() = default;
    // An OK box. The caption is the program's name unless a part of the
    // program has its own ("CPicture Error").
    virtual void ShowMessage(std::string_view text, MessageIcon icon = MessageIcon::Exclamation,
                             std::string_view caption = "Orvanel") = 0;
    // An OK box with the exclamation icon whose secondary text says why, in
    // the system's words where the system refused ("Permission denied").
    virtual void ShowError(std::string_view text, std::string_view reason) = 0;
    // A Yes/No box with the exclamation icon; true means Yes.
    virtual bool AskYesNo(std::string_view text) = 0;
};

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

}  // namespace orvanel
