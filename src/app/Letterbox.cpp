#include "app/Letterbox.hpp"

#include <algorithm>

sf::FloatRect Letterbox::pixelArea(sf::Vector2u window) {
    const float width = static_cast<float>(window.x);
    const float height = static_cast<float>(window.y);
    if (width <= 0.0f || height <= 0.0f) {
        return {0.0f, 0.0f, 0.0f, 0.0f};
    }
    const float scale = std::min(width / kPictureWidth, height / kPictureHeight);
    const float shownWidth = kPictureWidth * scale;
    const float shownHeight = kPictureHeight * scale;
    return {(width - shownWidth) / 2.0f, (height - shownHeight) / 2.0f, shownWidth, shownHeight};
}

sf::FloatRect Letterbox::viewport(sf::Vector2u window) {
    if (window.x == 0 || window.y == 0) {
        return {0.0f, 0.0f, 1.0f, 1.0f};
    }
    const sf::FloatRect area = pixelArea(window);
    const float width = static_cast<float>(window.x);
    const float height = static_cast<float>(window.y);
    return {area.left / width, area.top / height, area.width / width, area.height / height};
}

std::optional<sf::Vector2f> Letterbox::toPicture(sf::Vector2i pixel, sf::Vector2u window) {
    const sf::FloatRect area = pixelArea(window);
    // A pixel is hit at its top-left corner, so the far edges belong to the bars.
    const sf::Vector2f point(static_cast<float>(pixel.x), static_cast<float>(pixel.y));
    if (area.width <= 0.0f || point.x < area.left || point.y < area.top ||
        point.x >= area.left + area.width || point.y >= area.top + area.height) {
        return std::nullopt;
    }
    const float scale = area.width / kPictureWidth;
    return sf::Vector2f((point.x - area.left) / scale, (point.y - area.top) / scale);
}

sf::Vector2u Letterbox::heldToMinimum(sf::Vector2u window) {
    return {std::max(window.x, kMinWidth), std::max(window.y, kMinHeight)};
}
