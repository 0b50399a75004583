#pragma once

#include "scene/GameObject.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <cstddef>
#include <memory>
#include <vector>

// What the dogs see, on the ground: under each shown dog the area in which it notices the player (a faint
// fill with a clear edge line) and, fainter, the wider one in which a flying egg draws it; cut by the walls
// on a level whose walls block sight. All of a frame's areas go out in one vertex array, one draw call.
class SightOverlay {
public:
    // Draws in the target's current view (the level's); dogs without an EnemyMovement, hidden dogs and dogs
    // whose areas lie outside the view are skipped. `playerSize` and `eggSize` place each area where the
    // body it is for is noticed.
    void draw(sf::RenderTarget& target, const std::vector<std::shared_ptr<GameObject>>& dogs,
              sf::Vector2f playerSize, sf::Vector2f eggSize);
    // How many dogs the last draw() showed areas for, and how many vertices it sent.
    std::size_t dogsShownLastFrame() const { return shown; }
    std::size_t verticesLastFrame() const { return vertices.getVertexCount(); }

private:
    sf::VertexArray vertices{sf::Triangles};
    std::size_t shown = 0;
};
