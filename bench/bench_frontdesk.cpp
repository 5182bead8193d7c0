// The room grid of 100 rooms × 31 days on 1,000,000 registrations, beside the one raw SQLite query it
// needs: the stays that touch the shown days, by the same text the grid's view runs, on the same files.
// The house is generated once into a cached folder (NAKVA_BENCH_FRONTDESK, or nakva-bench-frontdesk-2
// below the temporary folder): every room holds a stay each night for 10,000 nights up to a few days
// after the 31 days shown (so every cell of the grid is taken), every third one overlapping the next (an
// overbooked night), and each room was cleaned daily for its last 60 days. After the runs the ratio
// grid / raw is printed, of the medians when the runs are repeated.
#include "data/Context.h"
#include "data/Expression.h"
#include "data/Fields.h"
#include "data/LithuanianFunctions.h"
#include "data/SqlQuery.h"
#include "data/SqliteConnection.h"
#include "data/StoredRecord.h"
#include "data/Table.h"
#include "data/TableFormat.h"
#include "data/Transaction.h"
#include "data/Variables.h"
#include "frontdesk/RoomGrid.h"
#include "roomservice/RoomOccupancy.h"

#include "BenchSupport.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <stdexcept>

using namespace nakva;
using nakva::bench::check;

namespace {

constexpr int Rooms = 100;
constexpr int Registrations = 1'000'000;
constexpr int Nights = Registrations / Rooms;
constexpr int GridDays = 31;
constexpr int CleanedDays = 60;
// The fixed "today" of the house, so that the cached data fits every later run.
const Date Today = dateFromYmd(2026, 12, 7);
const Date FirstArrival = Today + 35 - Nights;

std::filesystem::path dataFolder() {
    return bench::cachedDataFolder("NAKVA_BENCH_FRONTDESK", "nakva-bench-frontdesk-2");
}

void generate(Database& database) {
    Context context(database);
    Table& registrations = context.table(TableId::Saskait);
    Table& rows = context.table(TableId::SaskKmb);
    Table& rooms = context.table(TableId::Kamb);
    Table& cleanings = context.table(TableId::KmbVal);
    for (Table* table : {&registrations, &rows, &rooms, &cleanings}) {
        table->open();
    }
    std::int64_t count = 0;
    check(rows.recordCount(count), "count");
    if (count >= Registrations) {
        return;
    }
    std::fprintf(stderr, "Generating %d registrations in %s ...\n", Registrations, dataFolder().c_str());
    Transaction transaction(context);
    check(transaction.begin({TableId::Kamb, TableId::KmbVal}), "begin");
    for (int room = 1; room <= Rooms; ++room) {
        rooms.clear();
        rooms.record().set(KMB::KambarioID, room);
        (void)rooms.record().set(KMB::KambarioTipas, room <= 40 ? "Dvivietis" : "Vienvietis");
        (void)rooms.record().set(KMB::KambarioKorpusas, "A");
        rooms.record().set(KMB::KambarioAukstas, 1 + (room - 1) / 20);
        (void)rooms.record().set(KMB::KambarioNr, std::to_string(100 + room));
        check(rooms.add(), "room");
        for (int day = 0; day < CleanedDays; ++day) {
            cleanings.clear();
            cleanings.record().set(KVAL::IrasoID, (room - 1) * CleanedDays + day + 1);
            cleanings.record().set(KVAL::KambarioID, room);
            cleanings.record().set(KVAL::IrasoDt, Today - CleanedDays + day - room % 3);
            check(cleanings.add(), "cleaning");
        }
    }
    check(transaction.commit(), "commit");
    const char* names[] = {"Jonaitis Jonas", "Petraitė Ona",  "Kazlauskas Petras", "Žukauskienė Eglė",
                           "Šimkus Rūta",    "Čepulis Tomas", "Urbonas Lukas",     "Balčiūnas Gytis"};
    for (int number = 1; number <= Registrations; ++number) {
        if (!transaction.active()) {
            check(transaction.begin({TableId::Saskait, TableId::SaskKmb}), "begin");
        }
        const int night = (number - 1) / Rooms;
        const int room = (number - 1) % Rooms + 1;
        const Date arrival = FirstArrival + night;
        const Date departure = arrival + (night % 3 == 0 ? 2 : 1);
        registrations.clear();
        Record& record = registrations.record();
        record.set(SAS::IrasoNr, number);
        record.set(SAS::IrasoDt, arrival);
        record.set(SAS::SaskDt, arrival);
        (void)record.set(SAS::SaskSer, "NKV");
        record.set(SAS::SaskNr, number);
        (void)record.set(SAS::Gyventojas, names[number % 8]);
        record.set(SAS::GyvenaNuo, arrival);
        record.set(SAS::GyvenaIki, departure);
        record.set(SAS::GYVENTOJUSKC, 1);
        (void)record.set(SAS::Isvykes, departure < Today ? 1 : 0);
        check(registrations.add(), "registration");
        rows.clear();
        rows.record().set(SKMB::IrasoNr, number);
        rows.record().set(SKMB::KambarioID, room);
        rows.record().set(SKMB::KambarioGyventojuSkc, 1);
        check(rows.add(), "room row");
        if (number % 50'000 == 0) {
            check(transaction.commit(), "commit");
        }
    }
    if (transaction.active()) {
        check(transaction.commit(), "commit");
    }
}

// The text the grid's view runs for its stays: the rooms of registrations joined to their
// registrations, every stored column of both, filtered by the shown days; the one read.
SqlStatement staysQuery() {
    const Dictionary& dictionary = Dictionary::instance();
    ViewTables tables(dictionary.table(TableId::SaskKmb), true);
    tables.join(dictionary.table(TableId::Saskait), true, true);
    Variables variables;
    variables.set("LOC:PrDt", std::int64_t(Today));
    variables.set("LOC:GalDt", std::int64_t(Today + GridDays - 1));
    auto query = SqlQuery::build(tables, *parseOrder(StaysTouchingOrder), *parseFilter(StaysTouchingFilter),
                                 variables);
    if (!query) {
        throw std::runtime_error(query.error.message);
    }
    std::vector<std::string> columns;
    for (const ViewTable& table : query->tables().tables()) {
        const std::string alias(table.table->name);
        columns.push_back(quoteName(alias) + "." + quoteName(TableFormat::RowidColumn));
        columns.push_back(quoteName(alias) + "." + quoteName(TableFormat::VersionColumn));
        for (std::string& column : StoredRecord::columns(*table.table, alias)) {
            columns.push_back(std::move(column));
        }
    }
    const SqlSpelling spelling{
        [](const TableDef& table) {
            const std::string schema = table.id == TableId::SaskKmb ? "main" : "Saskait";
            return quoteName(schema) + "." + quoteName(table.name) + " AS " + quoteName(table.name);
        },
        [](const TableDef& table, int field) {
            return quoteName(table.name) + "." +
                   (field < 0 ? quoteName(TableFormat::RowidColumn)
                              : TableFormat::columnName(table.fields[std::size_t(field)]));
        }};
    return query->select(spelling, columns, Seek{}, ReadDirection::Forward, std::numeric_limits<int>::max());
}

struct Fixture {
    Database database{dataFolder()};
    Context context{database};
    sqlite3* raw = nullptr;
    sqlite3_stmt* stays = nullptr;
    std::vector<SqlValue> parameters;

