#pragma once

#include "data/Dictionary.h"
#include "reports/Band.h"
#include "reports/PageComposer.h"
#include "reports/ParameterDialogs.h"
#include "reports/ReportScope.h"

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace nakva {

// The two kinds of report run. A process run ("Formuojama ataskaita") leaves pagination to its layout
// ("Lapas " + page), and one that selects nothing, or is cancelled, ends without a preview. A report
// run ("Formuoju ataskaitą...") places its bands itself ("Lapas: " + page), and hands whatever it
// composed to the preview even when that is nothing or it was cancelled.
enum class RunStyle { Process, Report };

// A report's layout: the page with its header and footer, the report's header, the group breaks, the
// detail and the report's footer, and the little code a report needs beyond printing fields.
//
// What the bands see in the record buffers: the report header and a group header the group's first
// record, the detail its own record, a group footer the group's last record (the record that broke
// the group is put aside meanwhile), the report footer the last record read.
struct ReportLayout {
    PageFrame page;
    Band reportHeader;              // once, under the first page's header, before the first record
    std::vector<GroupBreak> groups; // the outermost first
    Band detail;
    Band reportFooter;

    // Runs for each record read, before its group breaks: related records read by key, computed
    // values. False skips the record (a condition the filter cannot express).
    std::function<bool()> onRecord;
    // Runs for each record after its group headers, before its detail: adds it to the totals.
    std::function<void(ReportTotals&)> accumulate;
    // Runs once every record is read, after the last group footers and before the report footer:
    // a report that gathers its rows first prints them here, placing the bands itself.
    std::function<bool(PageComposer&)> onEnd;
};

// The record current in the window that starts a report (the highlighted registration, the current
// service or payer): the run copies the named fields of it into variables before its view opens, so
// that its filter keeps selecting the same invoice or service while the record buffers move on.
//
//     {SAS::table, "Report:Save::", {"SAS:SaskDt", "SAS:SaskSer", "SAS:SaskNr"}}
//         binds "Report:Save::SAS:SaskDt" ... for "SAS:SaskDt = Report:Save::SAS:SaskDt AND ..."
//     {PAS::table, "", {"PAS:Pav"}}
//         binds "PAS:Pav" itself, hiding the field: "UPPER(SEI:PasPav) = UPPER(PAS:Pav)"
//
// A window gives the record (ReportRun::setSubject); without it the run takes the record standing in
// the table's buffer on its context when it starts, which is the list's current row when the report
// runs on the list's context. nakva-cli reads it by the option that names it (--registration N,
// --service NAME, --payer CODE).
struct ReportSubject {
    TableId table{};
    std::string_view prefix;              // put before each field's name
    std::vector<std::string_view> fields; // the fields bound, by name
};

// A report: its names, its parameter dialog, what it reads and how it prints. Adding a report is one
// such definition and its layout function (see SpPaslSar.cpp), and one line in ReportCatalog.cpp.
struct ReportSpec {
    std::string_view name;  // "SpPaslSar": page files and the preview's report name
    std::string_view title; // the preview title, "Paslaugų sąrašo ataskaita"; names the print job
    RunStyle style = RunStyle::Process;
    ParameterDialog dialog = ParameterDialog::None;
    TableId table{};              // the primary table the view reads
    std::vector<TableId> joins;   // parents joined to each record by the view
    std::vector<TableId> related; // tables the report reads by key for each record
    std::string_view filter;      // over fields and the global parameters; empty: every record
    std::string_view order;       // "+PAS:Pav"
    std::function<ReportLayout(ReportScope&)> layout;
    std::optional<ReportSubject> subject = {}; // the caller's current record the report is about
    // Shown (as a message) when the run ends having selected nothing, instead of ending silently: a
    // report on one document whose caller expects a printout ("Sąskaitoje nėra eilučių ...").
    std::string_view nothingSelected = {};
};

} // namespace nakva
