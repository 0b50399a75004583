#include "BenchSupport.hpp"
#include "screens/LevelListScreen.hpp"
#include "storage/LevelCatalog.hpp"

#include <filesystem>
#include <string>
#include <unistd.h>

// Opening the level list over a player's folder of 500 maps: listing the folder and checking the page of
// levels shown. Items are visible entries, so the time per item is the work per entry on screen.

namespace {
namespace fs = std::filesystem;

constexpr int kCopies = 500;

const std::string& crowdedFolder() {
    static const std::string folder = [] {
        const fs::path made =
            fs::temp_directory_path() / ("pellowick_bench_levels_" + std::to_string(getpid()));
        fs::create_directories(made);
        for (int i = 0; i < kCopies; ++i) {
            fs::copy_file(levelFile(), made / ("level" + std::to_string(1000 + i) + ".tmx"),
                          fs::copy_options::overwrite_existing);
        }
        return made.string();
    }();
    return folder;
}

void openFirstPage(LevelCatalog& catalog) {
    for (std::size_t i = 0; i < LevelListScreen::kRowsPerPage && i < catalog.size(); ++i) {
        benchmark::DoNotOptimize(catalog.details(i));
    }
}
} // namespace

// Every map on the page changed since the list was last shown: each is read and checked again.
static void LevelListOpenChangedMaps(benchmark::State& state) {
    const std::string folder = crowdedFolder();
    for (auto _ : state) {
        for (std::size_t i = 0; i < LevelListScreen::kRowsPerPage; ++i) {
            fs::last_write_time(fs::path(folder) / ("level" + std::to_string(1000 + i) + ".tmx"),
                                fs::file_time_type::clock::now());
        }
        RegionTimer timer;
        LevelCatalog catalog(folder, "");
        openFirstPage(catalog);
        state.SetIterationTime(timer.seconds());
    }
    state.SetItemsProcessed(state.iterations() * LevelListScreen::kRowsPerPage);
}
BENCHMARK(LevelListOpenChangedMaps)->UseManualTime()->MinTime(2.0)->Unit(benchmark::kMillisecond);

// The list shown again with nothing changed: the folder is listed, the checks are remembered.
static void LevelListOpenAgain(benchmark::State& state) {
    const std::string folder = crowdedFolder();
    LevelCatalog first(folder, "");
    openFirstPage(first);
    for (auto _ : state) {
        LevelCatalog catalog(folder, "");
        openFirstPage(catalog);
    }
    state.SetItemsProcessed(state.iterations() * LevelListScreen::kRowsPerPage);
}
BENCHMARK(LevelListOpenAgain)->Unit(benchmark::kMillisecond);
