// The record store on 1,000,000 registrations, each measure beside the raw SQLite statement that does
// the same work; the current registrations list's first page and the registration form's opening
// beside the raw reads they need. The registrations are generated once into a cached folder
// (NAKVA_BENCH_DATA, or nakva-bench-store below the temporary folder) and kept for later runs. After the runs
// the ratios store / raw are printed.
#include "data/Context.h"
#include "data/SqliteConnection.h"
#include "data/Table.h"
#include "data/Transaction.h"
#include "data/Variables.h"
#include "data/View.h"
#include "registration/Registration.h"
#include "registration/RegistrationLists.h"
#include "ui/FormEngine.h"
#include "ui/ListEngine.h"

#include "BenchSupport.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <map>
#include <random>
#include <stdexcept>

using namespace nakva;
using nakva::bench::check;

namespace {

constexpr int Registrations = 1'000'000;
constexpr int PageRows = 20;
const Date FirstDay = dateFromYmd(2015, 1, 1);
constexpr int Days = 3650;

std::filesystem::path dataFolder() {
    return bench::cachedDataFolder("NAKVA_BENCH_DATA", "nakva-bench-store");
}

void generate(Database& database) {
    Context context(database);
    Table& registrations = context.table(TableId::Saskait);
    registrations.open();
    std::int64_t count = 0;
    check(registrations.recordCount(count), "count");
    if (count >= Registrations) {
        return;
    }
    std::fprintf(stderr, "Generating %d registrations in %s ...\n", Registrations, dataFolder().c_str());
    const char* first[] = {"Jonas", "Ona",      "Petras", "Žaneta",    "Šarūnas", "Ąžuolas",
                           "Eglė",  "Česlovas", "Rūta",   "Mindaugas", "Ieva",    "Kęstutis"};
    const char* last[] = {"Jonaitis", "Petraitė",  "Kazlauskas",   "Žukauskienė", "Šimkus",       "Čepulis",
                          "Urbonas",  "Ąžuolaitė", "Vasiliauskas", "Balčiūnas",   "Stankevičius", "Įgaunis"};
    const char* countries[] = {"Lietuva", "Latvija", "Estija", "Lenkija", "Vokietija", "Suomija", "Švedija"};
    std::mt19937 random(20240415);
    Transaction transaction(context);
    for (int number = int(count) + 1; number <= Registrations; ++number) {
        if (!transaction.active()) {
            check(transaction.begin({TableId::Saskait}), "begin");
        }
        Record& record = registrations.record();
        registrations.clear();
        const Date day = FirstDay + Date(random() % Days);
        record.set(SAS::IrasoNr, number);
        record.set(SAS::IrasoDt, day);
        record.set(SAS::SaskDt, day);
        record.set(SAS::SaskSer, "NKV");
        record.set(SAS::SaskNr, number);
        record.set(SAS::Gyventojas, std::string(last[random() % 12]) + " " + first[random() % 12]);
        record.set(SAS::GYVENTOJOVALSTYBE, countries[random() % 7]);
        record.set(SAS::GyvenaNuo, day);
        record.set(SAS::GyvenaIki, day + Date(random() % 14));
        (void)record.set(SAS::Isvykes, number > Registrations - 200 ? 0 : 1);
        (void)record.set(SAS::BSUMA, Decimal::fromScaled(std::int64_t(random() % 100000), 2));
        check(registrations.add(), "add");
        if (number % 50'000 == 0) {
            check(transaction.commit(), "commit");
        }
    }
    if (transaction.active()) {
        check(transaction.commit(), "commit");
    }
}

// The last registrations, the current ones among them, with what a form shows of each: two rooms, three
// invoice lines, a payment and a payer. Added once, beside the registrations.
constexpr int WithChildren = 1000;
constexpr int Rooms = 100;

void generateChildren(Database& database) {
    Context context(database);
    Table& rooms = context.table(TableId::Kamb);
    Table& occupied = context.table(TableId::SaskKmb);
    Table& lines = context.table(TableId::Saskeil);
    Table& payments = context.table(TableId::Mokej);
    Table& payers = context.table(TableId::Klient);
    Table& registrations = context.table(TableId::Saskait);
    for (Table* table : {&rooms, &occupied, &lines, &payments, &payers, &registrations}) {
        table->open();
    }
    std::int64_t count = 0;
    check(occupied.recordCount(count), "count");
    if (count > 0) {
        return;
    }
    Transaction transaction(context);
    check(transaction.begin({TableId::Kamb, TableId::SaskKmb, TableId::Saskeil, TableId::Mokej,
                             TableId::Klient, TableId::Saskait}),
          "begin");
    for (int room = 1; room <= Rooms; ++room) {
        rooms.clear();
        rooms.record().set(KMB::KambarioID, room);
        rooms.record().set(KMB::KambarioKorpusas, "A");
        rooms.record().set(KMB::KambarioAukstas, 1 + room / 20);
        rooms.record().set(KMB::KambarioNr, std::to_string(100 + room));
        rooms.record().set(KMB::KambarioTipas, room % 3 == 0 ? "Dvivietis" : "Vienvietis");
        (void)rooms.record().set(KMB::KAMBARIOKAINA, Decimal::fromScaled(4500 + room * 10, 2));
        check(rooms.add(), "add room");
    }
    for (int payer = 1; payer <= 50; ++payer) {
        payers.clear();
        (void)payers.record().set(KLI::Kod, "K" + std::to_string(payer));
        (void)payers.record().set(KLI::PAV, "UAB Mokėtojas " + std::to_string(payer));
        check(payers.add(), "add payer");
    }
    for (int number = Registrations - WithChildren + 1; number <= Registrations; ++number) {
        registrations.clear();
        registrations.record().set(SAS::IrasoNr, number);
        check(registrations.getByKey(SAS::IRASONRKEY), "get");
        (void)registrations.record().set(SAS::KliKod, "K" + std::to_string(1 + number % 50));
        check(registrations.put(), "put");
        for (int room = 0; room < 2; ++room) {
            occupied.clear();
            occupied.record().set(SKMB::IrasoNr, number);
            occupied.record().set(SKMB::KambarioID, 1 + (number * 2 + room) % Rooms);
            (void)occupied.record().set(SKMB::KambarioKaina, Decimal::fromScaled(5000, 2));
            occupied.record().set(SKMB::KambarioGyventojuSkc, 1);
            check(occupied.add(), "add occupied room");
        }
        for (int line = 0; line < 3; ++line) {
            lines.clear();
            lines.record().set(SEI::SEILID, (number - (Registrations - WithChildren)) * 3 + line);
            lines.record().set(SEI::IrasoNr, number);
            (void)lines.record().set(SEI::PasPav, line == 0 ? "Apgyvendinimas" : "Pusryčiai");
            (void)lines.record().set(SEI::SUMA, Decimal::fromScaled(12100, 2));
            (void)lines.record().set(SEI::SUMABEPVM, Decimal::fromScaled(10000, 2));
            (void)lines.record().set(SEI::PVMSUMA, Decimal::fromScaled(2100, 2));
            (void)lines.record().set(SEI::PVMPROC, Decimal::fromScaled(2100, 2));
            check(lines.add(), "add line");
        }
        payments.clear();
        payments.record().set(MOK::IrasoNr, number);
        payments.record().set(MOK::SaskIrasoNr, number);
        (void)payments.record().set(MOK::MOKSUMA, Decimal::fromScaled(36300, 2));
        check(payments.add(), "add payment");
    }
    check(transaction.commit(), "commit");
}

// One context and one raw connection on the generated folder, for all measures.
struct Fixture {
    Database database{dataFolder()};
    Context context{database};
    Table& registrations = context.table(TableId::Saskait);
    sqlite3* raw = nullptr;

