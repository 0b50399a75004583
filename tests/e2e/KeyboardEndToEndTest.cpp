#include "support/EndToEndTest.hpp"

namespace {
// A player with a keyboard alone: xdotool sends keys, never a mouse event.
class KeyboardEndToEndTest : public EndToEndTest {
protected:
    KeyboardEndToEndTest() { keysOnly = true; }
    void hold(const std::string& keys, double seconds) {
        display.run("xdotool keydown " + keys + " sleep " + std::to_string(seconds) + " keyup " + keys);
        waitSeconds(0.4);
    }
};

TEST_F(KeyboardEndToEndTest, FromTheMenuThroughALevelAndBackToExit) {
    const sf::Image menu = shot("menu");
    tap("Down");
    EXPECT_GT(differingShare(menu, shot("focus")), 0.002) << "the focused Start button shows its hover look";
    tap("Return");
    waitSeconds(1.0);
    const sf::Image level = shot("level");
    EXPECT_GT(differingShare(menu, level), 0.3) << "Enter on Start starts the level";

    hold("d s", 1.2);
    const sf::Image moved = shot("moved");
    EXPECT_GT(differingShare(level, moved), 0.001) << "the player walked";
    tap("e");
    waitSeconds(1.2);
    tap("space");

    tap("Escape");
    EXPECT_GT(differingShare(moved, shot("paused")), 0.05) << "the pause picture is shown";
    tap("r");
    waitSeconds(1.0);
    EXPECT_LT(differingShare(level, shot("restarted")), 0.02) << "R restarts the level from its start";
    tap("Escape");
    tap("q");
    waitSeconds(0.5);
    EXPECT_LT(differingShare(menu, shot("menu-again")), 0.02) << "Q goes back to the menu";

    for (int i = 0; i < 6; ++i) {
        tap("Down");
    }
    tap("Return");
    int status = -1;
    ASSERT_TRUE(game->waitForExit(10.0, status)) << "Enter on Exit closes the game";
    EXPECT_EQ(status, 0);
    EXPECT_EQ(unexpectedErrors().find("Pellowick:"), std::string::npos) << unexpectedErrors();
}
} // namespace
