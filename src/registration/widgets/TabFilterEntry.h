#pragma once

#include "data/Record.h"

#include <QString>

#include <functional>
#include <string>
#include <string_view>

class QWidget;

namespace nakva {

class Context;
class ListWindow;

// A filter value typed above the rows of a tab ("Mokėtojas:"): accepted, it is bound to the list's
// variable and the list read again from the top. `beside`, when given, names the value beside the
// entry (the payer's name), read on the list's context.
QWidget* filterEntry(ListWindow& window, const QString& prompt, const char* name, std::string_view variable,
                     bool number, std::function<std::string(Context&, const Value&)> beside = {});

} // namespace nakva
