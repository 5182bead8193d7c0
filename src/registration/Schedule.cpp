#include "registration/Schedule.h"

#include "data/Context.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "data/Transaction.h"
#include "messages/Message.h"
#include "messages/StandardWarnings.h"
#include "registration/InvoiceLine.h"
#include "registration/OwnTable.h"
#include "ui/FormEngine.h"
#include "ui/RecordNumbering.h"

#include <limits>

namespace nakva {

namespace {

constexpr int WarningAddFailed = 14;
constexpr int WarningTransaction = 34;
constexpr int WarningRetrieval = 35;

// The line's rows in schedule order, each passed on in the buffer.
template <typename Each> bool eachRow(Table& rows, std::int32_t line, Each&& each) {
    return eachChild(rows, SEIG::EILID_KEY, SEIG::SEILID, line, std::forward<Each>(each));
}

// Inside a transaction: removes every row of the line.
bool removeRows(Table& rows, std::int32_t line) {
    for (;;) {
        bool found = false;
        const bool read = eachRow(rows, line, [&rows, &found] {
            found = true;
            return false; // one at a time: a removal ends the read
        });
        if (!found) {
            return read;
        }
        if (rows.remove() != StoreStatus::Ok) {
            return false;
        }
    }
}

// Ends a failed transaction after the message for its condition: nothing of it stays.
bool failed(Transaction& transaction) {
    saveErrorCondition();
    transaction.rollback();
    standardWarning(WarningAddFailed);
    return false;
}

bool begin(Transaction& transaction, Table& rows) {
    if (transaction.begin({TableId::Seilgraf}) == StoreStatus::Ok) {
        return true;
    }
    saveErrorCondition();
    standardWarning(WarningTransaction, "Update", rows.def().messageName());
    return false;
}

} // namespace

std::optional<std::vector<Record>> scheduleOf(Context& context, std::int32_t line) {
    OwnTable rows(context, TableId::Seilgraf);
    std::vector<Record> read;
    if (!eachRow(*rows, line, [&rows, &read] {
            read.push_back(rows->record());
            return true;
        })) {
        standardWarning(WarningRetrieval, rows->def().messageName());
        return std::nullopt;
    }
    return read;
}

std::vector<ScheduleDay> freshSchedule(const Record& line) {
    std::vector<ScheduleDay> days;
    const Date first = line.get(SEI::GYVENANUO);
    const Date last = line.get(SEI::GYVENAIKI);
    if (first == NoDate || last == NoDate) {
        return days;
    }
    for (Date day = first; day <= last; ++day) {
        days.push_back({day, line.get(SEI::KIEKISPERDIENA)});
    }
    return days;
}

bool writeSchedule(Table& rows, std::int32_t line, const std::vector<ScheduleDay>& days) {
    std::int64_t next = 0;
    if (!removeRows(rows, line) || !highestRecordNumber(rows, next)) {
        return false;
    }
    for (const ScheduleDay& day : days) {
        rows.clear();
        Record& row = rows.record();
        row.setStoredInteger(SEIG::SEILGID.index, ++next);
        row.set(SEIG::SEILID, line);
        row.set(SEIG::Data, day.day);
        (void)row.set(SEIG::KIEKIS, day.quantity);
        if (next > std::numeric_limits<std::int32_t>::max()) {
            setLastOperationError(StoreError::condition(StoreError::BadStoredValue));
            return false;
        }
        if (rows.add() != StoreStatus::Ok) {
            return false;
        }
    }
    return true;
}

bool regenerateSchedule(Context& context, const Record& line) {
    const Date first = line.get(SEI::GYVENANUO);
    const Date last = line.get(SEI::GYVENAIKI);
    if (first == NoDate || last == NoDate) {
        MessageRequest request;
        request.text = "Grafiko suformuoti negalima: nenurodyta periodo pradžios arba pabaigos data.";
        request.title = "Grafiko performavimas";
        request.icon = MessageIcon::Exclamation;
        showMessage(request);
        return false;
    }
    OwnTable rows(context, TableId::Seilgraf);
    Transaction transaction(context);
    if (!begin(transaction, *rows)) {
        return false;
    }
    if (!writeSchedule(*rows, line.get(SEI::SEILID), freshSchedule(line))) {
        return failed(transaction);
    }
    if (transaction.commit() != StoreStatus::Ok) {
        return failed(transaction);
    }
    return true;
}

bool totalsFromSchedule(Context& context, Record& line) {
    const std::optional<std::vector<Record>> rows = scheduleOf(context, line.get(SEI::SEILID));
    if (!rows) {
        return false;
    }
    std::vector<ScheduleDay> days;
    days.reserve(rows->size());
    for (const Record& row : *rows) {
        days.push_back({row.get(SEIG::Data), row.get(SEIG::KIEKIS)});
    }
    const SetResult result = scheduleTotals(line, days);
    showRefusal({}, result);
    return result.ok();
}

bool restoreSchedule(Context& context, std::int32_t line, const std::vector<Record>& kept) {
    OwnTable rows(context, TableId::Seilgraf);
    Transaction transaction(context);
    if (!begin(transaction, *rows)) {
        return false;
    }
    if (!removeRows(*rows, line)) {
        return failed(transaction);
    }
    for (const Record& row : kept) {
        rows->clear();
        rows->record() = row;
        if (rows->duplicateCheck(SEIG::ID_KEY) == StoreStatus::DuplicateKey) {
            std::int64_t highest = 0;
            if (!highestRecordNumber(*rows, highest)) {
                return failed(transaction);
            }
            rows->clear();
            rows->record() = row;
            rows->record().setStoredInteger(SEIG::SEILGID.index, highest + 1);
        }
        if (rows->add() != StoreStatus::Ok) {
            return failed(transaction);
        }
    }
    if (transaction.commit() != StoreStatus::Ok) {
        return failed(transaction);
    }
    return true;
}

void keepingSchedule(Context& context, Request request, const std::function<void(FormDone)>& call,
                     FormDone done) {
    if (request != Request::Change) {
        call(std::move(done));
        return;
    }
    const std::int32_t line = context.table(TableId::Saskeil).record().get(SEI::SEILID);
    call([&context, line, kept = scheduleOf(context, line), done = std::move(done)](FormResult result) {
        if (kept && result.response == Response::Cancelled && scheduleOf(context, line) != kept) {
            restoreSchedule(context, line, *kept);
        }
        done(result);
    });
}

bool confirmRegeneration() {
    MessageRequest request;
    request.text = "Ar suformuoti grafiką?";
    request.title = "Grafiko performavimas";
    request.icon = MessageIcon::Exclamation;
    request.buttons = ButtonYes | ButtonNo;
    request.defaultButton = ButtonYes;
    return showMessage(request) == ButtonYes;
}

ListConfig scheduleList() {
    ListConfig config;
    config.name = "SeilgrafList";
    config.table = TableId::Seilgraf;
    config.filter = "SEIG:SEILID = " + std::string(ScheduleLineVariable);
    config.primes = {{"SEIG:SEILID", std::string(ScheduleLineVariable)}};
    config.columns = {
        ListColumn::of("Data", "SEIG:Data", 64, ColumnAlign::Left, Picture::date()),
        ListColumn::of("Kiekis", "SEIG:KIEKIS", 64, ColumnAlign::Right, Picture::number(14, 3)),
    };
    SortTab tab;
    tab.order = "+SEIG:SEILID,+SEIG:Data,+SEIG:SEILGID";
    config.tabs = {tab};
    return config;
}

namespace {

// A new row: the line's first day, its quantity a day and its price, and the amount at that price.
void primeRow(FormEngine& form) {
    const Record& line = form.context().table(TableId::Saskeil).record();
    Record& row = form.record();
    row.set(SEIG::Data, line.get(SEI::GYVENANUO));
    (void)row.set(SEIG::KIEKIS, line.get(SEI::KIEKISPERDIENA));
    (void)row.set(SEIG::KAINA, line.get(SEI::KAINA));
    if (const SetResult result = row.set(SEIG::SUMA, row.get(SEIG::KIEKIS) * row.get(SEIG::KAINA)); !result) {
        showRefusal("Suma", result);
    }
}

} // namespace

FormConfig RedSEilGr() {
    FormConfig config;
    config.name = std::string(ScheduleRowForm);
    config.helpTopic = config.name;
    config.caption = "TEIKIAMOS PASLAUGOS GRAFIKO EILUTĖ";
    config.table = TableId::Seilgraf;
    FormField number("Eil.ID.:", SEIG::SEILGID.index, "Grafiko įrašo Identifikatorius");
    number.readOnly = true;
    number.history = false;
    config.fields = {
        number,
        {"Suteikimo data:", SEIG::Data.index},
        {"Kiekis:", SEIG::KIEKIS.index},
    };
    config.keyNames = {{SEIG::ID_KEY.index, "pagal ID"},
                       {SEIG::DT_KEY.index, "pagal datą"},
                       {SEIG::EILID_KEY.index, "pagal paslaugos eilutės ID"}};
    config.hooks.prime = primeRow;
    return config;
}

} // namespace nakva
