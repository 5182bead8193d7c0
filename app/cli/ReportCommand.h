#pragma once

#include "reports/FileSave.h"

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace nakva {

class CommandLine;
class Context;
class Database;

// The institution's record (for page headers, an invoice's seller), read as the program reads it at
// start-up but without writing anything: an empty table leaves the record blank.
void readInstitution(Context& context);

// `nakva-cli report NAME [PARAMETERS] [--pdf FILE] [--wmf-dir DIR]`: runs a report as the program
// does, with the same layouts and run, but without windows. What the report's dialog asks comes from
// options (--from/--to, --group, --service, --service-group, --include-departed, --without-prices,
// --service-name; a value not given is what the dialog proposes: the month of today, all groups ...),
// and the record a report is about, which a list's current row gives in the program, from the option
// that names it (--registration N, --service NAME, --payer CODE). The pages go to a PDF document
// and/or to page files NAME0001.wmf ... in a folder. Nothing is written when the report selects
// nothing. An option the report does not take is refused.
int reportCommand(Database& database, const CommandLine& line, std::ostream& out);

// `nakva-cli report --help` (the command's help and the reports there are) and `nakva-cli report NAME
// --help` (what that report takes).
int reportHelp(const std::vector<std::string>& operands, std::string_view commandHelp, std::ostream& out);

// Writes page files as one PDF document. The PDF needs a graphical toolkit's fonts, which this
// library does not link: the program supplies the writer (nakva-cli's main).
using PdfWriter = std::function<SaveResult(const std::vector<std::filesystem::path>& pages,
                                           const std::filesystem::path& target, const std::string& title)>;
void setPdfWriter(PdfWriter writer);

} // namespace nakva
