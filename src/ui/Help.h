#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace nakva {

// The program's help, opened by F1 and by every window's help button. A window names its topic
// (empty: the guide's contents); the program installs the viewer that shows it.
using HelpHandler = std::function<void(std::string_view topic)>;

void setHelpHandler(HelpHandler handler); // an empty handler makes showHelp() do nothing
void showHelp(std::string_view topic = {});

} // namespace nakva
