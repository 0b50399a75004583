// A thousand rounds of menu, level, end screen and back in one process: every round loads the level
// again, so anything a round forgets to release shows up as growing memory (and under LeakSanitizer,
// as a leak at exit).
#include "app/GameStateManager.hpp"
#include "screens/EndScreen.hpp"
#include "screens/StartScreen.hpp"
#include "support/ErrCapture.hpp"
#include "support/GameHarness.hpp"

#include <fstream>
#include <gtest/gtest.h>
#include <malloc.h>
#include <unistd.h>

namespace {

constexpr int kRounds = 1000;
constexpr int kSettledRound = 10;
constexpr long kAllowedGrowth = 2L * 1024 * 1024;

// Resident memory after handing the allocator's free pages back, so the figure follows what the game
// still holds rather than how the heap happens to be fragmented.
long residentBytes() {
    malloc_trim(0);
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

class SoakTest : public ::testing::Test {
protected:
    // Start from the menu's button, walk and lay an egg, end the level, leave the end screen with Space.
    void playRound(int round) {
        ASSERT_TRUE(harness.startLevel()) << "round " << round << "\n" << errors.text();

        harness.press(round % 2 ? sf::Keyboard::D : sf::Keyboard::A);
        harness.press(sf::Keyboard::E);

        GameStateManager* game = GameStateManager::getInstance();
        game->won = round % 2 == 0;
        game->levelComplete = true;
        ASSERT_TRUE(harness.frames(2));
        ASSERT_NE(harness.screen<EndScreen>(), nullptr) << "round " << round;

        harness.press(sf::Keyboard::Space);
        ASSERT_NE(harness.screen<StartScreen>(), nullptr) << "round " << round;
    }

    ErrCapture errors; // the map trace would otherwise fill the log a thousand times
    GameHarness harness;
};

TEST_F(SoakTest, ThousandRoundsKeepResidentMemoryFlat) {
    ASSERT_TRUE(harness.frames(1));
    long settled = 0;
    for (int round = 1; round <= kRounds; ++round) {
        ASSERT_NO_FATAL_FAILURE(playRound(round));
        if (round == kSettledRound) {
            settled = residentBytes();
        }
        if (round % 100 == 0) {
            errors.clear();
        }
    }
    const long last = residentBytes();
    RecordProperty("ResidentAfterRound10", std::to_string(settled));
    RecordProperty("ResidentAfterRound1000", std::to_string(last));
#ifndef PELLOWICK_SANITIZE
    // AddressSanitizer holds freed memory back on purpose, so only the plain build can judge growth.
    EXPECT_LE(last - settled, kAllowedGrowth) << "resident memory grew from " << settled << " to " << last;
#endif
}

} // namespace
