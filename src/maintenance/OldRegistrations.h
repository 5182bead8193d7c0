#pragma once

#include "data/Date.h"
#include "data/Integrity.h"
#include "data/Position.h"
#include "maintenance/BatchProcess.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nakva {

class Context;

// The removal of old registrations ("Pašalinti senus registracijos įrašus"): the registrations of
// departed guests entered on or before a limit date go for good, each with its payments, invoice lines
// with their schedules and occupied rooms.

// 31 December of the year before `date`: the limit the window proposes and the process falls back to.
Date endOfPreviousYear(Date date);
// "Baigta. Pašalinta įrašų: " and the count right-aligned in 6 places.
std::string removalDoneText(std::int64_t removed);

// The process itself, on a limit of its own (the window's date, not the shared report period, which
// another window may change meanwhile). The registrations are chosen at the start in one read of one
// moment; inside each registration's transaction, once it is re-read, it must still be departed and
// entered within the limit, or it is left (another station may have cancelled the departure).
class OldRegistrationRemoval : public BatchProcess {
public:
    // A limit of NoDate means 31 December of the year before `today`.
    OldRegistrationRemoval(Context& context, Date limit, Date today);
    ~OldRegistrationRemoval() override;

    // The limit the process removes up to.
    Date limit() const { return limit_; }
    // Registrations actually removed, and those left because another station had changed or removed
    // them after the choice.
    std::int64_t removed() const { return removed_; }
    std::int64_t skipped() const { return skipped_; }

    std::string_view userText() const override { return "Pašalinimai seni registracijos įrašai"; }
    bool start() override;
    // A fixed assumed total: the percentage counts against 1000 registrations.
    std::int64_t total() const override { return 1000; }
    Step step() override;
    void cancel() override { cancelled_ = true; }

    // Which registrations: entered from GLO:PrDt (0) to GLO:GalDt (the limit), departed.
    static constexpr std::string_view Filter =
        "SAS:IrasoDt >= GLO:PrDt AND SAS:IrasoDt <= GLO:GalDt AND (SAS:Isvykes)";

private:
    Context& context_;
    Date limit_;
    bool opened_ = false;
    bool cancelled_ = false;
    std::vector<Position> chosen_;
    std::size_t next_ = 0;
    StillSelected stillSelected_;
    std::int64_t removed_ = 0;
    std::int64_t skipped_ = 0;
};

} // namespace nakva
