#include "hud/ChaseMark.hpp"

#include "components/EnemyMovement.hpp"

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/ConvexShape.hpp>
#include <SFML/Graphics/RectangleShape.hpp>

namespace {
// In level pixels: a dog is 16 wide, and the mark sits in a lantern-gold disc just above its head.
const float kDogWidth = 16.0f;
const float kDiscRadius = 6.0f;
const float kGapAboveHead = 2.0f;
const sf::Color kDiscColour(255, 214, 64);
const sf::Color kInkColour(40, 16, 8);
// The warning's disc is pale, not gold: a different shape and a different colour from the chase.
const sf::Color kWarningDisc(226, 236, 255);
// A chase after an egg: a leaf-green diamond, as wide as the disc, with the egg in it.
const sf::Color kEggDiamond(128, 214, 112);
const sf::Color kEggShell(255, 250, 236);

void drawDisc(sf::RenderTarget& target, sf::Vector2f centre, sf::Color colour) {
    sf::CircleShape disc(kDiscRadius);
    disc.setOrigin(kDiscRadius, kDiscRadius);
    disc.setPosition(centre);
    disc.setFillColor(colour);
    disc.setOutlineColor(kInkColour);
    disc.setOutlineThickness(1.0f);
    target.draw(disc);
}

void drawInk(sf::RenderTarget& target, sf::Vector2f at, sf::Vector2f size) {
    sf::RectangleShape stroke(size);
    stroke.setPosition(at);
    stroke.setFillColor(kInkColour);
    target.draw(stroke);
}

// A "?" from five strokes: the hook's top and right side, its turn back to the middle, the stem and the dot.
void drawWarning(sf::RenderTarget& target, sf::Vector2f centre) {
    drawDisc(target, centre, kWarningDisc);
    drawInk(target, {centre.x - 2.0f, centre.y - 4.5f}, {4.0f, 1.5f});
    drawInk(target, {centre.x + 1.0f, centre.y - 4.5f}, {1.5f, 3.5f});
    drawInk(target, {centre.x - 0.75f, centre.y - 1.5f}, {2.5f, 1.5f});
    drawInk(target, {centre.x - 0.75f, centre.y - 1.5f}, {1.5f, 2.5f});
    drawInk(target, {centre.x - 0.75f, centre.y + 2.5f}, {1.5f, 1.5f});
}

// A "!" from a stroke and a dot.
void drawMark(sf::RenderTarget& target, sf::Vector2f centre) {
    drawDisc(target, centre, kDiscColour);
    drawInk(target, {centre.x - 1.0f, centre.y - 4.5f}, {2.0f, 5.5f});
    drawInk(target, {centre.x - 1.0f, centre.y + 2.0f}, {2.0f, 2.0f});
}
// An egg standing in a diamond: neither round nor gold, so it is never taken for the chase of the player.
void drawEggChase(sf::RenderTarget& target, sf::Vector2f centre) {
    const float half = kDiscRadius + 1.0f;
    sf::ConvexShape diamond(4);
    diamond.setPoint(0, {centre.x, centre.y - half});
    diamond.setPoint(1, {centre.x + half, centre.y});
    diamond.setPoint(2, {centre.x, centre.y + half});
    diamond.setPoint(3, {centre.x - half, centre.y});
    diamond.setFillColor(kEggDiamond);
    diamond.setOutlineColor(kInkColour);
    diamond.setOutlineThickness(1.0f);
    target.draw(diamond);
    sf::CircleShape egg(2.0f, 16);
    egg.setOrigin(2.0f, 2.0f);
    egg.setScale(1.0f, 1.35f);
    egg.setPosition(centre);
    egg.setFillColor(kEggShell);
    egg.setOutlineColor(kInkColour);
    egg.setOutlineThickness(0.75f);
    target.draw(egg);
}
} // namespace

void ChaseMark::draw(sf::RenderTarget& target, const std::vector<std::shared_ptr<GameObject>>& dogs) {
    shown = 0;
    eggChases = 0;
    warnings = 0;
    for (const auto& dog : dogs) {
        const auto movement = dog ? dog->getComponent<EnemyMovement>() : nullptr;
        if (!movement || (!movement->isChasing() && !movement->isWary())) {
            continue;
        }
        const sf::Vector2f at = dog->getPosition();
        const sf::Vector2f centre{at.x + kDogWidth / 2.0f, at.y - kGapAboveHead - kDiscRadius};
        if (movement->isChasingEgg()) {
            drawEggChase(target, centre);
            ++eggChases;
        } else if (movement->isChasing()) {
            drawMark(target, centre);
            ++shown;
        } else {
            drawWarning(target, centre);
            ++warnings;
        }
    }
}
