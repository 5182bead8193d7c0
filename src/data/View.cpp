#include "data/View.h"

#include "data/Context.h"
#include "data/SqliteConnection.h"
#include "data/StoredRecord.h"
#include "data/Table.h"
#include "data/TableFormat.h"
#include "messages/StandardWarnings.h"

#include <cctype>
#include <stdexcept>

namespace nakva {

namespace {

constexpr int WarningViewNotOpened = 36;

int storedFieldCount(const TableDef& table) {
    int count = 0;
    for (const FieldDef& field : table.fields) {
        count += field.type == FieldType::Group ? 0 : 1;
    }
    return count;
}

} // namespace

View::View(Table& main, const Variables* outer)
    : main_(main), requested_(main.def(), main.isSecondBuffer()), variables_(outer) {}

// A read of one moment gives its read transaction back: left open, it would hold off every write of
// every station to those files.
View::~View() {
    close();
}

bool View::join(TableId parent, bool secondBuffer, bool required) {
    return requested_.join(Dictionary::instance().table(parent), secondBuffer, required) >= 0;
}

StoreStatus View::open() {
    close();
    failed_ = false;
    handedOut_.clear();
    try {
        auto built = main_.context().selectTexts().query(requested_, order_, filter_, variables_);
        if (!built) {
            throw StoreFailure{StoreError::condition(StoreError::ViewNotOpened, built.error.message)};
        }
        query_ = std::move(*built);
        for (const ViewTable& table : query_->tables().tables()) {
            handles_.push_back(&handleFor(*table.table, table.secondBuffer));
            const std::string alias(table.table->name);
            columns_.push_back(quoteName(alias) + "." + quoteName(TableFormat::RowidColumn));
            columns_.push_back(quoteName(alias) + "." + quoteName(TableFormat::VersionColumn));
            const std::vector<std::string>& stored = StoredRecord::columns(*table.table);
            columns_.insert(columns_.end(), stored.begin(), stored.end());
        }
        // Prepared now, so that a query the database cannot run fails here and not halfway.
        SqliteConnection& connection = connect();
        connection.prepare(query_
                               ->select(spelling(), columns_, Seek{}, ReadDirection::Forward, 1,
                                        &main_.context().selectTexts())
                               .text);
        if (oneMoment_) {
            if (!connection.inTransaction()) {
                connection.execute("BEGIN");
                moment_ = &connection;
            } else if (main_.context().takeMomentRead(connection)) {
                moment_ = &connection; // held to the view's close, not to the moment's end
            }
        }
    } catch (const StoreFailure& failure) {
        close();
        failed_ = true;
        setLastOperationError(failure.condition);
        saveErrorCondition();
        standardWarning(WarningViewNotOpened);
        return StoreStatus::Failed;
    }
    cursor_.start();
    setLastOperationError({});
    return StoreStatus::Ok;
}

void View::close() {
    if (moment_) {
        try {
            moment_->execute("COMMIT"); // a read: nothing to write, only the locks to give back
        } catch (const StoreFailure&) {
        }
        moment_ = nullptr;
    }
    query_.reset();
    handles_.clear();
    columns_.clear();
    cursor_.start();
    currentRowid_ = 0;
}

SqliteConnection& View::connect() {
    Context& context = main_.context();
    const Context::Route route = context.readRoute(main_.id());
    for (const ViewTable& table : query_->tables().tables()) {
        schemas_[std::size_t(table.table->id)] = context.schemaOn(route, table.table->id);
    }
    return *route.connection;
}

SqlSpelling View::spelling() const {
    return {[this](const TableDef& table) {
                return quoteName(schemas_[std::size_t(table.id)]) + "." + quoteName(table.name) + " AS " +
                       quoteName(table.name);
            },
            [](const TableDef& table, int field) {
                return quoteName(table.name) + "." +
                       (field < 0 ? quoteName(TableFormat::RowidColumn)
                                  : TableFormat::columnName(table.fields[std::size_t(field)]));
            }};
}

std::uint64_t View::writeStamp() const {
    std::uint64_t stamp = 0;
    for (const Table* handle : handles_) {
        stamp += main_.context().database().writeCount(handle->id());
    }
    return stamp;
}

Table& View::handleFor(const TableDef& table, bool secondBuffer) const {
    if (table.id == main_.id() && secondBuffer == main_.isSecondBuffer()) {
        return main_;
    }
    return *main_.context().handle(table.id, secondBuffer);
}

Value View::fieldValue(const FieldRef& field) const {
    return handleFor(*field.table, field.secondBuffer).record().value(field.field);
}

std::uint32_t View::signature() const {
    if (!signature_) {
        std::string text = "VIEW ";
        for (char c : order_) {
            if (c != ' ') {
                text += char(std::toupper(static_cast<unsigned char>(c)));
            }
        }
        signature_ = Position::orderSignature(text);
    }
    return *signature_;
}

StoreStatus View::setToStart() {
    return runStoreOperation([&] {
        cursor_.start();
        currentRowid_ = 0;
        return 0;
    });
}

StoreStatus View::setToKeyValue() {
    return runStoreOperation([&] {
        if (!query_) {
            return failed_ ? 0 : StoreError::ViewNotOpened;
        }
        cursor_.startAtValues(
            query_->orderValues([this](const FieldRef& field) { return fieldValue(field); }));
        currentRowid_ = 0;
        return 0;
    });
}

StoreStatus View::setToPosition(const Position& position, bool including) {
    return runStoreOperation([&] {
        if (!query_) {
            return failed_ ? 0 : StoreError::ViewNotOpened;
        }
        const auto parts = position.parts();
        if (!parts || parts->table != main_.id()) {
            return StoreError::BadPosition;
        }
        currentRowid_ = 0;
        if (parts->order == signature() && int(parts->values.size()) == query_->orderCount()) {
            cursor_.startAtPosition(parts->values, parts->rowid, including);
            return 0;
        }
        // A position taken in another order: the record's place in this one, its parents' fields
        // taken from their buffers.
        Record stored(main_.def());
        std::int64_t version = 0;
        if (!main_.readByRowid(parts->rowid, stored, version)) {
            return StoreError::BadPosition;
        }
        const FieldValues values = [&](const FieldRef& field) {
            return &handleFor(*field.table, field.secondBuffer) == &main_ ? stored.value(field.field)
                                                                          : fieldValue(field);
        };
        cursor_.startAtPosition(query_->orderValues(values), parts->rowid, including);
        return 0;
    });
}

StoreStatus View::next() {
    return read(ReadDirection::Forward);
}

StoreStatus View::previous() {
    return read(ReadDirection::Backward);
}

StoreStatus View::read(ReadDirection direction) {
    return runStoreOperation([&] {
        if (!query_) {
            // A view that failed to open yields nothing; its warning has been shown.
            return failed_ ? StoreError::EndOfData : StoreError::ViewNotOpened;
        }
        RowCursor::Row row;
        const RowCursor::Fetch fetch = [this](const Seek& seek, ReadDirection way, int limit,
                                              std::deque<RowCursor::Row>& rows) {
            this->fetch(seek, way, limit, rows);
        };
        do {
            if (!cursor_.step(direction, writeStamp(), fetch, row)) {
                return StoreError::EndOfData;
            }
        } while (once_ && direction == ReadDirection::Forward && !handedOut_.insert(row.rowid).second);
        for (std::size_t i = 0; i < handles_.size(); ++i) {
            Table& handle = *handles_[i];
            *handle.record_ = std::move(row.records[i]);
            handle.becomeCurrent(row.rowids[i], row.versions[i]);
        }
        currentRowid_ = row.rowid;
        return 0;
    });
}

void View::fetch(const Seek& seek, ReadDirection direction, int limit, std::deque<RowCursor::Row>& rows) {
    SqliteConnection& connection = connect();
    const SqlStatement sql =
        query_->select(spelling(), columns_, seek, direction, limit, &main_.context().selectTexts());
    SqliteStatement& statement = connection.prepare(sql.text);
    StatementReset reset(statement);
    StoredRecord::bindParameters(statement, sql.parameters);
    const auto tables = query_->tables().tables();
    while (statement.step()) {
        RowCursor::Row row;
        int column = 0;
        for (const ViewTable& table : tables) {
            Record& record = row.records.emplace_back(*table.table);
            if (statement.isNull(column)) { // a child without its parent
                row.rowids.push_back(0);
                row.versions.push_back(0);
            } else {
                row.rowids.push_back(statement.integer(column));
                row.versions.push_back(statement.integer(column + 1));
                StoredRecord::read(statement, column + 2, record);
            }
            column += 2 + storedFieldCount(*table.table);
        }
        row.rowid = statement.integer(sql.orderColumn + sql.orderCount);
        for (int i = 0; i < sql.orderCount; ++i) {
            row.order.push_back(StoredRecord::columnValue(statement, sql.orderColumn + i));
        }
        rows.push_back(std::move(row));
    }
}

std::vector<FieldRef> View::orderFields() const {
    if (query_) {
        return query_->orderFields();
    }
    std::vector<FieldRef> fields;
    if (const auto order = parseOrder(order_)) {
        for (const OrderComponent& component : order->components) {
            if (const auto field = Dictionary::instance().findField(component.name)) {
                fields.push_back(*field);
            }
        }
    }
    return fields;
}

Position View::position() const {
    if (!query_ || currentRowid_ == 0) {
        return {};
    }
    return Position::make({main_.id(), signature(), currentRowid_,
                           query_->orderValues([this](const FieldRef& field) { return fieldValue(field); })});
}

StoreStatus View::count(std::int64_t& count) {
    std::vector<Decimal> none;
    return sum({}, none, count);
}

StoreStatus View::edgeValue(bool last, const FieldRef& field, Value& value) {
    value = {};
    return runStoreOperation([&] {
        if (!query_) {
            return failed_ ? StoreError::EndOfData : StoreError::ViewNotOpened;
        }
        SqliteConnection& connection = connect();
        const SqlSpelling spelling = this->spelling();
        const std::string column = spelling.field(*field.table, field.field);
        const SqlStatement sql = query_->select(spelling, std::span(&column, 1), Seek{},
                                                last ? ReadDirection::Backward : ReadDirection::Forward, 1,
                                                &main_.context().selectTexts());
        SqliteStatement& statement = connection.prepare(sql.text);
        StatementReset reset(statement);
        StoredRecord::bindParameters(statement, sql.parameters);
        if (!statement.step()) {
            return StoreError::EndOfData;
        }
        value = StoredRecord::fieldValue(statement, 0, field.table->fields.at(std::size_t(field.field)));
        return 0;
    });
}

StoreStatus View::sum(std::span<const int> fields, std::vector<Decimal>& sums, std::int64_t& count) {
    sums.assign(fields.size(), Decimal());
    count = 0;
    return runStoreOperation([&] {
        if (!query_) {
            return failed_ ? 0 : StoreError::ViewNotOpened;
        }
        const TableDef& table = main_.def();
        const SqlSpelling spelling = this->spelling();
        std::string what = "COUNT(*)";
        for (int field : fields) {
            const FieldDef& def = table.fields.at(std::size_t(field));
            if (def.type == FieldType::String || def.type == FieldType::Group) {
                throw std::logic_error("sumuojamas ne skaičiaus laukas " + std::string(def.name));
            }
            what += ", SUM(" + spelling.field(table, field) + ")";
        }
        SqliteConnection& connection = connect();
        const SqlStatement sql = query_->aggregate(spelling, what);
        SqliteStatement& statement = connection.prepare(sql.text);
        StatementReset reset(statement);
        StoredRecord::bindParameters(statement, sql.parameters);
        if (statement.step()) {
            count = statement.integer(0);
            for (std::size_t i = 0; i < fields.size(); ++i) {
                const FieldDef& def = table.fields[std::size_t(fields[i])];
                const std::int64_t total = statement.isNull(int(i) + 1) ? 0 : statement.integer(int(i) + 1);
                sums[i] =
                    def.type == FieldType::Decimal ? Decimal::fromScaled(total, def.places) : Decimal(total);
            }
        }
        return 0;
    });
}

} // namespace nakva
