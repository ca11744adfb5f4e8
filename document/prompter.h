// How the core talks to the user: message boxes and yes/no questions. The
// application shows real boxes; tests record what would have been shown
// (tests/support/test_doubles.h).
#pragma once

#include <string_view>

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

}  // namespace orvanel
