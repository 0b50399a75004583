#include "input/KeyCapture.hpp"

#include <gtest/gtest.h>

namespace {
TEST(KeyCaptureTest, BindsCancelsSwapsAndRefusesTheGamesOwnKeys) {
    Settings settings;
    KeyCapture capture;
    capture.begin("LEFT");
    EXPECT_EQ(capture.message(), "Press a key for LEFT (Escape cancels)");
    EXPECT_EQ(capture.press(sf::Keyboard::J, false, settings), KeyCapture::Result::Bound);
    EXPECT_EQ(settings.key("LEFT"), sf::Keyboard::J);
    EXPECT_FALSE(capture.isActive());

    capture.begin("LAY");
    EXPECT_EQ(capture.press(sf::Keyboard::Escape, false, settings), KeyCapture::Result::Cancelled);
    EXPECT_EQ(settings.key("LAY"), sf::Keyboard::E);
    EXPECT_EQ(capture.message(), "LAY keeps E") << "the line no longer asks for a key";

    capture.begin("UP");
    EXPECT_EQ(capture.press(sf::Keyboard::F11, false, settings), KeyCapture::Result::Refused);
    EXPECT_EQ(capture.message(), "F11 switches between the window and fullscreen and cannot be bound; "
                                 "press another key for UP");
    EXPECT_EQ(capture.press(sf::Keyboard::LAlt, false, settings), KeyCapture::Result::Waiting);
    EXPECT_EQ(capture.press(sf::Keyboard::Enter, true, settings), KeyCapture::Result::Refused);
    EXPECT_EQ(capture.press(sf::Keyboard::Unknown, false, settings), KeyCapture::Result::Refused);
    EXPECT_EQ(capture.message(), "That key cannot be bound; press another key for UP") << "Print, AltGr...";
    EXPECT_TRUE(capture.isActive());
    EXPECT_EQ(capture.press(sf::Keyboard::S, false, settings), KeyCapture::Result::Bound);
    EXPECT_EQ(settings.key("UP"), sf::Keyboard::S);
    EXPECT_EQ(settings.key("DOWN"), sf::Keyboard::W) << "the action that held S takes UP's old key";
    EXPECT_EQ(capture.message(), "UP is now S; DOWN takes W");
}
} // namespace
