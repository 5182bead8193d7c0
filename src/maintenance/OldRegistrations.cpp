#include "maintenance/OldRegistrations.h"

#include "data/Collation.h"
#include "data/Context.h"
#include "data/Table.h"
#include "data/Text.h"
#include "data/Variables.h"
#include "data/View.h"
#include "messages/ErrorText.h"
#include "messages/StandardWarnings.h"

#include <cstdio>

namespace nakva {

namespace {

constexpr int WarningBatchFailed = 31;
constexpr int WarningRetrieval = 35;

} // namespace

Date endOfPreviousYear(Date date) {
    return dateFromYmd(ymdFromDate(date).year - 1, 12, 31);
}

std::string removalDoneText(std::int64_t removed) {
    char count[24];
    std::snprintf(count, sizeof count, "%6lld", static_cast<long long>(removed));
    return std::string("Baigta. Pašalinta įrašų: ") + count;
}

OldRegistrationRemoval::OldRegistrationRemoval(Context& context, Date limit, Date today)
    : context_(context), limit_(limit == NoDate ? endOfPreviousYear(today) : limit) {}

OldRegistrationRemoval::~OldRegistrationRemoval() {
    if (opened_) {
        context_.table(TableId::Saskait).close();
    }
}

bool OldRegistrationRemoval::start() {
    Table& registrations = context_.table(TableId::Saskait);
    registrations.open();
    opened_ = true;
    Variables variables;
    variables.set("GLO:PrDt", std::int64_t(0));
    variables.set("GLO:GalDt", std::int64_t(limit_));
    {
        // Chosen in one read of one moment; none stays open while they are removed.
        View view(registrations);
        view.setOrder("+SAS:IrasoDt,+SAS:IrasoNr");
        view.setFilter(std::string(Filter));
        view.variables() = variables;
        view.holdOneMoment();
        if (view.open() == StoreStatus::Ok) {
            for (view.setToStart(); view.next() == StoreStatus::Ok;) {
                chosen_.push_back(registrations.position());
            }
        }
    }
    auto condition = selectionCondition(context_, TableId::Saskait, Filter, variables);
    if (!condition) {
        return false; // the fixed filter always reads; the view has said why if not
    }
    stillSelected_ = std::move(*condition);
    return true;
}

BatchProcess::Step OldRegistrationRemoval::step() {
    if (cancelled_ || next_ >= chosen_.size()) {
        return Step::Done;
    }
    Table& registrations = context_.table(TableId::Saskait);
    switch (registrations.regetByPosition(chosen_[next_++])) {
    case StoreStatus::Ok:
        break;
    case StoreStatus::NotFound:
        ++skipped_; // removed by another station meanwhile
        return Step::More;
    default:
        saveErrorCondition();
        standardWarning(WarningRetrieval, registrations.def().messageName());
        return Step::Failed;
    }
    registrations.watch();
    switch (guardedDelete(registrations, stillSelected_)) {
    case GuardedResult::Done:
        ++removed_;
        return Step::More;
    case GuardedResult::NotSelected:
        ++skipped_;
        return Step::More;
    default:
        standardWarning(WarningBatchFailed, "Delete", registrations.def().messageName());
        return Step::Failed;
    }
}

} // namespace nakva