    Fixture() {
        generate(database);
        generateChildren(database);
        registrations.open();
        if (sqlite3_open_v2(database.filePath(TableId::Saskait).c_str(), &raw, SQLITE_OPEN_READWRITE,
                            nullptr) != SQLITE_OK) {
            throw std::runtime_error("raw open");
        }
        registerLithuanianFunctions(raw);
        sqlite3_busy_timeout(raw, 2000);
        // The tables the registration windows read beside the registrations, created when missing and
        // reached by the raw connection as the store's views reach them.
        for (const TableId id :
             {TableId::Klient, TableId::SaskKmb, TableId::Saskeil, TableId::Mokej, TableId::Kamb}) {
            context.table(id).open();
            const std::string attach = "ATTACH DATABASE '" + database.filePath(id).string() + "' AS " +
                                       std::string(Dictionary::instance().table(id).name);
            if (sqlite3_exec(raw, attach.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
                throw std::runtime_error(sqlite3_errmsg(raw));
            }
        }
    }
    ~Fixture() { sqlite3_close(raw); }
};

Fixture& fixture() {
    static Fixture instance;
    return instance;
}

// A raw statement, prepared once; each run binds, steps every row reading every column, and resets.
class RawQuery {
public:
    explicit RawQuery(const char* sql) {
        if (sqlite3_prepare_v3(fixture().raw, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement_, nullptr) !=
            SQLITE_OK) {
            throw std::runtime_error(sqlite3_errmsg(fixture().raw));
        }
    }
    ~RawQuery() { sqlite3_finalize(statement_); }
    sqlite3_stmt* statement() { return statement_; }

