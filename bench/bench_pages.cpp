// A report of 1,000 pages, each of 50 rows of text under a ruled line: composed on the page canvas,
// written as metafiles (in memory and as page files), and exported as one PDF document.
#include "preview/ReportSave.h"
#include "reports/FileSave.h"
#include "reports/PageCanvas.h"
#include "reports/WmfWriter.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace nakva;
namespace fs = std::filesystem;

constexpr int Pages = 1000;
constexpr int RowsPerPage = 50;

PageCanvas composePage(int number) {
    PageCanvas page;
    page.setFont({"Arial", 12, true});
    page.text({page.width() / 2, mm(15)}, "PREKIŲ-PASLAUGŲ SĄRAŠAS", Align::Center);
    page.setFont({"Arial", 8});
    page.text({mm(195), mm(15)}, "Lapas " + std::to_string(number), Align::Right);
    for (int row = 0; row < RowsPerPage; ++row) {
        page.setOrigin({0, mm(25) + row * pt(14)});
        page.text({mm(15), pt(10)}, "Viešbučio paslaugos: Ąžuolo kambarys Nr." + std::to_string(row));
        page.text({mm(110), pt(10)}, "vnt");
        page.text({mm(140), pt(10)}, "12.5000", Align::Right);
        page.text({mm(160), pt(10)}, "21.00", Align::Right);
        page.text({mm(195), pt(10)}, "15.13", Align::Right);
        page.line({mm(15), pt(13)}, {mm(195), pt(13)});
    }
    return page;
}

fs::path scratchFolder(const char* name) {
    const fs::path folder =
        fs::temp_directory_path() / (std::string(name) + "-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

void BM_ComposeAndWritePages(benchmark::State& state) {
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        for (int number = 1; number <= Pages; ++number) {
            const std::vector<std::uint8_t> wmf = writeWmf(composePage(number));
            bytes += wmf.size();
            benchmark::DoNotOptimize(wmf.data());
        }
    }
    state.counters["pages/s"] = benchmark::Counter(Pages, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["bytes/page"] = static_cast<double>(bytes) / Pages;
}
BENCHMARK(BM_ComposeAndWritePages)->Unit(benchmark::kMillisecond);

// As the scratch page files of a report run (argument 0) and as documents kept on disk (1).
void BM_PageFiles(benchmark::State& state) {
    const Durability durability = state.range(0) == 0 ? Durability::Scratch : Durability::Synced;
    const fs::path folder = scratchFolder("nakva-bench-wmf");
    for (auto _ : state) {
        for (int number = 1; number <= Pages; ++number) {
            if (!writeFileAtomically(folder / ("page" + std::to_string(number)),
                                     writeWmf(composePage(number)), durability)) {
                state.SkipWithError("a page file could not be written");
                return;
            }
        }
    }
    state.counters["pages/s"] = benchmark::Counter(Pages, benchmark::Counter::kIsIterationInvariantRate);
    fs::remove_all(folder);
}
BENCHMARK(BM_PageFiles)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

void BM_ExportPdf(benchmark::State& state) {
    const fs::path folder = scratchFolder("nakva-bench-pdf");
    std::vector<fs::path> pages;
    for (int number = 1; number <= Pages; ++number) {
        pages.push_back(folder / ("page" + std::to_string(number)));
        writeFileAtomically(pages.back(), writeWmf(composePage(number)), Durability::Scratch);
    }
    for (auto _ : state) {
        if (!writeReportPdf(pages, folder / "ataskaita.pdf", "Paslaugų sąrašo ataskaita")) {
            state.SkipWithError("the PDF could not be written");
            return;
        }
    }
    state.counters["pages/s"] = benchmark::Counter(Pages, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["PDF bytes"] = static_cast<double>(fs::file_size(folder / "ataskaita.pdf"));
    fs::remove_all(folder);
}
BENCHMARK(BM_ExportPdf)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

} // namespace

// Fonts need a QGuiApplication; no screen is needed.
int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
