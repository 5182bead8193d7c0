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
// context and returns when the list closes; on Completed the chosen record stands in the table's
// buffer there.
using SelectionListCall = std::function<Response(Context& context, QWidget* caller)>;

void addSelectionList(std::string name, SelectionListCall call);
// A name nobody added shows warning 6 "Procedūra neapibrėžta" and gives Cancelled.
Response callSelectionList(std::string_view name, Context& context, QWidget* caller);

} // namespace nakva
