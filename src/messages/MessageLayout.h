#pragma once

#include "messages/Message.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace nakva {

// Everything the message window draws, computed without any widget. Geometry is in dialog units:
// 4 horizontal units are the font's average character width, 8 vertical units its height.

enum class ButtonIconKind { None, CheckMark, Cancel, Ditto, Help };

struct DialogRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const DialogRect&) const = default;
};

struct MessageLayoutButton {
    int result = 0;      // the button's value, or its ordinal (1 for the first) in a caption list
    std::string caption; // "&" marks the access letter
    ButtonIconKind icon = ButtonIconKind::None;
    DialogRect rect;
};

struct MessageLayout {
    std::string title; // the request's title, else "Pranešimas"
    MessageIcon icon = MessageIcon::None;
    DialogRect iconRect;           // empty when no icon is shown
    std::vector<std::string> rows; // the text, one entry per row
    int textX = 12;
    int firstRowY = 12;
    int rowHeight = 10;
    std::vector<MessageLayoutButton> buttons;
    bool captionList = false;     // buttons by caption: results are ordinals, no Cancel among them
    std::size_t defaultIndex = 0; // index into buttons of the button that gets the focus
    int width = 0;
    int height = 0;

    int defaultResult() const { return buttons[defaultIndex].result; }
    bool hasResult(int result) const;
    bool hasCancel() const { return !captionList && hasResult(ButtonCancel); }
};

inline constexpr int kMessageRowHeight = 10;
inline constexpr int kMessageMaxRowLength = 80; // characters, not bytes

// Width of a row of text in dialog units.
using TextWidth = std::function<int(std::string_view row)>;

// The headless estimate: every character is one average character wide (4 units).
int averageTextWidth(std::string_view row);

// Splits the text into rows: at each line feed or "|" (a carriage return just before a line feed is
// dropped), and breaks a row longer than 80 characters after the last blank within its first 80
// characters, again and again; a row with no blank there stays whole. Never at a hyphen: a date
// ("2024-04-15") or a file name ("2026-12-07_083015") would be split across two rows.
std::vector<std::string> messageRows(std::string_view text);

// The buttons of a request in their order, with captions and icons; no geometry yet.
std::vector<MessageLayoutButton> messageButtons(const MessageRequest& request);

MessageLayout layoutMessage(const MessageRequest& request, const TextWidth& textWidth = averageTextWidth);

// The answer of a message nobody sees: its default button's value (or ordinal).
int defaultAnswer(const MessageRequest& request);

} // namespace nakva
