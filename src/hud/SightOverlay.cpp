#include "hud/SightOverlay.hpp"

#include "components/EnemyMovement.hpp"
#include "components/SightArea.hpp"
#include "physics/PhysicsManager.hpp"
#include "scene/StaticCmp.hpp"

namespace {
// Pale lantern light with a dark rim under it, so the edge reads on grass, wooden floor and carpet alike.
const SightArea::Look kPlayerArea{sf::Color(255, 240, 190, 46), sf::Color(255, 248, 220, 210), 1.0f};
const SightArea::Look kPlayerRim{sf::Color::Transparent, sf::Color(40, 16, 8, 150), 1.6f};
// Where a flying egg draws the dog: only a faint, thin edge. Filled, these wide areas overlap across most of
// the view and cost the frame a fifth of the floor, for a tint too faint to read.
const SightArea::Look kEggArea{sf::Color::Transparent, sf::Color(255, 248, 220, 90), 0.5f};

sf::FloatRect viewArea(const sf::RenderTarget& target) {
    const sf::View& view = target.getView();
    return {view.getCenter() - view.getSize() / 2.0f, view.getSize()};
}
} // namespace

void SightOverlay::draw(sf::RenderTarget& target, const std::vector<std::shared_ptr<GameObject>>& dogs,
                        sf::Vector2f playerSize, sf::Vector2f eggSize) {
    vertices.clear();
    shown = 0;
    const NavGrid* walls = PhysicsManager::getInstance()->sightWalls();
    const sf::FloatRect seen = viewArea(target);
    for (const auto& dog : dogs) {
        const auto movement = dog ? dog->getComponent<EnemyMovement>() : nullptr;
        const auto sprite = dog ? dog->getComponent<StaticCmp>() : nullptr;
        if (!movement || !sprite || !sprite->visible) {
            continue;
        }
        const SightArea eggArea(dog->getPosition(), eggSize, movement->eggNoticeDistance());
        if (!eggArea.bounds().intersects(seen)) {
            continue;
        }
        const SightArea playerArea(dog->getPosition(), playerSize, movement->noticeDistance());
        eggArea.appendTo(vertices, kEggArea, walls, movement->eye());
        // The dark rim first, the light line over its outer part: a two-tone edge.
        playerArea.appendTo(vertices, kPlayerRim, walls, movement->eye());
        playerArea.appendTo(vertices, kPlayerArea, walls, movement->eye());
        ++shown;
    }
    if (vertices.getVertexCount() > 0) {
        target.draw(vertices);
    }
}
