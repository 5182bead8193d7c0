#pragma once

#include "data/Dictionary.h"
#include "reports/ReportTotals.h"
#include "shell/Globals.h"

namespace nakva {

class Context;
class Record;

// What a report's layout reaches while it runs: the record buffers of the run's procedure context,
// the global report parameters as the dialog left them, the institution's record and the totals.
class ReportScope {
public:
    explicit ReportScope(Context& context) : context_(context) {}
    ReportScope(const ReportScope&) = delete;
    ReportScope& operator=(const ReportScope&) = delete;

    Context& context() const { return context_; }
    Record& record(TableId table) const;
    const Record& institution() const; // the IstgPar record
    // The caller's current record the report is about (ReportSubject), as it was when the run started;
    // nullptr for a report about no record.
    const Record* subject() const { return subject_; }
    const Globals& globals() const { return globals_; }
    ReportTotals& totals() { return totals_; }
    const ReportTotals& totals() const { return totals_; }

    void setGlobals(const Globals& globals) { globals_ = globals; }
    void setSubject(const Record* subject) { subject_ = subject; }

private:
    Context& context_;
    Globals globals_;
    const Record* subject_ = nullptr;
    ReportTotals totals_;
};

} // namespace nakva
