// A report of 1,000 pages through the report run: the price list SpPaslSar over enough services to
// fill them, read from the store 25 records a step with each step starting again after the last
// one's position, composed band by band into page files, then exported as one PDF document. And the
// invoice register of a busy month, each invoice's amounts summed from its lines, and the same month's
// register for the tax authority (i.SAF) composed, checked and written.
#include "data/Context.h"
#include "data/Database.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "data/Transaction.h"
#include "preview/ReportSave.h"
#include "reports/IsafExport.h"
#include "reports/ReportRun.h"
#include "reports/SpPaslSar.h"
#include "reports/SpSaskSuvData.h"
#include "shell/Globals.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

using namespace nakva;
namespace fs = std::filesystem;

constexpr int Pages = 1000;

// The services of a long price list, in a data folder of their own made once.
class PriceList {
public:
    static PriceList& instance() {
        static PriceList list;
        return list;
    }
    Database& database() { return *database_; }
    int services() const { return services_; }

    ~PriceList() { fs::remove_all(folder_); }

private:
    PriceList() : folder_(fs::temp_directory_path() / ("nakva-bench-reports-" + std::to_string(::getpid()))) {
        fs::create_directories(folder_);
        database_ = std::make_unique<Database>(folder_);
        Context context(*database_);
        Table& services = context.table(PAS::table);
        services.open();
        Transaction transaction(context);
        transaction.begin({PAS::table});
        // A page holds 60 lines: 50 services, every fifth with a second line.
        services_ = Pages * 50;
        for (int i = 0; i < services_; ++i) {
            char name[48];
            std::snprintf(name, sizeof name, "Paslauga Nr. %06d – ąčęėįšųūž", i);
            services.clear();
            Record& record = services.record();
            (void)record.set(PAS::Pav, name);
            (void)record.set(PAS::PAV1, i % 5 == 0 ? "antroji pavadinimo eilutė" : "");
            (void)record.set(PAS::MATVNT, "VNT.");
            (void)record.set(PAS::KAINSUPVM, Decimal(12 + i % 90));
            (void)record.set(PAS::PVMPROC, Decimal(21));
            (void)record.set(PAS::KAINBEPVM, Decimal(12 + i % 90) * 100 / 121);
            services.add();
        }
        transaction.commit();
        services.close();
    }

    fs::path folder_;
    std::unique_ptr<Database> database_;
    int services_ = 0;
};

// Composes the whole report into page files, as the program's timer drives it.
std::unique_ptr<PageFiles> composeReport(Context& context, int& pages) {
    ReportRun run(SpPaslSar(), context);
    run.start(glo());
    while (run.advance()) {
    }
    pages = static_cast<int>(run.pages().size());
    return run.takePageFiles();
}

void BM_ComposeReport(benchmark::State& state) {
    PriceList& list = PriceList::instance();
    Context context(list.database());
    int pages = 0;
    for (auto _ : state) {
        composeReport(context, pages);
    }
    state.counters["pages"] = pages;
    state.counters["pages/s"] = benchmark::Counter(pages, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["records/s"] =
        benchmark::Counter(list.services(), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ComposeReport)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

void BM_ComposeAndExportPdf(benchmark::State& state) {
    PriceList& list = PriceList::instance();
    Context context(list.database());
    int pages = 0;
    for (auto _ : state) {
        const std::unique_ptr<PageFiles> files = composeReport(context, pages);
        if (!writeReportPdf(files->pages(), files->folder() / "ataskaita.pdf", "Paslaugų sąrašo ataskaita")) {
            state.SkipWithError("the PDF could not be written");
            return;
        }
    }
    state.counters["pages"] = pages;
    state.counters["pages/s"] = benchmark::Counter(pages, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ComposeAndExportPdf)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

// A month of 2,000 invoices of three lines each, at two rates, in a data folder of its own made once.
class InvoiceMonth {
public:
    static constexpr int Invoices = 2000;
    static InvoiceMonth& instance() {
        static InvoiceMonth month;
        return month;
    }
    Database& database() { return *database_; }
    ~InvoiceMonth() { fs::remove_all(folder_); }

private:
    InvoiceMonth()
        : folder_(fs::temp_directory_path() / ("nakva-bench-invoices-" + std::to_string(::getpid()))) {
        fs::create_directories(folder_);
        database_ = std::make_unique<Database>(folder_);
        Context context(*database_);
        Table& registrations = context.table(SAS::table);
        Table& lines = context.table(SEI::table);
        registrations.open();
        lines.open();
        Transaction transaction(context);
        transaction.begin({SAS::table, SEI::table});
        const Date first = dateFromYmd(2026, 12, 1);
        for (int i = 1; i <= Invoices; ++i) {
            registrations.clear();
            registrations.record().set(SAS::IrasoNr, i);
            registrations.record().set(SAS::SaskNr, i);
            registrations.record().set(SAS::SaskDt, first + i % 31);
            registrations.add();
            for (int line = 0; line < 3; ++line) {
                lines.clear();
                Record& record = lines.record();
                record.set(SEI::SEILID, i * 3 + line);
                record.set(SEI::IrasoNr, i);
                (void)record.set(SEI::PasPav, "Paslauga");
                (void)record.set(SEI::SUMA, Decimal(100));
                (void)record.set(SEI::PVMPROC, Decimal(line == 0 ? 9 : 21));
                (void)record.set(SEI::SUMABEPVM, Decimal(100) * 100 / (line == 0 ? 109 : 121));
                (void)record.set(SEI::PVMSUMA, record.get(SEI::SUMA) - record.get(SEI::SUMABEPVM));
                lines.add();
            }
        }
        transaction.commit();
        lines.close();
        registrations.close();
    }

    fs::path folder_;
    std::unique_ptr<Database> database_;
};

void BM_InvoiceRegister(benchmark::State& state) {
    Context context(InvoiceMonth::instance().database());
    Globals globals;
    globals.EINDT = dateFromYmd(2026, 12, 31);
    globals.PrDt = dateFromYmd(2026, 12, 1);
    globals.GalDt = dateFromYmd(2026, 12, 31);
    int pages = 0;
    for (auto _ : state) {
        ReportRun run(SpSaskSuvData(), context);
        run.start(globals);
        while (run.advance()) {
        }
        pages = static_cast<int>(run.pages().size());
    }
    state.counters["pages"] = pages;
    state.counters["invoices/s"] =
        benchmark::Counter(InvoiceMonth::Invoices, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_InvoiceRegister)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_IsafRegister(benchmark::State& state) {
    Database& database = InvoiceMonth::instance().database();
    database.istgPar().set(IST::ISTG1, "Įmonės kodas 302345678, PVM kodas LT100004567890");
    Context context(database);
    const fs::path file = database.workingFolder() / "iSAF.xml";
    for (auto _ : state) {
        const isaf::Outcome outcome =
            isaf::exportRegister(context, dateFromYmd(2026, 12, 1), dateFromYmd(2026, 12, 31), file, 0);
        if (outcome.kind != isaf::Outcome::Kind::Written) {
            state.SkipWithError("the register was not written");
            return;
        }
    }
    state.counters["invoices/s"] =
        benchmark::Counter(InvoiceMonth::Invoices, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["bytes"] = double(fs::file_size(file));
}
BENCHMARK(BM_IsafRegister)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

// The PDF's fonts need a QGuiApplication; no screen is needed.
int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication application(argc, argv);
    glo().EINDT = today();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
