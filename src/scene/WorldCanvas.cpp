#include "scene/WorldCanvas.hpp"

#include "scene/RenderManager.hpp"

#include <SFML/Graphics/Sprite.hpp>
#include <cmath>

namespace {
// What shows where no tile is drawn, as in every other picture of the game.
const sf::Color kBackground = sf::Color::Blue;
} // namespace

bool WorldCanvas::draw(sf::RenderWindow& window, const sf::View& view) {
    painted = false;
    if (!enabled || view.getRotation() != 0.0f) {
        return false;
    }
    const sf::Vector2f size = view.getSize();
    const sf::Vector2f corner = view.getCenter() - size / 2.0f;
    const sf::Vector2f aligned(std::floor(corner.x), std::floor(corner.y));
    const sf::Vector2u texels(static_cast<unsigned>(std::ceil(std::abs(size.x))) + 1,
                              static_cast<unsigned>(std::ceil(std::abs(size.y))) + 1);
    if (!fit(texels)) {
        return false;
    }
    canvas.setView(sf::View(sf::FloatRect(aligned, sf::Vector2f(texels))));
    canvas.clear(kBackground);
    RenderManager::getInstance()->drawOn(canvas);
    canvas.display();

    sf::Sprite picture(canvas.getTexture());
    picture.setPosition(aligned);
    window.setView(view);
    // Every texel is opaque: the clear is, and blending over an opaque pixel keeps it opaque.
    window.draw(picture, sf::BlendNone);
    painted = true;
    return true;
}

bool WorldCanvas::fit(sf::Vector2u texels) {
    if (made && canvas.getSize() == texels) {
        return true;
    }
    if (failed) {
        return false;
    }
    made = canvas.create(texels.x, texels.y);
    failed = !made;
    return made;
}
