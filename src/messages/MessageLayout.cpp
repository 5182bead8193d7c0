#include "messages/MessageLayout.h"

#include <algorithm>
#include <charconv>

namespace nakva {

namespace {

constexpr std::string_view kDefaultTitle = "Pranešimas";

constexpr int kMargin = 12;
constexpr int kIconSize = 18;
constexpr int kTextXWithIcon = 42;
constexpr int kRightMargin = 24;
constexpr int kButtonWidth = 54;
constexpr int kButtonGap = 2;
constexpr int kButtonHeight = 14;
constexpr int kButtonRowGap = 8;
constexpr int kBottomMargin = 8;

struct StandardButton {
    unsigned value;
    std::string_view caption;
    ButtonIconKind icon;
};

constexpr StandardButton kStandardButtons[] = {
    {ButtonOk, "&Gerai", ButtonIconKind::CheckMark},
    {ButtonYes, "&Taip", ButtonIconKind::CheckMark},
    {ButtonNo, "&Ne", ButtonIconKind::Cancel},
    {ButtonAbort, "&Nutraukti", ButtonIconKind::Cancel},
    {ButtonRetry, "&Kartoti", ButtonIconKind::Ditto},
    {ButtonIgnore, "&Ignoruoti", ButtonIconKind::Cancel},
    {ButtonCancel, "&Nutraukti", ButtonIconKind::Cancel},
    {ButtonHelp, "&Pagalba", ButtonIconKind::Help},
};

bool startsCharacter(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
}

void appendBrokenRows(std::string_view line, std::vector<std::string>& rows) {
    for (;;) {
        std::size_t characters = 0;
        std::size_t at = 0;
        std::size_t breakAfter = std::string_view::npos;
        for (; at < line.size(); ++at) {
            if (!startsCharacter(line[at]))
                continue;
            if (characters == kMessageMaxRowLength)
                break;
            ++characters;
            if (line[at] == ' ')
                breakAfter = at + 1;
        }
        if (at == line.size() || breakAfter == std::string_view::npos) {
            rows.emplace_back(line);
            return;
        }
        rows.emplace_back(line.substr(0, breakAfter));
        line.remove_prefix(breakAfter);
    }
}

bool allDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Captions that are digits alone name the buttons by value.
bool byCaption(const MessageRequest& request) {
    return !request.captions.empty() && !allDigits(request.captions);
}

std::vector<MessageLayoutButton> buttonsByValue(unsigned value) {
    std::vector<MessageLayoutButton> buttons;
    for (const StandardButton& button : kStandardButtons)
        if (value & button.value)
            buttons.push_back({static_cast<int>(button.value), std::string(button.caption), button.icon, {}});
    if (buttons.empty())
        buttons.push_back({ButtonOk, std::string(kStandardButtons[0].caption), kStandardButtons[0].icon, {}});
    return buttons;
}

std::vector<MessageLayoutButton> buttonsByCaption(std::string_view captions) {
    std::vector<MessageLayoutButton> buttons;
    for (;;) {
        const std::size_t bar = captions.find('|');
        buttons.push_back({static_cast<int>(buttons.size() + 1),
                           std::string(captions.substr(0, bar)),
                           ButtonIconKind::None,
                           {}});
        if (bar == std::string_view::npos)
            return buttons;
        captions.remove_prefix(bar + 1);
    }
}

std::size_t defaultIndexOf(const std::vector<MessageLayoutButton>& buttons, int requested) {
    const auto found =
        std::find_if(buttons.begin(), buttons.end(),
                     [requested](const MessageLayoutButton& b) { return b.result == requested; });
    return found == buttons.end() ? 0 : static_cast<std::size_t>(found - buttons.begin());
}

} // namespace

bool MessageLayout::hasResult(int result) const {
    return std::any_of(buttons.begin(), buttons.end(),
                       [result](const MessageLayoutButton& b) { return b.result == result; });
}

int averageTextWidth(std::string_view row) {
    return 4 * static_cast<int>(std::count_if(row.begin(), row.end(), startsCharacter));
}

std::vector<std::string> messageRows(std::string_view text) {
    std::vector<std::string> rows;
    for (;;) {
        const std::size_t end = text.find_first_of("\n|");
        std::string_view line = text.substr(0, end);
        if (end != std::string_view::npos && text[end] == '\n' && line.ends_with('\r'))
            line.remove_suffix(1);
        appendBrokenRows(line, rows);
        if (end == std::string_view::npos)
            return rows;
        text.remove_prefix(end + 1);
    }
}

std::vector<MessageLayoutButton> messageButtons(const MessageRequest& request) {
    if (byCaption(request))
        return buttonsByCaption(request.captions);
    if (request.captions.empty())
        return buttonsByValue(request.buttons);
    unsigned value = 0;
    const char* first = request.captions.data();
    const auto [ptr, error] = std::from_chars(first, first + request.captions.size(), value);
    return buttonsByValue(error == std::errc() ? value : 0);
}

MessageLayout layoutMessage(const MessageRequest& request, const TextWidth& textWidth) {
    MessageLayout layout;
    layout.title = request.title.empty() ? std::string(kDefaultTitle) : request.title;
    layout.icon = request.icon;
    layout.rows = messageRows(request.text);
    layout.firstRowY = kMargin;
    layout.rowHeight = kMessageRowHeight;
    layout.buttons = messageButtons(request);
    layout.captionList = byCaption(request);
    layout.defaultIndex = defaultIndexOf(layout.buttons, request.defaultButton);

    int textBottom = kMargin + static_cast<int>(layout.rows.size()) * layout.rowHeight;
    if (request.icon != MessageIcon::None) {
        layout.iconRect = {kMargin, kMargin, kIconSize, kIconSize};
        layout.textX = kTextXWithIcon;
        textBottom = std::max(textBottom, kMargin + kIconSize);
    } else {
        layout.textX = kMargin;
    }

    int longestRow = 0;
    for (const std::string& row : layout.rows)
        longestRow = std::max(longestRow, textWidth(row));
    const int buttonCount = static_cast<int>(layout.buttons.size());
    layout.width = std::max(longestRow + layout.textX + kRightMargin,
                            buttonCount * (kButtonWidth + kButtonGap) + kButtonGap + kRightMargin);

    const int buttonsWidth = buttonCount * (kButtonWidth + kButtonGap) - kButtonGap;
    const int buttonY = textBottom + kButtonRowGap;
    int x = (layout.width - buttonsWidth) / 2;
    for (MessageLayoutButton& button : layout.buttons) {
        button.rect = {x, buttonY, kButtonWidth, kButtonHeight};
        x += kButtonWidth + kButtonGap;
    }
    layout.height = buttonY + kButtonHeight + kBottomMargin;
    return layout;
}

int defaultAnswer(const MessageRequest& request) {
    const std::vector<MessageLayoutButton> buttons = messageButtons(request);
    return buttons[defaultIndexOf(buttons, request.defaultButton)].result;
}

} // namespace nakva
