// What the benchmarks on generated table files share: their cached folder, a check of the store's
// statuses, and the report of the ratios of the program's measures to the raw SQLite ones.
#pragma once

#include "data/StoreError.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace nakva::bench {

// The folder whose data is generated once and kept for later runs: the environment variable's, or
// `name` below the temporary folder.
inline std::filesystem::path cachedDataFolder(const char* variable, const char* name) {
    const char* given = std::getenv(variable);
    return given ? std::filesystem::path(given) : std::filesystem::temp_directory_path() / name;
}

inline void check(StoreStatus status, const char* what) {
    if (status != StoreStatus::Ok) {
        throw std::runtime_error(std::string(what) + ": " + lastOperationError().text);
    }
}

// Steps a raw statement through all its rows, reading every column as a program would, and resets it;
// gives the number of rows.
inline int readAllRows(sqlite3_stmt* statement) {
    int rows = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int column = 0, count = sqlite3_column_count(statement); column < count; ++column) {
            if (sqlite3_column_type(statement, column) == SQLITE_TEXT) {
                benchmark::DoNotOptimize(sqlite3_column_text(statement, column));
            } else {
                benchmark::DoNotOptimize(sqlite3_column_int64(statement, column));
            }
        }
        ++rows;
    }
    sqlite3_reset(statement);
    return rows;
}

// Prints, after the runs, each measure "M/x" beside its raw "M/raw": wall-clock time, and CPU time,
// which a machine busy with other work disturbs less; of the medians when the runs are repeated.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            times_[run.benchmark_name()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        bool medians = false;
        for (const auto& [name, time] : times_) {
            medians = medians || name.ends_with(MedianSuffix);
        }
        const std::string suffix = medians ? MedianSuffix : "";
        std::printf("\n%-34s %12s %12s %7s %12s %12s %7s\n", "measure (unit of its runs)", "program",
                    "raw SQLite", "ratio", "CPU", "raw CPU", "ratio");
        for (const auto& [name, time] : times_) {
            if (!name.ends_with(suffix)) {
                continue;
            }
            const std::string measure = name.substr(0, name.size() - suffix.size());
            const std::size_t slash = measure.rfind('/');
            if (slash == std::string::npos || measure.substr(slash + 1) == "raw") {
                continue;
            }
            const auto raw = times_.find(measure.substr(0, slash) + "/raw" + suffix);
            if (raw != times_.end()) {
                std::printf("%-34s %12.0f %12.0f %7.2f %12.0f %12.0f %7.2f\n", measure.c_str(), time.real,
                            raw->second.real, time.real / raw->second.real, time.cpu, raw->second.cpu,
                            time.cpu / raw->second.cpu);
            }
        }
    }

private:
    static constexpr const char* MedianSuffix = "_median";
    struct Times {
        double real = 0;
        double cpu = 0;
    };
    std::map<std::string, Times> times_;
};

} // namespace nakva::bench
