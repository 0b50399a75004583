// The real game for ten minutes on its own X server, played with xdotool: menu buttons, the picture
// screens, the level with walking, laying and shooting eggs, pausing, and the end screen. It must still
// run at the end, close cleanly with status 0 and have written no error line. Runs only with
// PELLOWICK_LONG_TESTS=1.
#include "support/EndToEndTest.hpp"

#include <chrono>

namespace {

constexpr auto kPlayTime = std::chrono::minutes(10);

class LongRunTest : public EndToEndTest {
protected:
    void SetUp() override {
        const char* wanted = std::getenv("PELLOWICK_LONG_TESTS");
        if (!wanted || std::string(wanted) != "1") {
            GTEST_SKIP() << "set PELLOWICK_LONG_TESTS=1 for the ten-minute run";
        }
        EndToEndTest::SetUp();
    }

    void hold(const std::string& key, double seconds) {
        display.run("xdotool keydown " + key + " sleep " + std::to_string(seconds) + " keyup " + key);
    }

    // Wanders through the level; the player may be caught or win on the way, which ends on the end
    // screen, and Space from there returns to the menu.
    void playLevel(int cycle) {
        const char* walks[] = {"d", "s", "a", "w", "d", "w"};
        for (int step = 0; step < 6; ++step) {
            hold(walks[(cycle + step) % 6], 1.5);
            display.run("xdotool key e");
            clickAt({400.0f + 60.0f * (step % 3), 250.0f + 40.0f * (step % 2)});
        }
        tap("Escape"); // pause
        waitSeconds(1.0);
        tap("Escape"); // and go on
        hold("w", 2.0);
    }
};

TEST_F(LongRunTest, TenMinutesOfPlayEndCleanly) {
    loadForm();
    const auto end = std::chrono::steady_clock::now() + kPlayTime;
    int cycles = 0;
    while (std::chrono::steady_clock::now() < end) {
        ASSERT_TRUE(game->running()) << "the game ended during cycle " << cycles << "\n"
                                     << unexpectedErrors();
        tap("space"); // leaves an end screen; does nothing elsewhere
        clickWidget(cycles % 2 ? "controls" : "credits");
        tap("Escape");
        clickWidget("start");
        playLevel(cycles);
        ++cycles;
    }
    ASSERT_TRUE(game->running()) << unexpectedErrors();
    ASSERT_TRUE(closeAndWait(20.0)) << "closing the window ends the game with status 0";
    EXPECT_EQ(unexpectedErrors(), "") << "after " << cycles << " cycles";
    RecordProperty("Cycles", cycles);
}

} // namespace
