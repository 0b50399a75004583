// Taps shorter than a frame: the press and the release both arrive between two frames, so the keyboard
// already reads the key as released when the frame samples it. Such a tap counts in that frame, once.
// A key held down repeats its press until it is let go; the fullscreen keys act on the first press only.
#include "components/LayEggComponent.hpp"
#include "screens/IngameScreen.hpp"
#include "support/GameHarness.hpp"

#include <gtest/gtest.h>

namespace {

TEST(KeyTapTest, ActionsSeeATapInOneFrameOnlyAndAHeldFullscreenKeySwitchesOnceWhateverItsRepeats) {
    GameHarness harness;
    ASSERT_TRUE(harness.frames(1));
    for (const sf::Event& press : {keyPress(sf::Keyboard::F11), keyPress(sf::Keyboard::Enter, false, true)}) {
        const bool before = harness.game->isFullscreen();
        for (int repeat = 0; repeat < 3; ++repeat) {
            harness.game->queueEvent(press);
            ASSERT_TRUE(harness.frames(1));
            EXPECT_NE(harness.game->isFullscreen(), before) << "held down: one switch, press " << repeat;
        }
        harness.game->queueEvent(keyRelease(press.key.code));
        harness.game->queueEvent(press);
        harness.game->queueEvent(keyRelease(press.key.code));
        ASSERT_TRUE(harness.frames(1));
        EXPECT_EQ(harness.game->isFullscreen(), before) << "let go and pressed again: back";
    }

    ASSERT_TRUE(harness.startLevel());
    auto* level = harness.screen<IngameScreen>();
    harness.tap(sf::Keyboard::Escape);
    ASSERT_TRUE(harness.frames(5));
    EXPECT_TRUE(level->paused) << "one tap pauses, and does not unpause again";
    harness.tap(sf::Keyboard::Escape);
    ASSERT_TRUE(harness.frames(5));
    EXPECT_FALSE(level->paused);

    GameHarness::giveEgg("egg1");
    GameHarness::giveEgg("egg2");
    harness.tap(sf::Keyboard::E);
    ASSERT_TRUE(harness.frames(5));
    EXPECT_EQ(GameHarness::object("player1")->getComponent<LayEggComponent>()->eggStock.size(), 1u)
        << "one tap lays one egg";
}

} // namespace
