#include "BenchSupport.hpp"
#include "common/ErrStream.hpp"

#include <SFML/OpenGL.hpp>
#include <SFML/System/Err.hpp>
#include <SFML/Window/Context.hpp>
#include <cstdio>
#include <fstream>
#include <map>

namespace {
// Prints Google Benchmark's own table, keeps each benchmark's median (or its
// single run) and ends with a short summary of the figures that matter.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred || (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")) {
                continue;
            }
            std::string name = run.run_name.function_name;
            if (!run.run_name.args.empty()) {
                name += "/" + run.run_name.args;
            }
            const double milliseconds =
                run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e3;
            if (run.run_type == Run::RT_Aggregate || !medians.count(name)) {
                medians[name] = milliseconds;
            }
            for (const auto& [counter, value] : run.counters) {
                counters[name + ":" + counter] = value;
            }
        }
    }

    void printSummary() const {
        std::printf("\nSummary (medians on this machine; renderer %s)\n", renderer().c_str());
        std::printf("%-44s %12s %12s %12s %10s\n", "", "new", "chunks", "plain", "new/plain");
        row("level: parse the file (ms)", "MapParse");
        row("level: tileset images (ms)", "MapTilesetTextures");
        row("level: checker (ms)", "MapCheck");
        row("level: tile sprites (ms)", "MapBuildTileSprites");
        row("level: bake tile chunks, first draw (ms)", "MapBakeTileChunks");
        row("level: whole loadMap, target < 50 (ms)", "MapLoadWhole");
        pair("frame update, scripted input (ms)", "FrameUpdate/new", "FrameUpdate/plain");
        pair("whole frame uncapped, target <= 0.35 (ms)", "FrameWhole/new", "FrameWhole/plain",
             "FrameWhole/chunks");
        pair("tiles: submit 4 layers, target <= 0.2 (ms)", "TilesSubmit/new", "TilesSubmit/plain",
             "TilesSubmit/chunks");
        pair("tiles: draw calls per frame", "TilesSubmit/new:drawCalls", "TilesSubmit/plain:drawCalls",
             "TilesSubmit/chunks:drawCalls", true);
        pair("tiles: clear, 4 layers, display (ms)", "TilesFrame/new", "TilesFrame/plain",
             "TilesFrame/chunks");
        for (const char* count : {"100", "1000", "10000"}) {
            pair(std::string("collision step, ") + count + " colliders (ms)",
                 std::string("CollisionStep/grid/") + count, std::string("CollisionStep/allPairs/") + count);
        }
        pair("collision step, real level (ms)", "CollisionStepRealLevel/grid",
             "CollisionStepRealLevel/allPairs");
        printFloorRatios();
    }

private:
    // The whole in-game frame against the floor frame, measured in turns in the same window.
    void printFloorRatios() const {
        // "straight": the tiles drawn straight into the window, without the tile cache. "CPU": the ratio of
        // the whole process's CPU time, steadier than the times on a busy machine.
        std::printf("\n%-44s %12s %12s %12s %10s %10s %10s\n",
                    "whole frame against the floor, target <= 1.25", "game (ms)", "floor (ms)", "game/floor",
                    "straight", "CPU", "straight");
        for (const char* size : {"800x600", "1920x1080"}) {
            const std::string name = std::string("FrameVsFloor/") + size;
            const std::string straight = std::string("FrameVsFloor/straight_") + size;
            const double ratio = value(name + ":ratio", true);
            if (ratio < 0) {
                continue;
            }
            std::printf("%-44s %12.3f %12.3f %12.3f %10.3f %10.3f %10.3f\n", size,
                        value(name + ":game_ms", true), value(name + ":floor_ms", true), ratio,
                        value(straight + ":ratio", true), value(name + ":cpu_ratio", true),
                        value(straight + ":cpu_ratio", true));
        }
    }
    double value(const std::string& key, bool counter) const {
        const auto& from = counter ? counters : medians;
        const auto found = from.find(key);
        return found == from.end() ? -1.0 : found->second;
    }
    void row(const std::string& label, const std::string& key) const {
        const double v = value(key, false);
        if (v >= 0) {
            std::printf("%-44s %12.3f\n", label.c_str(), v);
        }
    }
    // The new and plain figures and their ratio, with the chunk way's between them when it was measured.
    void pair(const std::string& label, const std::string& fast, const std::string& plain,
              const std::string& chunks = "", bool counter = false) const {
        const double a = value(fast, counter), b = value(plain, counter);
        if (a < 0 || b < 0) {
            return;
        }
        const double middle = chunks.empty() ? -1.0 : value(chunks, counter);
        char between[16] = "";
        if (middle >= 0) {
            std::snprintf(between, sizeof between, "%12.4f", middle);
        }
        std::printf("%-44s %12.4f %12s %12.4f %10.3f\n", label.c_str(), a, between, b, b > 0 ? a / b : 0.0);
    }
    static std::string renderer() {
        sf::Context context;
        const auto* name = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
        return name ? name : "unknown";
    }

    std::map<std::string, double> medians;
    std::map<std::string, double> counters;
};
} // namespace

int main(int argc, char** argv) {
    // The map loading trace would drown the table.
    const ErrRedirect swallowed(nullptr);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    closeLevelSession();
    reporter.printSummary();
    benchmark::Shutdown();
    return 0;
}
