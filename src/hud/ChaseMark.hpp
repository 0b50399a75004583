#pragma once

#include "scene/GameObject.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <cstddef>
#include <memory>
#include <vector>

// The "!" over a dog that is chasing, so a chase is seen by shape as well as by the dog's angry colour, and
// the "?" over a wary one: the player is near but not yet noticed, or the dog looks for what it lost. A dog
// running after a flying egg shows an egg in a green diamond instead of the "!": the decoy works.
class ChaseMark {
public:
    // Draws a mark above each chasing or wary dog, in the target's current view (the level's); objects
    // without an EnemyMovement are skipped.
    void draw(sf::RenderTarget& target, const std::vector<std::shared_ptr<GameObject>>& dogs);
    // How many "!" marks the last draw() showed.
    std::size_t shownLastFrame() const { return shown; }
    // How many egg marks the last draw() showed.
    std::size_t eggChasesLastFrame() const { return eggChases; }
    // How many "?" marks the last draw() showed.
    std::size_t warningsLastFrame() const { return warnings; }

private:
    std::size_t shown = 0;
    std::size_t eggChases = 0;
    std::size_t warnings = 0;
};
