#include "app/Letterbox.hpp"

#include <gtest/gtest.h>

namespace {

TEST(LetterboxTest, ThePictureIsTheLargestCentredFourByThreeRectangleAndThePointerMapsIntoItButNotTheBars) {
    // Exact: the whole window, as the game always was.
    EXPECT_EQ(Letterbox::viewport({800, 600}), sf::FloatRect(0.0f, 0.0f, 1.0f, 1.0f));
    // Wider: bars left and right.
    EXPECT_EQ(Letterbox::pixelArea({1600, 900}), sf::FloatRect(200.0f, 0.0f, 1200.0f, 900.0f));
    // Taller: bars above and below.
    EXPECT_EQ(Letterbox::pixelArea({800, 1000}), sf::FloatRect(0.0f, 200.0f, 800.0f, 600.0f));
    EXPECT_EQ(Letterbox::viewport({800, 1000}), sf::FloatRect(0.0f, 0.2f, 1.0f, 0.6f));
    // An empty window still gives a usable answer.
    EXPECT_EQ(Letterbox::viewport({0, 0}), sf::FloatRect(0.0f, 0.0f, 1.0f, 1.0f));
    EXPECT_FALSE(Letterbox::toPicture({0, 0}, {0, 0}));
    EXPECT_EQ(Letterbox::heldToMinimum({100, 100}), sf::Vector2u(400, 300));
    EXPECT_EQ(Letterbox::heldToMinimum({1000, 200}), sf::Vector2u(1000, 300));
    EXPECT_EQ(Letterbox::heldToMinimum({400, 300}), sf::Vector2u(400, 300));

    // The pointer maps into the picture, and the bars hit nothing.
    const sf::Vector2u window(1600, 900); // picture from x = 200 to 1400, scale 1.5
    EXPECT_FALSE(Letterbox::toPicture({199, 450}, window)) << "last pixel of the left bar";
    EXPECT_EQ(Letterbox::toPicture({200, 0}, window), sf::Vector2f(0.0f, 0.0f))
        << "first pixel of the picture";
    const auto lastPixel = Letterbox::toPicture({1399, 899}, window);
    ASSERT_TRUE(lastPixel) << "last pixel of the picture";
    EXPECT_NEAR(lastPixel->x, 799.33f, 0.01f);
    EXPECT_NEAR(lastPixel->y, 599.33f, 0.01f);
    EXPECT_FALSE(Letterbox::toPicture({1400, 450}, window)) << "first pixel of the right bar";
    EXPECT_FALSE(Letterbox::toPicture({800, 900}, window)) << "below the window";

    const sf::Vector2u tall(800, 1000); // picture from y = 200 to 800
    EXPECT_FALSE(Letterbox::toPicture({400, 199}, tall));
    EXPECT_EQ(Letterbox::toPicture({400, 200}, tall), sf::Vector2f(400.0f, 0.0f));
}

} // namespace