    Fixture() {
        generate(database);
        if (sqlite3_open_v2(database.filePath(TableId::SaskKmb).c_str(), &raw, SQLITE_OPEN_READWRITE,
                            nullptr) != SQLITE_OK) {
            throw std::runtime_error("raw open");
        }
        registerLithuanianFunctions(raw);
        sqlite3_busy_timeout(raw, 2000);
        const std::string attach =
            "ATTACH DATABASE '" + database.filePath(TableId::Saskait).string() + "' AS Saskait";
        if (sqlite3_exec(raw, attach.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
            throw std::runtime_error(sqlite3_errmsg(raw));
        }
        const SqlStatement query = staysQuery();
        const std::string& text = query.text;
        parameters = query.parameters;
        std::fprintf(stderr, "The stays' query:\n%s\n", text.c_str());
        sqlite3_stmt* plan = nullptr;
        if (sqlite3_prepare_v2(raw, ("EXPLAIN QUERY PLAN " + text).c_str(), -1, &plan, nullptr) ==
            SQLITE_OK) {
            while (sqlite3_step(plan) == SQLITE_ROW) {
                std::fprintf(stderr, "  plan: %s\n",
                             reinterpret_cast<const char*>(sqlite3_column_text(plan, 3)));
            }
        }
        sqlite3_finalize(plan);
        if (sqlite3_prepare_v3(raw, text.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &stays, nullptr) !=
            SQLITE_OK) {
            throw std::runtime_error(sqlite3_errmsg(raw));
        }
    }
    ~Fixture() {
        sqlite3_finalize(stays);
        sqlite3_close(raw);
    }
};

Fixture& fixture() {
    static Fixture instance;
    return instance;
}

// The grid as its window keeps it: built again each time the window gets the focus, its files open.
void gridBuild(benchmark::State& state) {
    RoomGrid grid(fixture().context);
    for (auto _ : state) {
        if (!grid.build(Today, GridDays)) {
            state.SkipWithError("the grid's read failed");
            return;
        }
        state.counters["rooms"] = grid.roomCount();
        state.counters["stays"] = double(grid.stays().size());
    }
}

// The raw query, bound with the same first and last day, every column of every row read.
void rawStays(benchmark::State& state) {
    sqlite3_stmt* statement = fixture().stays;
    for (auto _ : state) {
        for (std::size_t i = 0; i < fixture().parameters.size(); ++i) {
            const SqlValue& value = fixture().parameters[i];
            if (const auto* number = std::get_if<std::int64_t>(&value)) {
                sqlite3_bind_int64(statement, int(i) + 1, *number);
            } else if (const auto* text = std::get_if<std::string>(&value)) {
                sqlite3_bind_text(statement, int(i) + 1, text->c_str(), -1, SQLITE_TRANSIENT);
            }
        }
        state.counters["rows"] = bench::readAllRows(statement);
    }
}

} // namespace

int main(int argc, char** argv) {
    benchmark::RegisterBenchmark("RoomGrid100x31/grid", gridBuild)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("RoomGrid100x31/raw", rawStays)->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    fixture();
    bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
