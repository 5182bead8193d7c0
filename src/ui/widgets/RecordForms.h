#pragma once

#include "ui/widgets/ListWindow.h"

#include <string>
#include <string_view>
#include <vector>

namespace nakva {

// The record forms that other windows open by name ("UpdateSaskKmb"): a form's child lists name the
// children's form. Each layer adds its forms when the program starts. A call runs on the caller's
// context and answers through `done` once the form has closed (FormWindow::call).
void addRecordForm(std::string name, WidgetFormCall call);
// The names of the forms added.
std::vector<std::string> recordFormNames();
// A name nobody added shows warning 6 "Procedūra neapibrėžta" and answers Cancelled at once.
void callRecordForm(std::string_view name, Context& context, Request request, QWidget* caller, FormDone done);

} // namespace nakva
