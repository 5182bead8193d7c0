#pragma once

#include "ui/Requests.h"

class QWidget;

namespace nakva {

class Context;

// The invoice line form with its schedule and the schedule row form, as the registration's lines open
// them: the line (or, for an insert, its registration's number) in the `Saskeil` buffer of `context`,
// the registration as edited so far in the `Saskait` buffer.
FormResult callInvoiceLineForm(Context& context, Request request, QWidget* caller);
FormResult callScheduleRowForm(Context& context, Request request, QWidget* caller);

// Adds both forms by name ("UpdateSaskeil", "RedSEilGr") for the windows that call them.
void registerInvoiceLineWindows();

} // namespace nakva
