// The occupancy and income statistics on a year of a busy house: 300 rooms, 30,000 registrations of
// one to ten nights, each in one room. The occupancy summary and an income summary for one month and
// for the year, and the occupancy ledger on one day, which counts the stays of every room.
#include "data/Context.h"
#include "data/Database.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "data/Transaction.h"
#include "reports/ReportRun.h"
#include "reports/SpKmbUzimtZin.h"
#include "reports/SpStatPaj.h"
#include "reports/SpStatUzimt.h"
#include "shell/Globals.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>

namespace {

using namespace nakva;
namespace fs = std::filesystem;

constexpr int Rooms = 300;
constexpr int Stays = 30000;

// The rooms and a year of stays, in a data folder of their own made once.
class House {
public:
    static House& instance() {
        static House house;
        return house;
    }
    Database& database() { return *database_; }

    ~House() { fs::remove_all(folder_); }

private:
    House() : folder_(fs::temp_directory_path() / ("nakva-bench-statistics-" + std::to_string(::getpid()))) {
        fs::create_directories(folder_);
        database_ = std::make_unique<Database>(folder_);
        Context context(*database_);
        const char* const types[] = {"Vienvietis", "Dvivietis", "Trivietis", "Liukso"};
        const char* const countries[] = {"Lietuva", "Latvija", "Estija", "Lenkija", "Vokietija"};
        Table& rooms = context.table(KMB::table);
        Table& stays = context.table(SAS::table);
        Table& occupied = context.table(SKMB::table);
        for (Table* table : {&rooms, &stays, &occupied}) {
            table->open();
        }
        Transaction transaction(context);
        transaction.begin({KMB::table, SAS::table, SKMB::table});
        for (int id = 1; id <= Rooms; ++id) {
            rooms.clear();
            rooms.record().set(KMB::KambarioID, id);
            (void)rooms.record().set(KMB::KambarioNr, std::to_string(100 + id));
            (void)rooms.record().set(KMB::KambarioTipas, types[id % 4]);
            rooms.record().set(KMB::KAMBARIOGYVENTOJUSKC, 1 + id % 3);
            rooms.add();
        }
        std::mt19937 random(19);
        const Date first = dateFromYmd(2026, 1, 1);
        for (int number = 1; number <= Stays; ++number) {
            const Date arrival = first + Date(random() % 365);
            const Date departure = arrival + 1 + Date(random() % 10);
            const Decimal withoutVat = Decimal::fromScaled(std::int64_t(random() % 100000), 2);
            stays.clear();
            Record& stay = stays.record();
            stay.set(SAS::IrasoNr, number);
            stay.set(SAS::IrasoDt, arrival);
            stay.set(SAS::GyvenaNuo, arrival);
            stay.set(SAS::GyvenaIki, departure);
            stay.set(SAS::GYVENTOJUSKC, 1 + number % 3);
            (void)stay.set(SAS::GYVENTOJOVALSTYBE, countries[number % 5]);
            (void)stay.set(SAS::BSUMA, withoutVat);
            (void)stay.set(SAS::PVMSUMA, (withoutVat * 21 / 100).rounded(2));
            (void)stay.set(SAS::BSUMASUPVM, withoutVat + (withoutVat * 21 / 100).rounded(2));
            stays.add();
            occupied.clear();
            occupied.record().set(SKMB::IrasoNr, number);
            occupied.record().set(SKMB::KambarioID, 1 + int(random() % Rooms));
            occupied.record().set(SKMB::KambarioGyventojuSkc, 1 + number % 3);
            occupied.add();
        }
        transaction.commit();
        for (Table* table : {&occupied, &stays, &rooms}) {
            table->close();
        }
    }

    fs::path folder_;
    std::unique_ptr<Database> database_;
};

Globals period(Date from, Date to) {
    Globals globals = glo();
    globals.PrDt = from;
    globals.GalDt = to;
    return globals;
}

void runReport(benchmark::State& state, const ReportSpec& report, const Globals& globals) {
    Context context(House::instance().database());
    std::int64_t records = 0;
    for (auto _ : state) {
        ReportRun run(report, context);
        run.start(globals);
        while (run.advance()) {
        }
        records = run.recordsPrinted();
    }
    state.counters["records"] = double(records);
}

void BM_OccupancySummaryMonth(benchmark::State& state) {
    runReport(state, SpStatUzimt(), period(dateFromYmd(2026, 3, 1), dateFromYmd(2026, 3, 31)));
}
BENCHMARK(BM_OccupancySummaryMonth)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OccupancySummaryYear(benchmark::State& state) {
    runReport(state, SpStatUzimt(), period(dateFromYmd(2026, 1, 1), dateFromYmd(2026, 12, 31)));
}
BENCHMARK(BM_OccupancySummaryYear)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OccupancyLedgerOneDay(benchmark::State& state) {
    runReport(state, SpKmbUzimtZin(), period(NoDate, dateFromYmd(2026, 6, 15)));
}
BENCHMARK(BM_OccupancyLedgerOneDay)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_IncomeByCountryYear(benchmark::State& state) {
    runReport(state, SpStatPajValst(), period(dateFromYmd(2026, 1, 1), dateFromYmd(2026, 12, 31)));
}
BENCHMARK(BM_IncomeByCountryYear)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    glo().EINDT = today();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
