#include "data/Collation.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// Names as they stand in the keys: mostly ASCII with the Lithuanian letters here and there, padded.
const std::vector<std::string>& names() {
    static const std::vector<std::string> list = {
        "Jonaitis Jonas      ",
        "Jonaitienė Ona",
        "Ąžuolaitis Petras",
        "ŽEMAITIS ANTANAS",
        "Šimkus Mindaugas",
        "Žemaitis Antanas",
        "Petraitis",
        "Petraitytė Rūta",
        "Lietuva",
        "Latvija",
        "Vokietija",
        "Jungtinė Karalystė",
    };
    return list;
}

template <int (*Compare)(std::string_view, std::string_view)> void compareAllPairs(benchmark::State& state) {
    const auto& list = names();
    for (auto _ : state) {
        for (const auto& a : list) {
            for (const auto& b : list) {
                benchmark::DoNotOptimize(Compare(a, b));
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(list.size() * list.size()));
}

void compareEqualLongKeys(benchmark::State& state) {
    const std::string a(150, 'x');
    const std::string b = a + "   ";
    for (auto _ : state) {
        benchmark::DoNotOptimize(nakva::compareNoCase(a, b));
    }
}

} // namespace

BENCHMARK(compareAllPairs<nakva::compareCase>)->Name("compareCase/names");
BENCHMARK(compareAllPairs<nakva::compareNoCase>)->Name("compareNoCase/names");
BENCHMARK(compareEqualLongKeys)->Name("compareNoCase/equal150");