    int run(benchmark::State& state) {
        const int rows = bench::readAllRows(statement_);
        state.counters["rows"] = rows;
        return rows;
    }

private:
    sqlite3_stmt* statement_ = nullptr;
};

constexpr const char* Columns = "SELECT * FROM Saskait ";

struct FirstPageCase {
    const char* order;
    const char* raw;
};

const std::map<std::string, FirstPageCase> firstPages{
    {"IDTKEY", {"+SAS:IrasoDt,+SAS:IrasoNr", "ORDER BY IrasoDt, IrasoNr LIMIT 20"}},
    {"GYVENTKEY_UPPER",
     {"+UPPER(SAS:Gyventojas),+SAS:IrasoNr", "ORDER BY Gyventojas COLLATE LT_NOCASE, IrasoNr LIMIT 20"}},
    {"ISVYKESKEY", {"+SAS:Isvykes,+SAS:IrasoDt,+SAS:IrasoNr", "ORDER BY Isvykes, IrasoDt, IrasoNr LIMIT 20"}},
};

void storeFirstPage(benchmark::State& state, const std::string& key) {
    View view(fixture().registrations);
    view.setOrder(firstPages.at(key).order);
    view.setPageSize(PageRows);
    for (auto _ : state) {
        check(view.open(), "open");
        int rows = 0;
        while (rows < PageRows && view.next() == StoreStatus::Ok) {
            ++rows;
        }
        state.counters["rows"] = rows;
    }
}

void rawFirstPage(benchmark::State& state, const std::string& key) {
    RawQuery query((std::string(Columns) + firstPages.at(key).raw).c_str());
    for (auto _ : state) {
        query.run(state);
    }
}

const Date Middle = FirstDay + Days / 2;

void storeSeekMiddle(benchmark::State& state) {
    View view(fixture().registrations);
    view.setOrder("+SAS:IrasoDt,+SAS:IrasoNr");
    view.setPageSize(PageRows);
    check(view.open(), "open");
    for (auto _ : state) {
        fixture().registrations.clear();
        fixture().registrations.record().set(SAS::IrasoDt, Middle);
        check(view.setToKeyValue(), "seek");
        int rows = 0;
        while (rows < PageRows && view.next() == StoreStatus::Ok) {
            ++rows;
        }
        state.counters["rows"] = rows;
    }
}

void rawSeekMiddle(benchmark::State& state) {
    RawQuery query("SELECT * FROM Saskait WHERE IrasoDt >= ?1 ORDER BY IrasoDt, IrasoNr LIMIT 20");
    for (auto _ : state) {
        sqlite3_bind_int64(query.statement(), 1, Middle);
        query.run(state);
    }
}

// One month of registrations: about 8,000 rows.
const Date PeriodFrom = Middle;
const Date PeriodTo = Middle + 29;

void storePeriodScan(benchmark::State& state) {
    Variables globals;
    globals.set("GLO:PrDt", std::int64_t(PeriodFrom));
    globals.set("GLO:GalDt", std::int64_t(PeriodTo));
    View view(fixture().registrations, &globals);
    view.setOrder("+SAS:IrasoDt,+SAS:IrasoNr");
    view.setFilter("SAS:IrasoDt >= GLO:PrDt AND SAS:IrasoDt <= GLO:GalDt");
    view.scanHint(true);
    for (auto _ : state) {
        check(view.open(), "open");
        int rows = 0;
        while (view.next() == StoreStatus::Ok) {
            ++rows;
        }
        state.counters["rows"] = rows;
    }
}

void rawPeriodScan(benchmark::State& state) {
    RawQuery query("SELECT * FROM Saskait WHERE IrasoDt >= ?1 AND IrasoDt <= ?2 ORDER BY IrasoDt, IrasoNr");
    for (auto _ : state) {
        sqlite3_bind_int64(query.statement(), 1, PeriodFrom);
        sqlite3_bind_int64(query.statement(), 2, PeriodTo);
        query.run(state);
    }
}

// Adds inside one transaction, rolled back at the end so the cached data stays as it was.
void storeAddInTransaction(benchmark::State& state) {
    Table& registrations = fixture().registrations;
    Transaction transaction(fixture().context);
    check(transaction.begin({TableId::Saskait}), "begin");
    int number = 2 * Registrations;
    for (auto _ : state) {
        registrations.clear();
        registrations.record().set(SAS::IrasoNr, ++number);
        registrations.record().set(SAS::IrasoDt, Middle);
        registrations.record().set(SAS::Gyventojas, "Naujas Gyventojas");
        check(registrations.add(), "add");
    }
}

void rawAddInTransaction(benchmark::State& state) {
    sqlite3_exec(fixture().raw, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    RawQuery insert(
        "INSERT INTO Saskait(IrasoNr, IrasoDt, SaskSer, SaskNr, SaskDt, KliKod, BSUMA, PVMPROC, PVMSUMA, "
        "BSUMASUPVM, KAMBARIAI, Gyventojas, GYVENTOJOAK, GYVENTOJOADRESAS, GYVENTOJOVALSTYBE, "
        "GyventojoGrupe, GYVENTOJOTAUTYBE, ASMENSDOK, GYVENTOJUSKC, GyvenaNuo, GyvenaIki, Isvykes, "
        "GYVENAPARU, GYVENALOVADIENIU, MOKEJIMOBUDAS, AVANSAS, PUSRYCIUSK, PUSRYCIUVAIK, PAPPATALYNE, "
        "ISSIUSTA, APMOKETA, PAST, PAST1, KOMENTARAI) VALUES(?1, ?2, '', 0, 0, '', 0, 0, 0, 0, '', ?3, "
        "'', '', '', '', '', '', 0, 0, 0, 0, 0, 0, '', 0, 0, 0, 0, 0, 0, '', '', '')");
    int number = 2 * Registrations;
    for (auto _ : state) {
        sqlite3_bind_int64(insert.statement(), 1, ++number);
        sqlite3_bind_int64(insert.statement(), 2, Middle);
        sqlite3_bind_text(insert.statement(), 3, "Naujas Gyventojas", -1, SQLITE_STATIC);
        insert.run(state);
    }
    sqlite3_exec(fixture().raw, "ROLLBACK", nullptr, nullptr, nullptr);
}

// Rewrites of one registration (read by its key, changed, put back), inside one transaction.
void storePutInTransaction(benchmark::State& state) {
    Table& registrations = fixture().registrations;
    Transaction transaction(fixture().context);
    check(transaction.begin({TableId::Saskait}), "begin");
    int number = 0;
    for (auto _ : state) {
        registrations.clear();
        registrations.record().set(SAS::IrasoNr, 1 + (number++ * 7919) % Registrations);
        check(registrations.getByKey(SAS::IRASONRKEY), "get");
        registrations.record().set(SAS::KOMENTARAI, "pakeista");
        check(registrations.put(), "put");
    }
}

void rawPutInTransaction(benchmark::State& state) {
    sqlite3_exec(fixture().raw, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    RawQuery select("SELECT * FROM Saskait WHERE IrasoNr = ?1");
    RawQuery update("UPDATE Saskait SET KOMENTARAI = ?2, _ver = _ver + 1 WHERE IrasoNr = ?1");
    int number = 0;
    for (auto _ : state) {
        const int registration = 1 + (number++ * 7919) % Registrations;
        sqlite3_bind_int64(select.statement(), 1, registration);
        select.run(state);
        sqlite3_bind_int64(update.statement(), 1, registration);
        sqlite3_bind_text(update.statement(), 2, "pakeista", -1, SQLITE_STATIC);
        update.run(state);
    }
    sqlite3_exec(fixture().raw, "ROLLBACK", nullptr, nullptr, nullptr);
}

// The current registrations list opened on its first tab: the 200 registrations not departed, each with
// its payer's name, a page of 20 rows.
void storeCurrentList(benchmark::State& state) {
    for (auto _ : state) {
        ListEngine list(SarSaskait(), fixture().context);
        list.setPageSize(PageRows);
        list.open();
        state.counters["rows"] = double(list.rows().size());
    }
}

// The page's rows with their payers (the payer's record is the list's to hold when a row is chosen),
// and the date of the last row, the thumb's far end.
void rawCurrentList(benchmark::State& state) {
    RawQuery page("SELECT s.*, k.* FROM Saskait s LEFT JOIN Klient.Klient k ON k.Kod = s.KliKod COLLATE "
                  "LT_NOCASE WHERE s.Isvykes = 0 ORDER BY s.Isvykes, s.IrasoDt, s.IrasoNr LIMIT 20");
    RawQuery last("SELECT IrasoDt FROM Saskait WHERE Isvykes = 0 ORDER BY Isvykes DESC, IrasoDt DESC, "
                  "IrasoNr DESC LIMIT 1");
    for (auto _ : state) {
        const int rows = page.run(state);
        last.run(state);
        state.counters["rows"] = rows;
    }
}

// The registration form opened on a registration in change mode: the record with its payer's name, its
// rooms with their labels (all of them: the room totals and text are built from them), its invoice
// lines and their totals, and its payments.
const std::int32_t FormRegistration = Registrations - 100;
constexpr int ChildRows = 5;

void storeFormOpen(benchmark::State& state) {
    Table& registrations = fixture().registrations;
    for (auto _ : state) {
        registrations.clear();
        registrations.record().set(SAS::IrasoNr, FormRegistration);
        check(registrations.getByKey(SAS::IRASONRKEY), "get");
        registrations.watch();
        // As the form window opens it: the form and its child lists' first pages in one moment.
        Context::ReadMoment moment(fixture().context);
        FormEngine form(RedSaskait(), fixture().context, {});
        benchmark::DoNotOptimize(form.open(Request::Change));
        double rows = 1;
        for (std::size_t child = 0; child < form.childListCount(); ++child) {
            ListEngine list(form.childList(child), fixture().context);
            list.setPageSize(ChildRows);
            list.open();
            rows += double(list.rows().size());
        }
        state.counters["rows"] = rows;
    }
}

void rawFormOpen(benchmark::State& state) {
    RawQuery registration("SELECT s.*, k.PAV FROM Saskait s LEFT JOIN Klient.Klient k ON k.Kod = s.KliKod "
                          "COLLATE LT_NOCASE WHERE s.IrasoNr = ?1");
    RawQuery rooms("SELECT o.*, r.* FROM SaskKmb.SaskKmb o LEFT JOIN Kamb.Kamb r ON r.KambarioID = "
                   "o.KambarioID WHERE o.IrasoNr = ?1 ORDER BY o.KambarioID");
    RawQuery lines("SELECT * FROM Saskeil.Saskeil WHERE IrasoNr = ?1 ORDER BY SEILID");
    RawQuery payments("SELECT * FROM Mokej.Mokej WHERE SaskIrasoNr = ?1 ORDER BY IrasoNr");
    // The invoice's totals over all its lines, of which the list shows a page.
    RawQuery totals("SELECT SUM(SUMABEPVM), SUM(SUMA), SUM(PVMSUMA), SUM(PVMPROC), COUNT(*) FROM "
                    "Saskeil.Saskeil WHERE IrasoNr = ?1");
    for (auto _ : state) {
        int rows = 0;
        for (RawQuery* query : {&registration, &rooms, &lines, &payments}) {
            sqlite3_bind_int64(query->statement(), 1, FormRegistration);
            rows += query->run(state);
        }
        sqlite3_bind_int64(totals.statement(), 1, FormRegistration);
        totals.run(state);
        state.counters["rows"] = rows;
    }
}

} // namespace

int main(int argc, char** argv) {
    for (const auto& [key, unused] : firstPages) {
        benchmark::RegisterBenchmark(("FirstPage_" + key + "/store").c_str(), storeFirstPage, key);
        benchmark::RegisterBenchmark(("FirstPage_" + key + "/raw").c_str(), rawFirstPage, key);
    }
    benchmark::RegisterBenchmark("SeekMiddle/store", storeSeekMiddle);
    benchmark::RegisterBenchmark("SeekMiddle/raw", rawSeekMiddle);
    benchmark::RegisterBenchmark("PeriodScan/store", storePeriodScan);
    benchmark::RegisterBenchmark("PeriodScan/raw", rawPeriodScan);
    benchmark::RegisterBenchmark("AddInTransaction/store", storeAddInTransaction);
    benchmark::RegisterBenchmark("AddInTransaction/raw", rawAddInTransaction);
    benchmark::RegisterBenchmark("PutInTransaction/store", storePutInTransaction);
    benchmark::RegisterBenchmark("PutInTransaction/raw", rawPutInTransaction);
    benchmark::RegisterBenchmark("CurrentListPage/store", storeCurrentList);
    benchmark::RegisterBenchmark("CurrentListPage/raw", rawCurrentList);
    benchmark::RegisterBenchmark("RegistrationFormOpen/store", storeFormOpen);
    benchmark::RegisterBenchmark("RegistrationFormOpen/raw", rawFormOpen);
    benchmark::Initialize(&argc, argv);
    fixture();
    bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
