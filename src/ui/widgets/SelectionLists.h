#pragma once

#include "ui/Requests.h"

#include <functional>
#include <string>
#include <string_view>

class QWidget;

namespace nakva {

class Context;

// The lists that other windows call for a selection, by name ("BrowseValstyb"): a form's look-up
// names its list. Each layer adds its lists when the program starts. A call runs on the caller's
// context and answers through `done` once the list has gone (ListWindow::call); on Completed the
// chosen record stands in the table's buffer there.
using SelectionListCall = std::function<void(Context& context, QWidget* caller, SelectDone done)>;

void addSelectionList(std::string name, SelectionListCall call);
// A name nobody added shows warning 6 "Procedūra neapibrėžta" and answers Cancelled at once.
void callSelectionList(std::string_view name, Context& context, QWidget* caller, SelectDone done);

} // namespace nakva
