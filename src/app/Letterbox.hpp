#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>
#include <optional>

// Every screen is made for an 800x600 window. In a window of any other size the
// picture is scaled to the largest 4:3 rectangle that fits, centred, with black
// bars on the rest of the window.
class Letterbox {
public:
    static constexpr unsigned kPictureWidth = 800;
    static constexpr unsigned kPictureHeight = 600;
    // Smaller windows are held at this size: below it the text is unreadable.
    static constexpr unsigned kMinWidth = 400;
    static constexpr unsigned kMinHeight = 300;

    // The picture itself: (0, 0) to (800, 600).
    static sf::FloatRect pictureArea() { return {0.0f, 0.0f, kPictureWidth, kPictureHeight}; }
    // The picture's rectangle in fractions of the window, as sf::View::setViewport takes it.
    static sf::FloatRect viewport(sf::Vector2u window);
    // The picture's rectangle in window pixels.
    static sf::FloatRect pixelArea(sf::Vector2u window);
    // The point of the 800x600 picture under a window pixel; empty when the pixel lies in a bar.
    static std::optional<sf::Vector2f> toPicture(sf::Vector2i pixel, sf::Vector2u window);
    // The window size raised to the smallest one the game accepts.
    static sf::Vector2u heldToMinimum(sf::Vector2u window);
};
