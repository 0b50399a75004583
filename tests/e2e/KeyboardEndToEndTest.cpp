#include "support/EndToEndTest.hpp"

namespace {
// A player with a keyboard alone: xdotool sends keys, never a mouse event.
class KeyboardEndToEndTest : public EndToEndTest {
protected:
    KeyboardEndToEndTest() { keysOnly = true; }
};

TEST_F(KeyboardEndToEndTest, FromTheMenuThroughALevelAndBackToExit) {
    const sf::Image menu = shot("menu");
    tap("Return");
    waitSeconds(1.0);
    const sf::Image level = shot("level");
    EXPECT_GT(differingShare(menu, level), 0.3) << "the first Enter on a fresh menu starts the level";

    display.run("xdotool keydown d s sleep 1.2 keyup d s");
    waitSeconds(0.4);
    const sf::Image moved = shot("moved");
    EXPECT_GT(differingShare(level, moved), 0.001) << "the player walked";
    tap("e");
    waitSeconds(1.2);
    tap("space");

    tap("Escape");
    EXPECT_GT(differingShare(moved, shot("paused")), 0.05) << "the pause picture is shown";
    tap("r");
    waitSeconds(1.0);
    // The dogs and their sight areas may stand a little elsewhere: a slow machine takes longer to load.
    EXPECT_LT(differingShare(level, shot("restarted")), 0.04) << "R restarts the level from its start";
    tap("Escape");
    tap("q");
    waitSeconds(0.5);
    const sf::Image menuAgain = shot("menu-again");
    EXPECT_LT(differingShare(menu, menuAgain), 0.002)
        << "Q goes back to the menu, its focus on Start as at first";

    tap("Down");
    tap("Down");
    tap("Return");
    waitSeconds(0.5);
    const sf::Image list = shot("list");
    EXPECT_GT(differingShare(menuAgain, list), 0.1) << "Down past Practice, Enter opens the level list";
    tap("Escape");
    tap("Return");
    waitSeconds(0.5);
    EXPECT_LT(differingShare(list, shot("list-again")), 0.01) << "back on Levels, Enter opens the list again";
    tap("Escape");
    for (int i = 0; i < 4; ++i) {
        tap("Down");
    }
    tap("Return");
    int status = -1;
    ASSERT_TRUE(game->waitForExit(10.0, status)) << "Enter on Exit closes the game";
    EXPECT_EQ(status, 0);
    EXPECT_EQ(unexpectedErrors().find("Pellowick:"), std::string::npos) << unexpectedErrors();
}
} // namespace
