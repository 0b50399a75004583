#include "BenchSupport.hpp"
#include "screens/LevelListScreen.hpp"
#include "storage/LevelCatalog.hpp"
#include "support/Files.hpp"

#include <filesystem>
#include <fstream>
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

namespace {
// A map of some 30 MB (the shipped level and 400,000 objects of a type the game skips) under four names,
// hard links to one file, as a player's folder may hold it.
const std::string& hugeMapFolder() {
    static const std::string folder = [] {
        const fs::path made =
            fs::temp_directory_path() / ("pellowick_bench_huge_" + std::to_string(getpid()));
        fs::create_directories(made);
        std::string text = readWholeFile(levelFile());
        std::string decor;
        for (int i = 0; i < 400000; ++i) {
            decor += "  <object id=\"" + std::to_string(1000 + i) + "\" type=\"decor\" x=\"1\" y=\"1\"/>\n";
        }
        text.insert(text.rfind("</objectgroup>"), decor);
        std::ofstream(made / "huge1.tmx") << text;
        for (int i = 2; i <= 4; ++i) {
            fs::create_hard_link(made / "huge1.tmx", made / ("huge" + std::to_string(i) + ".tmx"));
        }
        return made.string();
    }();
    return folder;
}
} // namespace

// The frame that opens the list over the huge maps before they are checked: listing the folder and
// asking for the page's checks, which then run on the catalogue's own thread.
static void LevelListFirstFrameHugeMaps(benchmark::State& state) {
    const std::string folder = hugeMapFolder();
    for (auto _ : state) {
        LevelCatalog catalog(folder, "");
        catalog.prefer(0, LevelListScreen::kRowsPerPage);
        for (std::size_t i = LevelCatalog::shippedLevels().size(); i < catalog.size(); ++i) {
            benchmark::DoNotOptimize(catalog.lookUp(i));
        }
    }
}
BENCHMARK(LevelListFirstFrameHugeMaps)->Unit(benchmark::kMillisecond);

// The whole check of the page of huge maps, links included, the first time (each iteration touches the
// file, so it is checked afresh), and the list opened again once they are checked.
static void LevelListCheckHugeMaps(benchmark::State& state) {
    const std::string folder = hugeMapFolder();
    for (auto _ : state) {
        fs::last_write_time(fs::path(folder) / "huge1.tmx", fs::file_time_type::clock::now());
        LevelCatalog catalog(folder, "");
        openFirstPage(catalog);
    }
}
BENCHMARK(LevelListCheckHugeMaps)->Unit(benchmark::kMillisecond)->Iterations(2);

static void LevelListOpenAgainHugeMaps(benchmark::State& state) {
    const std::string folder = hugeMapFolder();
    LevelCatalog first(folder, "");
    openFirstPage(first);
    for (auto _ : state) {
        LevelCatalog catalog(folder, "");
        openFirstPage(catalog);
    }
}
BENCHMARK(LevelListOpenAgainHugeMaps)->Unit(benchmark::kMillisecond);
