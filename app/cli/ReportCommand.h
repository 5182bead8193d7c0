#pragma once

#include "reports/FileSave.h"

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace nakva {

class CommandLine;
class Database;

// `nakva-cli report NAME [--from DATE --to DATE] [--pdf FILE] [--wmf-dir DIR]`: runs a report as the
// program does, with the same layouts and run, but without windows: the period comes from the options
// (else the dialog's own proposal, the month of today), the pages go to a PDF document and/or to page
// files NAME0001.wmf ... in a folder. Nothing is written when the report selects nothing.
int reportCommand(Database& database, const CommandLine& line, std::ostream& out);

// Writes page files as one PDF document. The PDF needs a graphical toolkit's fonts, which this
// library does not link: the program supplies the writer (nakva-cli's main).
using PdfWriter = std::function<SaveResult(const std::vector<std::filesystem::path>& pages,
                                           const std::filesystem::path& target, const std::string& title)>;
void setPdfWriter(PdfWriter writer);

} // namespace nakva
