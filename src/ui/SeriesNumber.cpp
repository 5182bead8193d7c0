#include "ui/SeriesNumber.h"

#include "data/Collation.h"
#include "data/Table.h"
#include "data/Text.h"
#include "messages/StandardWarnings.h"
#include "ui/FormEngine.h"

#include <limits>
#include <string>

namespace nakva {

namespace {

constexpr int WarningRecordRetrieval = 35;

} // namespace

std::optional<std::int64_t> nextInSeries(Context& context, TableId id, int key, std::string_view series,
                                         const Position& own) {
    Table probe(context, id, false);
    probe.open();
    const KeyDef& order = probe.def().keys.at(std::size_t(key));
    const int seriesField = order.components.at(0);
    const int numberField = order.components.at(1);
    probe.clear();
    (void)probe.record().setValue(seriesField, std::string(series));
    // The probe stands after every record of the series: the highest number, then the highest of the
    // numbers that follow it.
    for (std::size_t i = 1; i < order.components.size(); ++i) {
        (void)probe.record().setValue(order.components[i],
                                      std::int64_t(std::numeric_limits<std::int32_t>::max()));
    }
    const std::string wanted = std::string(trimRight(probe.record().text(seriesField)));
    std::optional<std::int64_t> next = 1;
    StoreStatus status = probe.setToKeyValue(key);
    while (status == StoreStatus::Ok) {
        status = probe.previous();
        if (status != StoreStatus::Ok) {
            break;
        }
        const std::string found = std::string(trimRight(probe.record().text(seriesField)));
        if (compareNoCase(found, wanted) != 0) {
            break; // before the series: no record of it
        }
        if (found == wanted && (own.empty() || !probe.position().sameRecord(own))) {
            next = probe.record().storedInteger(numberField) + 1;
            break;
        }
    }
    if (status != StoreStatus::Ok && status != StoreStatus::EndOfData) {
        standardWarning(WarningRecordRetrieval, probe.def().messageName());
        next.reset();
    }
    probe.close();
    return next;
}

std::optional<std::int32_t> numberInSeries(FormEngine& form, int key) {
    Record& record = form.record();
    const KeyDef& order = form.table().def().keys.at(std::size_t(key));
    const int seriesField = order.components.at(0);
    const int numberField = order.components.at(1);
    if (form.request() == Request::Change && record.sameValue(form.openingCopy(), seriesField)) {
        (void)record.setValue(numberField, form.openingCopy().value(numberField));
        return std::int32_t(record.storedInteger(numberField));
    }
    const std::optional<std::int64_t> next =
        nextInSeries(form.context(), form.table().id(), key, record.text(seriesField), form.position());
    if (!next || *next > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    record.setStoredInteger(numberField, *next);
    return std::int32_t(*next);
}

} // namespace nakva
