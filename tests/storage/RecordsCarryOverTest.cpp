#include "storage/RecordsCarryOver.hpp"

#include "storage/GhostFile.hpp"
#include "storage/LevelCatalog.hpp"
#include "storage/RecordsFile.hpp"
#include "support/ErrCapture.hpp"
#include "support/Files.hpp"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {
namespace fs = std::filesystem;

// A run of `seconds` standing still.
GhostRun standing(double seconds) {
    GhostRun run;
    run.record(seconds, {1.0f, 2.0f}, false);
    return run;
}

// A player who played every earlier version of the shipped maps, and then starts this version.
TEST(RecordsCarryOverTest, EveryEarlierVersionsTimesWinsAndQuickestGhostAreFoundUnderTheLevelsId) {
    const fs::path folder = makeTempFolder("carry");
    const std::string records = (folder / "records.toml").string();
    const GhostFile ghosts((folder / "ghosts").string());
    const auto& history = RecordsCarryOver::shippedHistory();
    ASSERT_EQ(history.size(), 9u) << "three versions of each of the first three levels";
    // A foreign ghost and a damaged record cost only themselves.
    const std::string farmhouse = "farmhouse";
    const std::string granary = "granary";
    const std::string damaged = std::prev(history.equal_range(granary).second)->second;
    double seconds = 40.0;
    for (const auto& [levelId, key] : history) {
        EXPECT_TRUE(key == damaged || RecordsFile(records).recordWin(key, Difficulty::Normal, seconds).kept);
        EXPECT_TRUE(ghosts.save(key, Difficulty::Normal, standing(seconds)));
        seconds += 1.0;
    }
    const auto first = history.equal_range(farmhouse).first;
    RecordsFile(records).recordWin(first->second, Difficulty::Hard, 70.0);
    std::ofstream(records, std::ios::app) << "[levels.\"" << damaged << "\".normal]\nbest = -1\nwins = 1\n";
    std::ofstream(ghosts.pathFor(first->second, Difficulty::Normal)) << "not a ghost";

    for (int start = 1; start <= 2; ++start) {
        ErrCapture err;
        RecordsCarryOver::run(records, (folder / "ghosts").string());
        EXPECT_EQ(err.text().find(damaged) != std::string::npos, start == 1)
            << "the damaged entry is named once, as the carried records are saved: " << err.text();
    }
    RecordsFile file(records);
    for (const std::string& levelId : LevelCatalog::shippedLevelIds()) {
        const auto [from, to] = history.equal_range(levelId);
        if (from == to) {
            continue;
        }
        SCOPED_TRACE(levelId);
        const bool damagedOne = levelId == granary;
        const auto record = file.find(levelId, Difficulty::Normal);
        ASSERT_TRUE(record) << "carried once, however often the game starts";
        EXPECT_EQ(record->wins, damagedOne ? 2 : 3);
        const double quickest = file.find(from->second, Difficulty::Normal)->bestSeconds;
        EXPECT_EQ(record->bestSeconds, quickest);
        const auto ghost = ghosts.load(levelId, Difficulty::Normal);
        ASSERT_TRUE(ghost);
        // The farmhouse's quickest ghost is foreign: the next quickest is carried.
        EXPECT_EQ(ghost->size(), standing(quickest + (levelId == farmhouse ? 1.0 : 0.0)).size());
        for (auto earlier = from; earlier != to; ++earlier) {
            EXPECT_EQ(file.find(earlier->second, Difficulty::Normal).has_value(),
                      !(damagedOne && earlier->second == damaged))
                << "the earlier entries stay for an older game";
        }
    }
    EXPECT_EQ(file.find(farmhouse, Difficulty::Hard)->bestSeconds, 70.0);
    EXPECT_FALSE(file.find(farmhouse, Difficulty::Easy));
    // From now on the id's own record counts; the earlier ones are not added again.
    file.recordWin(farmhouse, Difficulty::Normal, 30.0);
    RecordsCarryOver::run(records, (folder / "ghosts").string());
    EXPECT_EQ(file.find(farmhouse, Difficulty::Normal)->wins, 4);
    fs::remove_all(folder);
}
} // namespace
