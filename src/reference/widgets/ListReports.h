#pragma once

#include <string_view>

class QWidget;

namespace nakva {

class ListWindow;

// A report of a list's print menu that runs as the menu starts it: in a window of its own in the main
// window that holds the list. A report nobody registered (and a list outside the main window) shows
// warning 6 "Procedūra neapibrėžta".
void startListReport(QWidget& list, std::string_view report);

// A report of a list's print menu, as above; but one about the list's highlighted record (the book of
// the current service, the invoices or the address of the current payer) runs on the list's own
// context and takes that record from its buffers, the list waiting for it; on an empty list nothing
// happens.
void printFromList(ListWindow& list, std::string_view report);

} // namespace nakva
