#pragma once

#include "ui/ToolbarClient.h"

#include <array>
#include <string_view>

namespace nakva {

// A button of the main window's toolbar: its own tooltip (a child window may set another) and the
// name of its picture among the program's icons.
struct ToolbarButtonDef {
    ToolbarButton button;
    std::string_view tooltip;
    std::string_view icon;
};

// The buttons, left to right.
const std::array<ToolbarButtonDef, ToolbarButtonCount>& toolbarButtons();

} // namespace nakva
