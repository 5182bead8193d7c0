#pragma once

#include <string_view>

class QWidget;

namespace nakva {

// A report of a list's print menu that runs as the menu starts it: in a window of its own in the main
// window that holds the list. A report nobody registered (and a list outside the main window) shows
// warning 6 "Procedūra neapibrėžta".
void startListReport(QWidget& list, std::string_view report);

} // namespace nakva
