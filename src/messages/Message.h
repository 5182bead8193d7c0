#pragma once

#include <string>
#include <string_view>

namespace nakva {

// Standard buttons by value; a request names a sum of them.
enum MessageButton : unsigned {
    ButtonOk = 1,
    ButtonYes = 2,
    ButtonNo = 4,
    ButtonAbort = 8,
    ButtonRetry = 16,
    ButtonIgnore = 32,
    ButtonCancel = 64,
    ButtonHelp = 128,
};

enum class MessageIcon { None, Information, Exclamation };

struct MessageRequest {
    std::string text;
    std::string title; // empty: the window keeps its own title "Pranešimas"
    MessageIcon icon = MessageIcon::None;
    unsigned buttons = 0;  // sum of MessageButton values; 0 means OK alone
    std::string captions;  // "Vienas|Du|Trys": buttons by caption instead; the result is the ordinal.
                           // Digits alone ("0", "70") name the buttons by value as `buttons` does.
    int defaultButton = 0; // value (or ordinal for captions); 0: the first button
    bool modal = true;     // true: blocks the whole program; false: only the calling window
};

// Every message of the program passes through the one installed sink: the message window in the
// program, a recording script in tests, standard error in nakva-cli.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    // Returns the pressed button's value, or its ordinal for a caption list.
    virtual int show(const MessageRequest& request) = 0;
};

// The sink stays owned by the caller and must outlive its installation (see ScopedMessageSink).
void setMessageSink(MessageSink* sink); // nullptr restores the default, which answers the default button
MessageSink& messageSink();
int showMessage(const MessageRequest& request);
// Called on the showing thread before each message is shown: what the program holds only for a moment
// (the files' read locks of a form's opening) is let go before the user is waited for. The store
// installs it; nullptr removes it.
void setBeforeMessage(void (*letGo)());
// A text with an OK button, under a title of its own or the window's ("Pranešimas").
int showMessage(std::string text, std::string title = {}, MessageIcon icon = MessageIcon::None);

// The default sink: shows nothing and answers the request's default button.
class DefaultMessageSink : public MessageSink {
public:
    int show(const MessageRequest& request) override;
};

// A program stop: thrown after its message and caught at the entry point, which ends the program
// showing the text. Nothing deep inside ever calls exit().
struct ProgramStop {
    std::string text;
};

} // namespace nakva
