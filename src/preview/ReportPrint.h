#pragma once

#include "preview/PreviewState.h"

#include <QString>

class QPrinter;

namespace nakva {

// Prints the report's pages on `printer`, one sheet per entry in list order, as the job `jobName`.
// Every page is read before the job starts, so a page that cannot be read or a printer that cannot
// start is shown through the message window and nothing goes to the printer; returns false then.
// An empty list prints nothing.
bool printReportPages(const PageList& pages, const QString& jobName, QPrinter& printer);

} // namespace nakva
