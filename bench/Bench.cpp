// Times the work users wait for over the full real history of each game: the
// median of several runs. Imports go into a fresh database file each run.

#include "db/DrawDatabase.h"
#include "draw/Game.h"
#include "predict/Backtest.h"
#include "predict/DrawStatistics.h"
#include "predict/PredictionQuery.h"
#include "register/CsvFile.h"
#include "register/DrawExport.h"
#include "register/DrawImport.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace drawbook;
using Clock = std::chrono::steady_clock;

constexpr int kRuns = 9;

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

// The median time of the step; prepare runs untimed before each.
double Median(const std::function<void()>& prepare, const std::function<void()>& step) {
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        prepare();
        const auto start = Clock::now();
        step();
        times.push_back(Milliseconds(Clock::now() - start));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "drawbook-bench: %s\n", what.c_str());
    std::exit(1);
}

} // namespace

int main(int argc, char* argv[]) {
    const std::filesystem::path data = argc > 1 ? argv[1] : DRAWBOOK_SHARED_DATA;
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "drawbook-bench";
    std::filesystem::create_directories(dir);
    const std::string dbPath = (dir / kDatabaseFileName).string();
    const auto freshDatabase = [&] {
        std::filesystem::remove(dbPath);
        CreateDatabase(dbPath);
    };

    std::printf("%-36s %10s\n", "step (7,054 draws)", "median ms");
    for (const auto& [game, file] : {std::pair{Game::Numbers3, "numbers3_results.csv"},
                                     std::pair{Game::Numbers4, "numbers4_results_ja.csv"}}) {
        const std::string path = (data / file).string();
        const auto bytes = ReadWholeFile(path);
        if (!bytes) {
            Fail("cannot read " + path);
        }
        const std::string name = "game " + std::string(GameCode(game));
        const double read = Median([] {}, [&] {
            if (ReadDrawCsv(game, *bytes).draws.size() != 7054) {
                Fail("the file did not give 7,054 draws");
            }
        });
        const double import = Median(freshDatabase, [&] {
            const ImportResult result = ImportDrawFile(dbPath, game, path);
            if (result.outcome != ImportOutcome::Imported || result.added != 7054) {
                Fail("import of " + path + " failed");
            }
        });
        const double again = Median([] {}, [&] {
            if (ImportDrawFile(dbPath, game, path).skipped != 7054) {
                Fail("import of " + path + " again added draws");
            }
        });
        const double exported = Median([] {}, [&] {
            if (ExportDrawCsv(dbPath, game).draws != 7054) {
                Fail("export gave other draws");
            }
        });
        std::printf("%-36s %10.1f\n", (name + " read the file").c_str(), read);
        std::printf("%-36s %10.1f\n", (name + " import, empty database").c_str(), import);
        std::printf("%-36s %10.1f\n", (name + " import again, all skipped").c_str(), again);
        std::printf("%-36s %10.1f\n", (name + " export").c_str(), exported);

        const double backtest = Median([] {}, [&] {
            if (BacktestFromDatabase(dbPath, game).scores.front().draws != 7053) {
                Fail("the backtest did not score 7,053 draws");
            }
        });
        const double statistics = Median([] {}, [&] {
            const DrawHistory history = ReadDrawHistory(dbPath, game);
            if (ComputeStatistics(game, history.draws).draws != 7054) {
                Fail("the statistics did not count 7,054 draws");
            }
        });
        std::printf("%-36s %10.1f\n", (name + " backtest, read included").c_str(), backtest);
        std::printf("%-36s %10.1f\n", (name + " statistics, read included").c_str(), statistics);
    }
    std::filesystem::remove_all(dir);
    return 0;
}
