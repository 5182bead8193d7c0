#pragma once

#include <string_view>
#include <vector>

namespace nakva {

// What choosing a menu entry does.
enum class MenuAction {
    Submenu, // opens its children
    Separator,
    Procedure,    // starts the named procedure in a child window of its own
    PrinterSetup, // the printer set-up dialog
    About,        // the About window, on the frame itself
    Tile,
    Cascade,
    ArrangeIcons, // of the minimised child windows
    ToolbarShown, // shows or hides the toolbar (its own popup menu can hide it)
    WindowList,   // the open child windows, one entry each, the active one checked: filled on opening
    Quit,         // closes every child window and the program, without a question
};

// One entry of the main window's menu: its text ("&" before the access letter), the hint the status
// line shows while it is highlighted, and what it does.
struct MenuEntry {
    std::string_view text;
    std::string_view hint;
    MenuAction action = MenuAction::Procedure;
    std::string_view procedure; // for MenuAction::Procedure
    std::vector<MenuEntry> children;
};

// The menu bar, left to right. Entries of the bar itself may act directly ("Gyventojai", "&Baigti").
const std::vector<MenuEntry>& mainMenu();

// A procedure the toolbar starts, after the buttons that act on the active child window: its picture
// (":/shell/<icon>.svg"), its tip and the procedure.
struct ToolbarProcedure {
    std::string_view icon;
    std::string_view tooltip;
    std::string_view procedure;
};
const std::vector<ToolbarProcedure>& toolbarProcedures();

// The procedure start-up opens at once: the list of current registrations.
inline constexpr std::string_view CurrentRegistrationsProcedure = "SarSaskait";

} // namespace nakva
