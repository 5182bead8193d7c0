#pragma once

#include <ostream>
#include <span>
#include <string>

namespace nakva {

// nakva-cli, the administrator's companion, working on the DATA folder below the current folder or
// below --dir DIR:
//   init                  creates every table file that is missing
//   check                 opens every file read-only and reports damaged keys or layouts, and links
//                         that name their parent in another letter case or not at all
//   rebuild-keys [TABLE]  builds the keys of one table (or of every existing file) again
//   count TABLE           the number of records
//   export TABLE [--order ORDER] [--filter EXPR] [--set NAME=VALUE ...] [--format csv|json]
//   import TABLE FILE     adds the records of a CSV file, all of them or none
//   delete TABLE --filter EXPR [--set ...] [--yes]    the records through the program's guarded delete
//   update TABLE --filter EXPR [--set ...] --field NAME=VALUE ... [--yes]    ... and guarded change
//   report NAME [--from DATE --to DATE] [--pdf FILE] [--wmf-dir DIR]   a report as PDF or page files
//   isaf [--from DATE --to DATE] [--out FILE]   the tax authority's register of issued invoices
//   backup [--to FOLDER] [--keep N]   a copy of every table file as of one moment, each checked, in
//                         a dated folder of its own
//   restore FOLDER        puts a backup back, after checking it whole, while no station uses the folder
// and --help for each.
enum ExitCode : int {
    ExitOk = 0,
    ExitFailed = 1, // the command could not do its work (a message says why)
    ExitUsage = 2,  // the command line was wrong
};

// Runs one command line (the words after the program's name). What the command is asked to give
// (help, counts, reports, exported records) goes to `out`; every message goes through the message sink.
int runCli(std::span<const std::string> words, std::ostream& out);

} // namespace nakva
