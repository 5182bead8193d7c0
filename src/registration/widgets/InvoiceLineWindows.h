#pragma once

#include "ui/Requests.h"

class QWidget;

namespace nakva {

class Context;
class FormWindow;

// The invoice line form with its schedule and the schedule row form, as the registration's lines open
// them: the line (or, for an insert, its registration's number) in the `Saskeil` buffer of `context`,
// the registration as edited so far in the `Saskait` buffer.
void callInvoiceLineForm(Context& context, Request request, QWidget* caller, FormDone done);
void callScheduleRowForm(Context& context, Request request, QWidget* caller, FormDone done);

// The registration form's "Automatiškai sukurti pagrindinių paslaugų eilutes" on its invoice tab: the
// main service lines of the registration as edited so far, at its rooms' price a day; its lines and
// totals follow.
void addMainServiceLinesButton(FormWindow& form);

// Adds both forms by name ("UpdateSaskeil", "RedSEilGr") for the windows that call them.
void registerInvoiceLineWindows();

} // namespace nakva
