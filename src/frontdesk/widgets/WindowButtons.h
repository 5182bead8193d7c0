#pragma once

#include <string>

class QBoxLayout;
class QWidget;

namespace nakva {

// "Baigti" and "Pagalba" at the end of a front desk window's button row: the first closes the window
// (its frame, when it stands in the main window), the second opens the guide at `topic`.
void addCloseAndHelp(QWidget& window, QBoxLayout& row, std::string topic);

} // namespace nakva
