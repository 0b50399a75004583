#include "scene/TileCache.hpp"

#include <SFML/Graphics/Vertex.hpp>
#include <cmath>

namespace {
// What shows where no tile is drawn, as in every other picture of the game.
const sf::Color kBackground = sf::Color::Blue;
} // namespace

bool TileCache::draw(sf::RenderWindow& window, const sf::View& view) {
    painted = false;
    if (!enabled || failed || view.getRotation() != 0.0f) {
        return false;
    }
    const RenderManager::TileLayersShown shown = RenderManager::getInstance()->tileLayersUnderTheRest();
    if (shown.empty()) {
        return false;
    }
    // The view's world pixels, widened to whole ones.
    const sf::Vector2f size(std::abs(view.getSize().x), std::abs(view.getSize().y));
    const sf::Vector2f corner = view.getCenter() - size / 2.0f;
    const sf::FloatRect area(std::floor(corner.x), std::floor(corner.y), std::ceil(size.x) + 1.0f,
                             std::ceil(size.y) + 1.0f);
    if (!holds(area, shown) && !redraw(area, shown)) {
        return false;
    }
    const sf::Vector2f from = sf::Vector2f(area.left, area.top) - origin;
    const float right = area.left + area.width;
    const float bottom = area.top + area.height;
    const sf::Vertex quad[] = {{{area.left, area.top}, from},
                               {{right, area.top}, from + sf::Vector2f(area.width, 0.0f)},
                               {{area.left, bottom}, from + sf::Vector2f(0.0f, area.height)},
                               {{right, bottom}, from + sf::Vector2f(area.width, area.height)}};
    // Every texel is opaque: the clear is, and blending over an opaque pixel keeps it opaque.
    sf::RenderStates states(sf::BlendNone);
    states.texture = &texture.getTexture();
    window.setView(view);
    window.draw(quad, 4, sf::TriangleStrip, states);
    painted = true;
    return true;
}

bool TileCache::holds(const sf::FloatRect& area, const RenderManager::TileLayersShown& shown) const {
    const sf::Vector2f size(texture.getSize());
    return current && shown == drawn && area.left >= origin.x && area.top >= origin.y &&
           area.left + area.width <= origin.x + size.x && area.top + area.height <= origin.y + size.y;
}

bool TileCache::redraw(const sf::FloatRect& area, const RenderManager::TileLayersShown& shown) {
    const sf::Vector2u texels(static_cast<unsigned>(area.width) + 2 * kMargin,
                              static_cast<unsigned>(area.height) + 2 * kMargin);
    if (texture.getSize() != texels && !texture.create(texels.x, texels.y)) {
        failed = true;
        return false;
    }
    origin = sf::Vector2f(area.left, area.top) - sf::Vector2f(kMargin, kMargin);
    texture.setView(sf::View(sf::FloatRect(origin, sf::Vector2f(texels))));
    texture.clear(kBackground);
    RenderManager::getInstance()->drawOn(texture, RenderManager::Part::tileLayers);
    texture.display();
    drawn = shown;
    current = true;
    return true;
}
