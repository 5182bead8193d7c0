#pragma once

#include "reports/FileSave.h"

#include <QString>

#include <filesystem>
#include <vector>

namespace nakva {

// Saving from the report preview. Both save through a temporary file in the target's folder, so a
// failure leaves no half-written file under the chosen name; a failure is shown to the user through
// the message window ("Failo „…“ išsaugoti nepavyko: …") and the function returns false.

// The current page's file, byte for byte (the dialog's default name is "Be pavadinimo.wmf").
bool savePageAsWmf(const std::filesystem::path& page, const std::filesystem::path& target);

// The whole report as one PDF document: each page file in list order becomes one page of its own
// size, with the fonts embedded, the title and creator set and the creation date stamped.
bool saveReportAsPdf(const std::vector<std::filesystem::path>& pages, const std::filesystem::path& target,
                     const QString& title);

// The same without the message: the outcome for the caller to report (nakva-cli, tests).
SaveResult writeReportPdf(const std::vector<std::filesystem::path>& pages,
                          const std::filesystem::path& target, const QString& title);

} // namespace nakva
