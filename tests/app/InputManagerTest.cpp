#include "app/InputManager.hpp"

#include "input/RealtimeInput.hpp"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {
TEST(InputManagerTest, RebindingFollowsTheNewKeySharedKeysAgreeAndUnknownActionsBindToA) {
    RealtimeInput::reset();
    RealtimeInput::setScripted(true);
    InputManager* input = InputManager::getInstance();
    input->bindAction("LEFT", sf::Keyboard::A, "player1");
    input->bindAction("ALSO_LEFT", sf::Keyboard::A, "player1");
    input->bindAction("LEFT", sf::Keyboard::J, "player1");
    RealtimeInput::setKey(sf::Keyboard::A, true);
    EXPECT_FALSE(input->isActionDown("JUMP", "nobody"));
    input->update(sf::Event{});
    EXPECT_FALSE(input->isActionDown("LEFT", "player1"));
    EXPECT_TRUE(input->isActionDown("ALSO_LEFT", "player1"));
    EXPECT_TRUE(input->isActionDown("JUMP", "nobody")) << "from the next frame";
    InputManager::destroyInstance();
    RealtimeInput::reset();
}

TEST(RealtimeInputTest, KeysReadAsReleasedWhileTheWindowHasNoFocus) {
    // xdotool holds a real key on the X server; SFML reads the keyboard globally.
    ASSERT_NE(std::getenv("DISPLAY"), nullptr);
    RealtimeInput::reset();
    ASSERT_EQ(std::system("xdotool keydown q"), 0);
    const bool seenFocused = RealtimeInput::isKeyPressed(sf::Keyboard::Q);
    RealtimeInput::setFocused(false);
    const bool seenUnfocused = RealtimeInput::isKeyPressed(sf::Keyboard::Q);
    std::system("xdotool keyup q");
    RealtimeInput::reset();
    EXPECT_TRUE(seenFocused);
    EXPECT_FALSE(seenUnfocused);
}
} // namespace
